#include "qt/trade/transaction_view.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

TransactionView::TransactionView(ui::TransactionDialog& model, QWidget* parent)
    : DialogView(model, parent), form_(new QGridLayout), date_(datePicker(model.tradeDate)) {
    const DialogUnits dlu(font());
    form_->setHorizontalSpacing(dlu.x(6));
    form_->setVerticalSpacing(dlu.y(3));
    form_->setColumnStretch(2, 1);
    date_->setMinimumWidth(numberBoxWidth());
}

int TransactionView::numberBoxWidth() const {
    return DialogUnits(font()).x(80);
}

void TransactionView::addRow(QWidget* box, QWidget* note) {
    if (const ui::Field* field = fieldOf(box);
        field != nullptr && field->kind == ui::FieldKind::Figure)
        box->setMinimumWidth(numberBoxWidth());
    if (note == nullptr) note = noteOf(box);
    form_->addWidget(captionOf(box), rows_, 0, Qt::AlignLeft | Qt::AlignVCenter);
    form_->addWidget(box, rows_, 1);
    if (note != nullptr) form_->addWidget(note, rows_, 2, Qt::AlignLeft | Qt::AlignVCenter);
    ++rows_;
}

void TransactionView::addWideRow(QWidget* widget) {
    form_->addWidget(widget, rows_, 0, 1, 3);
    ++rows_;
}

void TransactionView::finish() {
    const DialogUnits dlu(font());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton());
    buttons->addSpacing(dlu.x(14));
    buttons->addWidget(cancelButtonWidget());
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(8), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
