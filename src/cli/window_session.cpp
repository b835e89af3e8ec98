#include "cli/window_session.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "cli/data_location.h"
#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "ui/main/command_ids.h"
#include "ui/main/dialog_fillers.h"

namespace fiscora::cli {

WindowSession::WindowSession(const CliOptions& options, std::ostream& err)
    : options_(options), err_(err), messages_(err), runner_(ui::dialogFillers()),
      window_(messages_, runner_) {}

int WindowSession::open() {
    DataLocation location;
    if (const int code = prepareSession(options_, quotes_, err_, location); code != kExitOk)
        return code;
    dataDirectory_ = location.dataDirectory;
    tradeParamFile_ = location.tradeParamFile;
    // The home folder of a first booking, then the data folder as the window creates it, to
    // lock it.
    std::error_code ignored;
    if (location.homeFolder) std::filesystem::create_directories(*location.homeFolder, ignored);
    ::mkdir(dataDirectory_.c_str(), 0755);
    return lockAndStart();
}

int WindowSession::lockAndStart() {
    lock_ = std::make_unique<FolderLock>(dataDirectory_);
    if (lock_->busy()) {
        messages_.plain(kAnotherProgramWriting);
        return kExitRefused;
    }
    const int shownBefore = messages_.count();
    window_.OnInitDialogAt(dataDirectory_, tradeParamFile_);
    return messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int WindowSession::select(const std::string& name) {
    // The first account of a name, as everywhere else.
    for (std::size_t i = 0; i < window_.tree().size(); ++i) {
        if (window_.tree()[i].text == name) {
            window_.selectTreeItem(static_cast<int>(i));
            return kExitOk;
        }
    }
    messages_.plain("帐户" + name + "不存在");
    return kExitRefused;
}

int WindowSession::login(const std::string& name) {
    if (const int code = select(name); code != kExitOk) return code;
    // The password is asked without the lock, so that a prompt left open keeps no other
    // writer waiting; the window then reads the folder again under the lock.
    lock_.reset();
    std::string typed;
    if (const int code = accountPassword(options_.passwordFile, name, err_, typed); code != kExitOk)
        return code;
    if (const int code = lockAndStart(); code != kExitOk) return code;
    if (const int code = select(name); code != kExitOk) return code;
    runner_.enter({{"password", typed}});
    const int shownBefore = messages_.count();
    window_.OnCommand(ui::command::kLogin);
    const int selected = window_.selectedIndex();
    const bool loggedIn =
        selected >= 0 &&
        window_.tree()[static_cast<std::size_t>(selected)].image == ui::kLoggedInImage;
    return loggedIn && messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

int WindowSession::run(int commandId, ui::Entries entries) {
    return run([this, commandId] { window_.OnCommand(commandId); }, std::move(entries));
}

int WindowSession::run(const std::function<void()>& action, ui::Entries entries) {
    runner_.enter(std::move(entries));
    const int shownBefore = messages_.count();
    action();
    return runner_.confirmed() && messages_.count() == shownBefore ? kExitOk : kExitRefused;
}

}  // namespace fiscora::cli
