#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/session_quotes.h"
#include "cli/terminal_messages.h"
#include "store/folder_lock.h"
#include "ui/common/headless_runner.h"
#include "ui/main/main_window_model.h"

namespace fiscora::cli {

// The main window without a screen, for the commands that change data: the same model,
// commands and checks as the window, with every dialog filled from the command line
// (ui::HeadlessRunner with the window's dialog fillers) and every message on the error
// stream. Files are opened as the
// window opens them, creating what is missing.
class WindowSession {
public:
    WindowSession(const CliOptions& options, std::ostream& err);
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // Installs the quotes, locks the data folder and starts the window on it and
    // the fee table of the options. kExitOk, or the failure's exit code with its message
    // shown. The folder stays locked until the session ends, so that what the command reads
    // is still what it rewrites: another program's change waits, and is never lost. A lock
    // another program holds for longer than a writer waits is said, with kExitRefused.
    int open();

    // Selects the first account of that name in the tree. kExitOk or kExitRefused.
    int select(const std::string& name);
    // Selects the account and logs in to it through the window's password prompt, with
    // the password from the command line's password sources, asked with the folder
    // unlocked; the window then starts again under the lock. kExitOk or the exit code.
    int login(const std::string& name);

    // Runs a window command whose dialog takes `entries`; kExitOk when the dialog was
    // confirmed and no message was shown meanwhile (a refusal always shows one), else
    // kExitRefused. An entry the dialog could not take is left in refusal().
    int run(int commandId, ui::Entries entries);
    // The same for any action of the window that shows one dialog.
    int run(const std::function<void()>& action, ui::Entries entries);
    const std::optional<ui::EntryRefusal>& refusal() const { return runner_.refusal(); }

    ui::MainWindowModel& window() { return window_; }
    TerminalMessages& messages() { return messages_; }

private:
    int lockAndStart();

    const CliOptions& options_;
    std::ostream& err_;
    TerminalMessages messages_;
    SessionQuotes quotes_;
    ui::HeadlessRunner runner_;
    std::string dataDirectory_;
    std::optional<std::string> tradeParamFile_;
    std::unique_ptr<FolderLock> lock_;
    ui::MainWindowModel window_;
};

}  // namespace fiscora::cli
