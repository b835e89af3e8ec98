#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/capital_series.h"
#include "records/ledger_record.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// A remark is stored in a record's 101-byte field, which holds 100 GBK bytes and the NUL;
// the booking dialogs' box takes 99 of them, the record editor's all 100 (a record booked
// elsewhere, the opening deposit of a new account among them, may use every byte).
inline constexpr std::size_t kRemarkMaxBytes = 99;
inline constexpr std::size_t kStoredRemarkMaxBytes = sizeof(LedgerRecord::remark) - 1;

// What every dialog that books one ledger record shares: the title "action -[account]",
// the trade date picker (now plus or minus 10,000 days, starting at now), the remark box,
// number boxes of 19 characters, and the record a confirmed dialog books. The stock
// dialogs move between their fields with Enter and the arrows and confirm with Enter or
// Down in the remark box, and their buttons take no focus; the cash dialog keeps the
// platform's Enter-confirms.
class TransactionDialog : public DialogModel {
public:
    enum class Keys { StockNavigation, EnterConfirms };

    const std::string& accountName() const { return accountName_; }
    // The unit the account's amounts are shown in.
    const std::string& currencyUnit() const { return currencyUnit_; }

    DateField tradeDate;
    TextField remark;

    // The record a confirmed dialog books; nothing when it books none (a sale with
    // nothing to sell).
    virtual std::optional<LedgerRecord> confirmedRecord() const = 0;

    // The dialogs that act on a held stock (sale, dividend, bonus shares, rights issue) open
    // on this position when the account holds it, otherwise on the first code. Set before
    // the dialog opens.
    void openOnStock(StockId stock) { openingStock_ = std::move(stock); }

protected:
    TransactionDialog(Messages& messages, std::string action, std::string accountName,
                      std::string currencyUnit, Keys keys);

    // Opening: the picker's range and value from the current time. The title is set from
    // the start, so that it shows whenever the dialog does.
    void openTransaction();
    // Sets the tab order; for the stock dialogs the remark box is where Enter confirms.
    void setFields(std::vector<Field*> tabOrder);

    // A number box of 19 characters; a figure box is read-only.
    static void makeNumberBox(TextField& box, std::string name, std::string label);
    static void makeFigureBox(TextField& box, std::string name, std::string label);

    // A share count reads back as an unsigned number that a record's int32 can hold.
    std::optional<std::uint32_t> readQuantity(TextField& box);
    // A figure box of shares summed over the ledger (held, sellable) reads back whole: any
    // 64-bit count, beyond what one record holds or below zero (a file written elsewhere).
    std::optional<std::int64_t> readShareTotal(TextField& box);
    // False (reported at `box`) when a figure computed from the box's entry cannot be
    // represented: it would show as "inf" and poison every later sum.
    bool checkRepresentable(TextField& box, double result);

    // The remark must be text GBK can hold; refused with its reason otherwise.
    bool readRemark() { return checkStorable(remark, remark.label); }

    // The one factory of booked records: a record of `kind` with every byte zero but its
    // type, cash sign, the trade date, the remark (GBK, as many bytes as the box takes; left
    // empty when the box is empty) and the figures given.
    struct StockTrade {
        std::int32_t market = 0;
        std::string code;  // six digits
        std::uint32_t quantity = 0;
        double price = 0;
        double fee = 0;
    };
    LedgerRecord bookedRecord(RecordType kind, double amount,
                              const std::optional<StockTrade>& trade = std::nullopt) const;

    const std::optional<StockId>& openingStock() const { return openingStock_; }

private:
    std::string accountName_;
    std::string currencyUnit_;
    Keys keys_;
    std::optional<StockId> openingStock_;
};

}  // namespace fiscora::ui
