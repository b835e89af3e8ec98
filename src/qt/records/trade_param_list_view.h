#pragma once

#include <array>

#include "qt/widgets/dialog_view.h"
#include "ui/records/trade_param_list_dialog.h"

class QMenu;
class QTableView;

namespace fiscora::qt {

// 参数设置: the fee table's list with its market icons; 增加, 删除, 修改 and 关闭 beside it. A
// double click on a row modifies it; a right click on a row opens 增加参数, 修改参数, 删除参数.
class TradeParamListView : public DialogView {
public:
    TradeParamListView(ui::TradeParamListDialog& model, QWidget* parent);

    QTableView* list() const { return list_; }
    // 增加, 删除, 修改, in the order of the model's buttons.
    HoverButton* actionButton(std::size_t index) const { return buttons_.at(index); }
    QMenu* contextMenu() const { return menu_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void run(void (ui::TradeParamListDialog::*action)());

    ui::TradeParamListDialog& model_;
    QTableView* list_;
    QMenu* menu_;
    std::array<HoverButton*, ui::TradeParamListDialog::kButtons.size()> buttons_{};
};

}  // namespace fiscora::qt
