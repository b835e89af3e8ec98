#include "qt/trade/held_stock_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

HeldStockView::HeldStockView(ui::HeldStockDialog& model, QWidget* parent)
    : TransactionView(model, parent), market_(dropDown(model.market)), code_(dropDown(model.code)),
      name_(text(model.nameLabel)), held_(lineEdit(model.held)) {
    name_->setMinimumWidth(numberBoxWidth());
}

void HeldStockView::addStockRows() {
    addRow(dateEdit());
    addRow(market_);
    addRow(code_, name_);
}

void HeldStockView::addSchemeRow(QLineEdit* per, QLineEdit* grant) {
    const int schemeBoxWidth = DialogUnits(font()).x(28);
    per->setFixedWidth(schemeBoxWidth);
    grant->setFixedWidth(schemeBoxWidth);
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionOf(per));
    layout->addWidget(per);
    layout->addWidget(noteOf(per));
    layout->addWidget(grant);
    layout->addWidget(noteOf(grant));
    layout->addStretch();
    addWideRow(line);
}

}  // namespace fiscora::qt
