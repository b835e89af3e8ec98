#include "cli/cli_session.h"

#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "host/module_state.h"
#include "store/gbk_text.h"
#include "store/trade_param_file.h"

namespace fiscora::cli {

CliSession::CliSession(const CliOptions& options, std::ostream& err)
    : options_(options), err_(err), messages_(err), workspace_(messages_, OpenMode::ReadOnly) {}

CliSession::~CliSession() {
    if (options_.quotesFile) QuoteSnapshot::uninstall();
}

int CliSession::open() {
    if (options_.quotesFile) {
        std::string error;
        if (!snapshot_.load(*options_.quotesFile, error)) {
            err_ << "fiscora-cli: " << error << '\n';
            return kExitUsage;
        }
        snapshot_.install();
    }
    std::string dataDirectory;
    if (options_.dataDirectory) {
        dataDirectory = *options_.dataDirectory;
    } else if (initDefaultDataDirectory()) {
        dataDirectory = fiscora::dataDirectory();
    } else {
        messages_.plain("找不到当前路径！");
        return kExitRefused;
    }
    std::optional<std::string> params = options_.paramsFile;
    if (!params) {
        params = tradeParamPath(messages_);
        if (!params) return kExitRefused;
    }
    // Every failure to read the registry or the fee table shows a message; the window
    // would go on without the data, but a command that cannot read it must not succeed.
    const int shownBefore = messages_.count();
    workspace_.open(dataDirectory, params);
    return messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int CliSession::openLedger(const std::string& name, const AccountInfo*& account) {
    const std::optional<std::string> gbkName = utf8ToGbk(name);
    account = gbkName ? findAccount(workspace_.accounts, *gbkName) : nullptr;
    if (account == nullptr) {
        messages_.plain("帐户" + name + "不存在");
        return kExitRefused;
    }
    const PasswordResult typed = readPassword(options_.passwordFile, "帐户" + name + "的密码: ");
    if (!typed.password) {
        err_ << "fiscora-cli: " << typed.error << '\n';
        return kExitUsage;
    }
    // Compared as stored: the GBK bytes of the whole string.
    const std::optional<std::string> gbkPassword = utf8ToGbk(*typed.password);
    if (!gbkPassword || *gbkPassword != fieldBytes(account->password)) {
        messages_.error("密码错误");
        return kExitRefused;
    }
    return workspace_.loadLedgerOf(*account) == LedgerStatus::Ok ? kExitOk : kExitRefused;
}

}  // namespace fiscora::cli
