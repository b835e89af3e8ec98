#pragma once

namespace fiscora::ui {

class MainWindowModel;

// The account commands of the main window: creating, logging in to, closing, deleting,
// renaming and re-passwording accounts, and their properties. They act on the selected tree item
// where they need one and show their dialogs through the window's DialogRunner.
class AccountCommands {
public:
    explicit AccountCommands(MainWindowModel& window) : window_(window) {}

    void OnNewAccount();
    void OnLogin();
    void OnCloseAccount();
    void OnDeleteAccount();
    void OnRenameAccount();
    void OnChangePassword();
    void OnAccountProperties();

private:
    MainWindowModel& window_;
};

}  // namespace fiscora::ui
