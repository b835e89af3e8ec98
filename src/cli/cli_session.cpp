#include "cli/cli_session.h"

#include "cli/data_location.h"
#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "engine/account_protection.h"
#include "records/gbk_text.h"

namespace fiscora::cli {

CliSession::CliSession(const CliOptions& options, std::ostream& err)
    : options_(options), err_(err), messages_(err), workspace_(messages_, OpenMode::ReadOnly) {}

int CliSession::open() {
    DataLocation location;
    if (const int code = prepareSession(options_, quotes_, err_, location); code != kExitOk)
        return code;
    const int shownBefore = messages_.count();
    workspace_.open(location.dataDirectory, location.tradeParamFile);
    return messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int CliSession::openLedger(const std::string& name, const AccountInfo*& account,
                           HoldingsOnLoad holdingsOnLoad) {
    const std::optional<std::string> gbkName = utf8ToGbk(name);
    account = gbkName ? findAccount(workspace_.accounts, *gbkName) : nullptr;
    if (account == nullptr) {
        messages_.plain("帐户" + name + "不存在");
        return kExitRefused;
    }
    std::string typed;
    if (const int code = accountPassword(options_.passwordFile, name, err_, typed); code != kExitOk)
        return code;
    // Compared as stored (the GBK bytes of the whole string), or tried on a protected
    // account's ledger.
    const PasswordCheck check = checkAccountPassword(workspace_, *account, typed);
    if (check == PasswordCheck::Refused || check == PasswordCheck::Tampered) return kExitRefused;
    if (check == PasswordCheck::Wrong) {
        messages_.error("密码错误");
        return kExitRefused;
    }
    return isLoaded(workspace_.loadLedgerOf(*account, holdingsOnLoad)) ? kExitOk : kExitRefused;
}

}  // namespace fiscora::cli
