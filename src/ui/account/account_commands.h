#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// The account commands of the main window: creating, logging in to, closing, deleting,
// renaming and re-passwording accounts, and their properties. They act on the selected tree
// item where they need one and show their dialogs through the window's DialogRunner.
void OnNewAccount(CommandContext& window);
void OnLogin(CommandContext& window);
void OnCloseAccount(CommandContext& window);
void OnDeleteAccount(CommandContext& window);
void OnRenameAccount(CommandContext& window);
void OnChangePassword(CommandContext& window);
void OnAccountProperties(CommandContext& window);

}  // namespace fiscora::ui
