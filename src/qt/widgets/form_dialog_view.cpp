#include "qt/widgets/form_dialog_view.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

FormDialogView::FormDialogView(ui::DialogModel& model, QWidget* parent)
    : DialogView(model, parent), form_(new QFormLayout) {
    const DialogUnits dlu(font());
    form_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form_->setHorizontalSpacing(dlu.x(6));
    form_->setVerticalSpacing(dlu.y(4));
}

void FormDialogView::addRow(QWidget* box) {
    // A check box carries its caption itself, beside the box.
    form_->addRow(qobject_cast<QCheckBox*>(box) != nullptr ? new QLabel(this) : captionOf(box),
                  box);
    box->setMinimumWidth(DialogUnits(font()).x(110));
}

void FormDialogView::addRow(const ui::Field& field, QWidget* widget) {
    form_->addRow(new QLabel(QString::fromStdString(field.label), this), widget);
}

void FormDialogView::finish() {
    finishLayout(form_);
}

}  // namespace fiscora::qt
