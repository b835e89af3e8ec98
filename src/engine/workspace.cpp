#include "engine/workspace.h"

#include <sys/stat.h>

#include "host/module_state.h"
#include "store/account_registry.h"
#include "store/trade_param_file.h"

namespace fiscora {

Workspace::Workspace(Messages& messages, OpenMode mode) : messages_(messages), mode_(mode) {}

void Workspace::open(const std::string& dataDirectory,
                     const std::optional<std::string>& tradeParamFile) {
    setStandardDefaultTradeParams();
    dataDirectory_ = dataDirectory;
    if (mode_ == OpenMode::CreateIfMissing) ::mkdir(dataDirectory_.c_str(), 0755);
    scrambler_.setFileKey();
    if (tradeParamFile) {
        tradeParamFile_ = *tradeParamFile;
        loadTradeParams(tradeParamFile_, tradeParams, messages_, mode_);
    }
    accounts = loadRegistry(dataDirectory_, scrambler_, messages_, mode_);
    loginStates = loggedOutStates(accounts);
    ledger.clear();
    holdings.clear();
}

LedgerStatus Workspace::loadLedgerOf(const AccountInfo& account) {
    const LedgerStatus status = loadLedger(ledgerStore(), account, ledger);
    recomputeHoldings();
    return status;
}

}  // namespace fiscora
