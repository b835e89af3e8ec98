#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "records/ledger_record.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// A remark is stored in a record's 101-byte field; the box takes 99 GBK bytes.
inline constexpr std::size_t kRemarkMaxBytes = 99;

// What every dialog that books one ledger record shares: the title "action -[account]",
// the trade date picker (now plus or minus 10,000 days, starting at now), the remark box,
// number boxes of 19 characters, and the record a confirmed dialog books. The stock
// dialogs move between their fields with Enter and the arrows and confirm with Enter or
// Down in the remark box; the cash dialog keeps the platform's Enter-confirms.
class TransactionDialog : public DialogModel {
public:
    static constexpr const char* kDateLabel = "交易日期";
    static constexpr const char* kRemarkLabel = "备注";
    static constexpr const char* kConfirmButton = "确定";
    static constexpr const char* kCancelButton = "取消";

    enum class Keys { StockNavigation, EnterConfirms };

    const std::string& accountName() const { return accountName_; }

    DateField tradeDate;
    TextField remark;

    // A record of `kind` with every byte zero but its type, cash sign, the trade date and
    // the remark (GBK; left empty when the box is empty).
    LedgerRecord bookedRecord(RecordType kind) const;

protected:
    TransactionDialog(Messages& messages, std::string action, std::string accountName, Keys keys);

    // Opening: the picker's range and value from the current time. The title is set from
    // the start, so that it shows whenever the dialog does.
    void openTransaction();
    // Sets the tab order; for the stock dialogs the remark box is where Enter confirms.
    void setFields(std::vector<Field*> tabOrder);

    static void makeNumberBox(TextField& box, bool readOnly = false);

    // A share count reads back as an unsigned number that a record's int32 can hold.
    std::optional<std::uint32_t> readQuantity(TextField& box);
    // False (reported at `box`) when a figure computed from the box's entry cannot be
    // represented: it would show as "inf" and poison every later sum.
    bool checkRepresentable(TextField& box, double result);

    // The remark must be text GBK can hold; refused with its reason otherwise.
    bool readRemark() { return checkStorable(remark, kRemarkLabel); }

private:
    std::string action_;
    std::string accountName_;
    Keys keys_;
};

}  // namespace fiscora::ui
