#include "engine/workspace.h"

#include <sys/stat.h>

#include <system_error>
#include <thread>
#include <unordered_map>

#include "engine/account_identity.h"
#include "host/module_state.h"
#include "store/account_registry.h"
#include "store/folder_lock.h"
#include "store/trade_param_file.h"

namespace fiscora {

Workspace::Workspace(Messages& messages, OpenMode mode) : messages_(messages), mode_(mode) {}

void Workspace::open(const std::string& dataDirectory,
                     const std::optional<std::string>& fixedTradeParamFile) {
    setStandardDefaultTradeParams();
    dataDirectory_ = dataDirectory;
    if (mode_ == OpenMode::CreateIfMissing) ::mkdir(dataDirectory_.c_str(), 0755);
    // From the initial tables: keying the tables again would corrupt them.
    scrambler_ = DataScrambler();
    scrambler_.setFileKey();
    fixedTradeParamFile_ = fixedTradeParamFile;
    loadTradeParamTable();
    settleInterruptedChange(dataDirectory_, scrambler_, messages_);
    accounts = loadRegistry(dataDirectory_, scrambler_, messages_, mode_, &registryStamp_);
    loginStates = loggedOutStates(accounts);
    keys.clear();
    ledger.clear();
    holdings.clear();
    figuresCover_ = kNoFigures;
}

std::optional<std::string> Workspace::tradeParamFile() const {
    return fixedTradeParamFile_ ? fixedTradeParamFile_ : tradeParamPath(messages_);
}

bool Workspace::loadTradeParamTable() {
    const auto path = tradeParamFile();
    if (!path) return false;
    // Reading never creates the fee table: a missing one is empty until a save writes it.
    if (loadTradeParams(*path, tradeParams, messages_, OpenMode::ReadOnly, &tradeParamStamp_))
        return true;
    // A file that cannot be read is not one the table came from: a save may replace it.
    tradeParamStamp_ = stampOf(*path);
    return false;
}

bool Workspace::saveTradeParamTable() {
    const auto path = tradeParamFile();
    if (!path) return false;
    FolderLock lock(folderOf(*path));
    if (lock.busy()) {
        messages_.plain(kAnotherProgramWriting);
        return false;
    }
    if (stampOf(*path) != tradeParamStamp_) {
        messages_.plain(changedOnDiskMessage(*path));
        loadTradeParamTable();
        return false;
    }
    return saveTradeParams(*path, tradeParams, messages_, &tradeParamStamp_);
}

LedgerStatus Workspace::loadLedgerOf(const AccountInfo& account, HoldingsOnLoad holdingsOnLoad) {
    const bool computed = holdingsOnLoad == HoldingsOnLoad::Computed;
    // A read-only workspace does not rewrite what it read: the runs' digests would go unused.
    // An ordinary ledger's are taken on a thread of their own while the figures are gathered,
    // both reading the records just loaded.
    const bool digestsBeside = mode_ != OpenMode::ReadOnly && computed && !isProtected(account);
    const LedgerStatus status = loadLedger(
        ledgerStore(), account, ledger, &ledgerStamp_,
        mode_ == OpenMode::ReadOnly || digestsBeside ? RunDigests::Skip : RunDigests::Keep);
    if (!computed) {
        holdings.clear();
        figuresCover_ = kNoFigures;
        return status;
    }
    if (!digestsBeside || !isLoaded(status)) {
        recomputeHoldings();
        return status;
    }
    std::jthread digests;
    try {
        digests = std::jthread([this] { ledgerStamp_.chunks = ledgerRunDigests(ledger); });
    } catch (const std::system_error&) {
        ledgerStamp_.chunks = ledgerRunDigests(ledger);  // no thread to be had
    }
    recomputeHoldings();
    return status;
}

void Workspace::recomputeHoldings() {
    LedgerFigures figures = ledgerFiguresOf(ledger);
    holdings = std::move(figures.holdings);
    cash_ = figures.cash;
    stockRecords_ = std::move(figures.stockRecords);
    figuresCover_ = ledger.size();
}

void Workspace::appendRecord(const LedgerRecord& record) {
    ledger.push_back(record);
    // Figures that did not describe the ledger before the record are gathered again.
    if (figuresCover_ != ledger.size() - 1) {
        recomputeHoldings();
        return;
    }
    cash_.add(record);
    if (record.isStock()) stockRecords_.add(record, static_cast<std::uint32_t>(ledger.size() - 1));
    figuresCover_ = ledger.size();
    if (!addToHoldings(holdings, record)) recomputeHoldings();
}

CashSums Workspace::cashSums() const {
    return figuresCover_ == ledger.size() ? cash_ : cashSumsOf(ledger);
}

Holdings Workspace::sellableOn(std::int32_t onDate, std::int32_t market,
                               std::string_view gbkCode) const {
    if (figuresCover_ == ledger.size())
        return computeSellable(ledger, stockRecords_.recordsOf(market, gbkCode), onDate);
    Holdings all = computeSellable(ledger, onDate);
    std::erase_if(all,
                  [&](const Holding& h) { return h.market != market || h.stockCode != gbkCode; });
    return all;
}

SaveStatus Workspace::saveLedgerOf(const AccountInfo& account) {
    const SaveStatus status = saveLoadedLedger(ledgerStore(), account, ledger, ledgerStamp_);
    if (status == SaveStatus::ChangedOnDisk) loadLedgerOf(account);
    return status;
}

bool Workspace::reloadRegistryIfChanged() {
    const std::string path = registryPath(dataDirectory_);
    if (stampOf(path) == registryStamp_) return false;
    messages_.plain(changedOnDiskMessage(path));
    accounts = loadRegistry(dataDirectory_, scrambler_, messages_, mode_, &registryStamp_);
    // By name, the last state of a name counting, in one pass: a registry may be large.
    std::unordered_map<std::string, bool> before;
    for (const LoginState& s : loginStates) before[s.name] = s.loggedIn;
    LoginStates states = loggedOutStates(accounts);
    for (LoginState& s : states) {
        if (const auto it = before.find(s.name); it != before.end()) s.loggedIn = it->second;
    }
    loginStates = std::move(states);
    return true;
}

bool Workspace::saveAccounts() {
    return saveRegistry(dataDirectory_, accounts, scrambler_, messages_, &registryStamp_);
}

}  // namespace fiscora
