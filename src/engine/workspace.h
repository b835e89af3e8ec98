#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/dates.h"
#include "engine/holdings.h"
#include "engine/ledger_figures.h"
#include "engine/trade_fee.h"
#include "host/messages.h"
#include "records/account_info.h"
#include "records/ledger_record.h"
#include "store/data_scrambler.h"
#include "store/ledger_file.h"
#include "store/safe_file.h"

namespace fiscora {

// Whether loading an account's ledger also computes its holdings.
enum class HoldingsOnLoad { Computed, Skipped };

// Everything one open window owns: the keyed cipher, the accounts and their login
// state, the ledger of the selected logged-in account, its two holding lists and the fee
// table. The command line uses the same object, opened read-only.
class Workspace {
public:
    explicit Workspace(Messages& messages, OpenMode mode = OpenMode::CreateIfMissing);

    // Window start: the standard default fee row, the data directory created (one level,
    // failure ignored; not in read-only mode), the cipher keyed, the fee table and the
    // registry loaded, every account logged out. The fee table is `fixedTradeParamFile`
    // when given (the command line's --params), otherwise "trdpara.dat" in the directory
    // current at each load and save.
    void open(const std::string& dataDirectory,
              const std::optional<std::string>& fixedTradeParamFile = std::nullopt);

    // The fee table's path now, or nothing after "找不到当前路径！" was shown.
    std::optional<std::string> tradeParamFile() const;
    // Reload or rewrite the fee table at tradeParamFile(); failures are reported and leave
    // the table (load) or the file (save) as it was. A file another program changed since
    // the load is not written over: it is loaded again (the change in memory is dropped)
    // and the user told to redo the action.
    bool loadTradeParamTable();
    bool saveTradeParamTable();

    LedgerStore ledgerStore() const {
        return {dataDirectory_, scrambler_, messages_, mode_, &keys};
    }

    // Loads the account's ledger and recomputes the holdings over all dates; a reader that
    // shows none of them may leave them empty (HoldingsOnLoad::Skipped).
    LedgerStatus loadLedgerOf(const AccountInfo& account,
                              HoldingsOnLoad holdingsOnLoad = HoldingsOnLoad::Computed);
    // Rewrites the account's ledger file from `ledger`, unless another program changed the
    // file since it was loaded: then the file is loaded again (the change in memory is
    // dropped) and the user told to redo the action.
    SaveStatus saveLedgerOf(const AccountInfo& account);

    // True when the registry file is no longer the one read; it is then read again (login
    // states kept by name) and the user told to redo the action. Call under the data
    // folder's lock, before changing the registry.
    bool reloadRegistryIfChanged();
    // Rewrites the registry from `accounts`; reported on failure.
    bool saveAccounts();
    // Writes a new account's ledger file from `ledger`, which becomes the loaded one.
    bool writeNewLedgerOf(const AccountInfo& account) {
        return writeNewLedger(ledgerStore(), account, ledger, ledgerStamp_);
    }
    // Computes the holdings over all dates again, and with them, in the same pass, the
    // ledger's cash sums and the index of each stock's records. Every change of the ledger
    // but a booking at its end calls it.
    void recomputeHoldings();
    // Books `record` at the end of the ledger and brings the holdings up to date with it, in
    // place when its position is listed, else by computing them again; the cash sums and the
    // stock records' index take it in.
    void appendRecord(const LedgerRecord& record);

    // The ledger's cash sums: those kept with the holdings while they describe the ledger
    // (it has as many records as when they were last brought up to date), else summed
    // afresh.
    CashSums cashSums() const;
    double cashBalance() const { return cashSums().balance; }
    // The position of one stock that may be sold on `onDate` (computeSellable), read from its
    // own records through the kept index, or from the whole ledger when the index does not
    // describe it; empty when none of its shares may be sold.
    Holdings sellableOn(std::int32_t onDate, std::int32_t market, std::string_view gbkCode) const;

    // The fee row of a stock: the table's, or the default one.
    TradeParam feeRowFor(std::int32_t market, std::string_view code) const {
        return tradeParamFor(tradeParams, market, code);
    }

    Messages& messages() const { return messages_; }
    const DataScrambler& scrambler() const { return scrambler_; }
    const std::string& dataDirectory() const { return dataDirectory_; }
    OpenMode mode() const { return mode_; }

    AccountList accounts;
    LoginStates loginStates;
    Ledger ledger;
    Holdings holdings;
    TradeParamTable tradeParams;
    // The keys of the protected accounts logged in.
    LedgerKeyring keys;
    // The day a new account is created on: the clock's, unless the command line gives one.
    std::function<std::int32_t()> today = &fiscora::today;

private:
    Messages& messages_;
    OpenMode mode_;
    DataScrambler scrambler_;
    std::string dataDirectory_;
    std::optional<std::string> fixedTradeParamFile_;
    FileStamp registryStamp_;
    FileStamp tradeParamStamp_;  // of the fee table file as last read or written
    LedgerStamp ledgerStamp_;    // of the file `ledger` was loaded from
    // Kept with the holdings; they describe the first `figuresCover_` records of `ledger`.
    CashSums cash_;
    StockRecordIndex stockRecords_;
    std::size_t figuresCover_ = kNoFigures;
    static constexpr std::size_t kNoFigures = static_cast<std::size_t>(-1);
};

}  // namespace fiscora
