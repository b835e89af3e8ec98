#include "qt/trade/transaction_view.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

TransactionView::TransactionView(ui::TransactionDialog& model, QWidget* parent)
    : DialogView(model, parent), form_(new QGridLayout) {
    const DialogUnits dlu(font());
    form_->setHorizontalSpacing(dlu.x(6));
    form_->setVerticalSpacing(dlu.y(3));
    form_->setColumnStretch(2, 1);
    QDateEdit* date = datePicker(model.tradeDate);
    date->setMinimumWidth(numberBoxWidth());
    addRow(date);
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

void TransactionView::addRowNamed(QWidget* box, ui::LabelField& name) {
    QLabel* shown = text(name);
    shown->setMinimumWidth(numberBoxWidth());
    addRow(box, shown);
}

void TransactionView::addWideRow(QWidget* widget) {
    form_->addWidget(widget, rows_, 0, 1, 3);
    ++rows_;
}

void TransactionView::finish() {
    finishLayout(form_);
}

}  // namespace fiscora::qt
