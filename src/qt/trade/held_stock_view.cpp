#include "qt/trade/held_stock_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

HeldStockView::HeldStockView(ui::HeldStockDialog& model, QWidget* parent)
    : TransactionView(model, parent) {
    addRow(dropDown(model.market));
    addRowNamed(dropDown(model.code), model.nameLabel);
}

void HeldStockView::addSchemeRow(ui::TextField& per, ui::TextField& grant) {
    const int schemeBoxWidth = DialogUnits(font()).x(28);
    QLineEdit* perBox = lineEdit(per);
    QLineEdit* grantBox = lineEdit(grant);
    perBox->setFixedWidth(schemeBoxWidth);
    grantBox->setFixedWidth(schemeBoxWidth);
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionOf(perBox));
    layout->addWidget(perBox);
    layout->addWidget(noteOf(perBox));
    layout->addWidget(grantBox);
    layout->addWidget(noteOf(grantBox));
    layout->addStretch();
    addWideRow(line);
}

}  // namespace fiscora::qt
