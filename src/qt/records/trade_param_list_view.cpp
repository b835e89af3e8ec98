#include "qt/records/trade_param_list_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

constexpr int kVisibleRows = 12;

}  // namespace

TradeParamListView::TradeParamListView(ui::TradeParamListDialog& model, QWidget* parent)
    : DialogView(model, parent), model_(model),
      list_(table(model.params, [icons = std::array{marketIcon(0), marketIcon(1)}](
                                    int mark) { return icons[mark == 1 ? 1 : 0]; })),
      menu_(new QMenu(this)) {
    const DialogUnits dlu(font());
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(dlu.y(4));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto& action = ui::TradeParamListDialog::kButtons[i];
        buttons_[i] = new HoverButton(QString::fromUtf8(action.caption), this);
        connect(buttons_[i], &QPushButton::clicked, this, [this, &action] { run(action.run); });
        buttons->addWidget(buttons_[i]);
    }
    buttons->addStretch();
    buttons->addWidget(okButton());
    for (const auto& action : ui::TradeParamListDialog::kContextMenu) {
        connect(menu_->addAction(QString::fromUtf8(action.caption)), &QAction::triggered, this,
                [this, &action] { run(action.run); });
    }

    connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        model_.OnDoubleClick(index.row());
        refresh();
    });
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!model_.OnRightClick(list_->indexAt(at).row())) return;
        refresh();
        menu_->exec(list_->viewport()->mapToGlobal(at));
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(7), dlu.x(7), dlu.y(7));
    layout->setSpacing(dlu.x(7));
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

// The list was filled when the dialog opened: every column shows whole, with room for a
// screenful of rows.
void TradeParamListView::showEvent(QShowEvent* event) {
    int width = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < list_->horizontalHeader()->count(); ++i) width += list_->columnWidth(i);
    list_->setMinimumSize(width, list_->horizontalHeader()->sizeHint().height() +
                                     kVisibleRows * list_->verticalHeader()->defaultSectionSize() +
                                     2 * list_->frameWidth());
    adjustSize();
    DialogView::showEvent(event);
}

void TradeParamListView::run(void (ui::TradeParamListDialog::*action)()) {
    (model_.*action)();
    refresh();
}

}  // namespace fiscora::qt
