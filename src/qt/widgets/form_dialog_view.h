#pragma once

#include "qt/widgets/dialog_view.h"

class QFormLayout;

namespace fiscora::qt {

// A dialog whose fields stand one under another, each beside its caption, with the buttons
// centred below them.
class FormDialogView : public DialogView {
protected:
    FormDialogView(ui::DialogModel& model, QWidget* parent);

    // A row captioned with the label of the box's field (a check box's is its own text).
    void addRow(QWidget* box);
    // A row captioned with `field`'s label, for widgets that show a field without editing it.
    void addRow(const ui::Field& field, QWidget* widget);
    // The buttons under the rows; the dialog then keeps its size.
    void finish();

private:
    QFormLayout* form_;
};

}  // namespace fiscora::qt
