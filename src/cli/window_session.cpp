#include "cli/window_session.h"

#include <sys/stat.h>

#include "cli/data_location.h"
#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "ui/account/password_dialog.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {

WindowSession::WindowSession(const CliOptions& options, std::ostream& err,
                             ui::HeadlessRunner::Fill fill)
    : options_(options), err_(err), messages_(err), fill_(std::move(fill)),
      runner_([this](ui::DialogModel& dialog) { return fillDialog(dialog); }),
      window_(messages_, runner_) {}

WindowSession::~WindowSession() {
    if (options_.quotesFile) QuoteSnapshot::uninstall();
}

bool WindowSession::fillDialog(ui::DialogModel& dialog) {
    if (auto* prompt = dynamic_cast<ui::PasswordDialog*>(&dialog)) {
        if (!password_) return false;
        prompt->password.text = *password_;
        return true;
    }
    return fill_(dialog);
}

int WindowSession::open() {
    DataLocation location;
    if (const int code = prepareSession(options_, snapshot_, messages_, err_, location);
        code != kExitOk)
        return code;
    ::mkdir(location.dataDirectory.c_str(), 0755);  // as the window creates it, to lock it
    lock_ = std::make_unique<FolderLock>(location.dataDirectory);
    const int shownBefore = messages_.count();
    window_.OnInitDialogAt(location.dataDirectory, location.tradeParamFile);
    return messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int WindowSession::login(const std::string& name) {
    int index = -1;
    for (std::size_t i = 0; i < window_.tree().size(); ++i) {
        if (window_.tree()[i].text == name) index = static_cast<int>(i);
    }
    if (index < 0) {
        messages_.plain("帐户" + name + "不存在");
        return kExitRefused;
    }
    std::string typed;
    if (const int code = accountPassword(options_.passwordFile, name, err_, typed); code != kExitOk)
        return code;
    password_ = typed;
    window_.selectTreeItem(index);
    const int shownBefore = messages_.count();
    window_.OnCommand(ui::command::kLogin);
    const bool loggedIn =
        window_.selectedAccount() != nullptr && window_.selectedAccount()->image != 0;
    return loggedIn && messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int WindowSession::run(int commandId) {
    const int shownBefore = messages_.count();
    window_.OnCommand(commandId);
    return runner_.confirmed() && messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

}  // namespace fiscora::cli
