#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "qt/widgets/bind.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;
class QDateEdit;
class QTableView;
class QLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace fiscora::qt {

class HoverButton;

// The window of a dialog model. It mirrors the model after every event: the bound
// fields, the caption and the focus the model asks for. Enter and the arrow keys in a
// field go to the model, which decides whether they move the focus or confirm; arrow
// keys never change a drop-down's selection, and Tab leaves a date picker. The dialog
// closes confirmed only when the model's OnConfirm accepts.
//
// A view is its layout and one line per field: the widget functions below make a widget,
// bind it to its field and register it for focus and keys. The keyboard follows from the
// model when the dialog opens: the tab chain is the model's tab order (then the buttons,
// when they take the focus), and a field outside the tab order takes no focus.
class DialogView : public QDialog {
public:
    DialogView(ui::DialogModel& model, QWidget* parent);

    // OnInitDialog, then the modal loop. True when confirmed.
    bool runModal();

    // The buttons the model declares; the cancel button is null when it has none.
    HoverButton* okButton() const { return ok_; }
    HoverButton* cancelButtonWidget() const { return cancel_; }

protected:
    QLineEdit* lineEdit(ui::TextField& field);
    QPlainTextEdit* textEdit(ui::TextField& field);
    QComboBox* dropDown(ui::ChoiceField& field);
    QDateEdit* datePicker(ui::DateField& field);
    QLabel* text(ui::LabelField& field);
    QListWidget* listBox(ui::ChoiceField& field);
    // One radio button per item, captioned with it.
    std::vector<QRadioButton*> radioButtons(ui::ChoiceField& field);
    // Captioned with the field's label.
    QCheckBox* checkBox(ui::CheckField& field);
    // A report list; `markIcon` draws a row's mark (bind.h), none when not given.
    QTableView* table(ui::ListField& field, std::function<QIcon(int mark)> markIcon = {});

    // The field a widget made above shows, or null.
    const ui::Field* fieldOf(QWidget* widget) const;
    // The caption and the note (null when it has none) of a widget's field.
    QLabel* captionOf(QWidget* box);
    QLabel* noteOf(QWidget* box);

    // The usual dialog layout: `form` above, the buttons centred in a row below; the dialog
    // then keeps that size.
    void finishLayout(QLayout* form);

    // Model -> widgets.
    void refresh();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Widget, typename FieldType> Widget* made(FieldType& field);
    void watch(QWidget* widget, const ui::Field* field);
    void deriveKeyboard();
    void confirm();
    void applyFocusRequest();
    bool handleKey(QWidget* widget, int key);

    ui::DialogModel& model_;
    Bindings bindings_;
    HoverButton* ok_;
    HoverButton* cancel_ = nullptr;
    std::map<QWidget*, const ui::Field*> fields_;
    std::uint32_t appliedFocusRequest_ = 0;
};

}  // namespace fiscora::qt
