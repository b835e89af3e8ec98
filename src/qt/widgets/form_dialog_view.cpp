#include "qt/widgets/form_dialog_view.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

FormDialogView::FormDialogView(ui::DialogModel& model, QWidget* parent)
    : DialogView(model, parent), form_(new QFormLayout) {
    const DialogUnits dlu(font());
    form_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form_->setHorizontalSpacing(dlu.x(6));
    form_->setVerticalSpacing(dlu.y(4));
}

void FormDialogView::addRow(QWidget* box) {
    form_->addRow(captionOf(box), box);
    box->setMinimumWidth(DialogUnits(font()).x(110));
}

void FormDialogView::addRow(const ui::Field& field, QWidget* widget) {
    form_->addRow(new QLabel(QString::fromStdString(field.label), this), widget);
}

void FormDialogView::finish() {
    const DialogUnits dlu(font());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton());
    if (cancelButtonWidget() != nullptr) {
        buttons->addSpacing(dlu.x(10));
        buttons->addWidget(cancelButtonWidget());
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(10), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
