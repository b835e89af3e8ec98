#include "ui/account/ledger_undo_commands.h"

#include "records/gbk_text.h"
#include "store/ledger_file.h"
#include "ui/account/restore_version_dialog.h"

namespace fiscora::ui {
namespace {

// The ledger read again from the file, and shown with the figures the reading gathered.
void showLedgerOf(CommandContext& window, const AccountInfo& account) {
    window.workspace().loadLedgerOf(account);
    window.showHoldingListAsKept();
}

}  // namespace

void OnUndo(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    LedgerUndoHistory& history = window.undoHistory();
    const LedgerUndoHistory::Change* change =
        history.lastChangeOf(std::string(fieldBytes(account->info.name)));
    if (change == nullptr) {
        window.messages().plain("帐户" + account->name + "没有可以撤销的修改");
        return;
    }
    if (!LedgerUndoHistory::untouchedSince(*change)) {
        window.messages().plain("帐户" + account->name +
                                "的流水帐已被其他程序修改，不能撤销。可以用“恢复…”选择一个版本。");
        return;
    }
    if (!restoreLedger(window.workspace().ledgerStore(), account->info, change->versionPath))
        return;
    history.undone(*change, stampOf(change->path));
    showLedgerOf(window, account->info);
}

void OnRestoreVersions(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    RestoreVersionDialog dialog(window.workspace(), account->info);
    if (window.dialogs().run(dialog)) showLedgerOf(window, account->info);
}

}  // namespace fiscora::ui
