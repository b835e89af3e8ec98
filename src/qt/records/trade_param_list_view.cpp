#include "qt/records/trade_param_list_view.h"

#include <QHBoxLayout>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

constexpr int kVisibleRows = 12;

}  // namespace

TradeParamListView::TradeParamListView(ui::TradeParamListDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    const std::array icons{marketIcon(0), marketIcon(1)};
    QTableView* list = table(
        model.params, [icons](int mark) { return icons[mark == 1 ? 1 : 0]; }, kVisibleRows);

    const DialogUnits dlu(font());
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(dlu.y(4));
    for (HoverButton* button : actionButtons()) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(okButton());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(7), dlu.x(7), dlu.y(7));
    layout->setSpacing(dlu.x(7));
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
}

}  // namespace fiscora::qt
