#include "qt/trade/transaction_view.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

TransactionView::TransactionView(ui::TransactionDialog& model, QWidget* parent)
    : DialogView(model, parent), form_(new QGridLayout), date_(new QDateEdit(this)),
      ok_(confirmButton(QString::fromUtf8(ui::TransactionDialog::kConfirmButton))),
      cancel_(cancelButton(QString::fromUtf8(ui::TransactionDialog::kCancelButton))) {
    const DialogUnits dlu(font());
    form_->setHorizontalSpacing(dlu.x(6));
    form_->setVerticalSpacing(dlu.y(3));
    form_->setColumnStretch(2, 1);
    date_->setMinimumWidth(numberBoxWidth());
}

int TransactionView::numberBoxWidth() const {
    return DialogUnits(font()).x(80);
}

void TransactionView::addRow(const char* caption, QWidget* box, QWidget* note) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setBuddy(box);
    form_->addWidget(label, rows_, 0, Qt::AlignLeft | Qt::AlignVCenter);
    form_->addWidget(box, rows_, 1);
    if (note != nullptr) form_->addWidget(note, rows_, 2, Qt::AlignLeft | Qt::AlignVCenter);
    ++rows_;
}

void TransactionView::addWideRow(QWidget* widget) {
    form_->addWidget(widget, rows_, 0, 1, 3);
    ++rows_;
}

QLineEdit* TransactionView::figureBox(ui::TextField& field) {
    auto* box = new QLineEdit(this);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(numberBoxWidth());
    showReadOnly(box);
    bindings().bind(box, field);
    return box;
}

void TransactionView::showReadOnly(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
}

QLabel* TransactionView::note(const std::string& text) {
    return new QLabel(QString::fromStdString(text), this);
}

void TransactionView::chainTabs(std::initializer_list<QWidget*> widgets) {
    const QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) setTabOrder(const_cast<QWidget*>(previous), widget);
        previous = widget;
    }
}

void TransactionView::finish() {
    const DialogUnits dlu(font());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addSpacing(dlu.x(14));
    buttons->addWidget(cancel_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(8), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
