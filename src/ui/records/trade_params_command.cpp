#include "ui/records/trade_params_command.h"

#include "ui/records/trade_param_list_dialog.h"

namespace fiscora::ui {

void OnTradeParams(CommandContext& window) {
    TradeParamListDialog dialog(window.workspace(), window.dialogs());
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui
