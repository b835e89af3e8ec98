#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "qt/widgets/bind.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QListWidget;
class QRadioButton;
class QDateEdit;
class QTableView;
class QLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

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
//
// The model's actions (DialogAction) become push buttons (actionButtons(), which the view
// places), the entries of one context menu (opened by a right click on a list row or by a
// view's own chart) and window shortcuts; each is enabled as the model says after every event.
class DialogView : public QDialog {
public:
    DialogView(ui::DialogModel& model, QWidget* parent);

    // OnInitDialog, then the modal loop. True when confirmed.
    bool runModal();

    // The buttons the model declares; the cancel button is null when it has none.
    HoverButton* okButton() const { return ok_; }
    HoverButton* cancelButtonWidget() const { return cancel_; }
    // The buttons of the model's actions, in order.
    const std::vector<HoverButton*>& actionButtons() const { return actionButtons_; }
    // The push button of the action captioned `caption`, or null.
    HoverButton* buttonOf(const QString& caption) const;
    // The context menu the model's actions make (empty when it declares none).
    QMenu* contextMenu() const { return menu_; }

    // The widget that shows `field` (the `index`th of a field shown by several, such as
    // radio buttons), or null; by the field's name, for those who do not hold the model.
    QWidget* widgetOf(const ui::Field& field, int index = 0) const;
    QWidget* widgetOf(const std::string& name, int index = 0) const;
    template <typename Widget> Widget* widgetOf(const std::string& name, int index = 0) const {
        return qobject_cast<Widget*>(widgetOf(name, index));
    }

    // Model -> widgets, after every event.
    virtual void refresh();

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
    // A report list; `markIcon` draws a row's mark (bind.h), none when not given. When the
    // dialog shows, the list is made wide enough for every column, fitted to its rows, and
    // tall enough for `visibleRows` rows (0: no minimum), and the dialog grows to hold it.
    // A double click or Enter on a row activates it, a right click selects it and opens the
    // context menu, both through the model.
    QTableView* table(ui::ListField& field, std::function<QIcon(int mark)> markIcon = {},
                      int visibleRows = 0);

    // The field a widget made above shows, or null.
    const ui::Field* fieldOf(QWidget* widget) const;
    // The caption and the note (null when it has none) of a widget's field.
    QLabel* captionOf(QWidget* box);
    QLabel* noteOf(QWidget* box);

    // The usual dialog layout: `form` above, the buttons centred in a row below; the dialog
    // then keeps that size.
    void finishLayout(QLayout* form);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    template <typename Widget, typename FieldType> Widget* made(FieldType& field);
    void watch(QWidget* widget, const ui::Field* field);
    const ui::Field* const* fieldEntry(QWidget* widget) const;
    void deriveKeyboard();
    void makeActions();
    void runAction(const ui::DialogAction& action);
    void confirm();
    void applyFocusRequest();
    bool handleKey(QWidget* widget, const QKeyEvent& key);
    void fitTables();

    ui::DialogModel& model_;
    Bindings bindings_;
    HoverButton* ok_;
    HoverButton* cancel_ = nullptr;
    // Every widget made for a field, in the order made (buttons with a null field).
    std::vector<std::pair<QWidget*, const ui::Field*>> fields_;
    std::vector<HoverButton*> actionButtons_;
    QMenu* menu_;
    // Enabled or not as the model says: the buttons and menu entries of actions.
    std::vector<std::pair<QWidget*, const ui::DialogAction*>> actionWidgets_;
    std::vector<std::pair<QAction*, const ui::DialogAction*>> menuEntries_;
    // The lists sized when the dialog shows, with the rows each shows at least.
    std::vector<std::pair<QTableView*, int>> sizedTables_;
    std::uint32_t appliedFocusRequest_ = 0;
};

}  // namespace fiscora::qt
