#include "ui/analysis/chart_command.h"

#include "ui/analysis/chart_dialog.h"

namespace fiscora::ui {

void OnCharts(CommandContext& window, ChartKind kind) {
    const auto account = window.AccountGuard();
    if (!account) return;
    Workspace& workspace = window.workspace();
    ChartDialog charts(window.messages(), account->name, holdingRows(workspace, workspace.holdings),
                       kind);
    window.dialogs().run(charts);
}

}  // namespace fiscora::ui
