#pragma once

#include <QIcon>
#include <functional>
#include <vector>

#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;
class QTableView;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace fiscora::qt {

// Ties a dialog's widgets to its model's fields. A user action on a widget goes to the
// model's entry point for it (typeText, pickItem, pickDate), which fires the handler the
// dialog registered; then `afterEvent` runs (by default: refresh every bound widget), so
// the widgets always show what the model holds. Refreshing never fires an event.
// A widget takes its limits, echo mode, alignment and read-only look from its field.
class Bindings {
public:
    explicit Bindings(ui::DialogModel& model, std::function<void()> afterEvent = {});

    void bind(QLineEdit* edit, ui::TextField& field);
    void bind(QPlainTextEdit* edit, ui::TextField& field);
    // Every pick runs the field's handler, the entry already selected included.
    void bind(QComboBox* box, ui::ChoiceField& field);
    void bind(QDateEdit* edit, ui::DateField& field);
    // A plain list box: the field's items, one selected; a click picks.
    void bind(QListWidget* list, ui::ChoiceField& field);
    // One radio button per item of the field.
    void bind(const std::vector<QRadioButton*>& radios, ui::ChoiceField& field);
    void bind(QCheckBox* box, ui::CheckField& field);
    void bind(QLabel* label, ui::LabelField& field);
    // A report list over the field's rows (`markIcon` draws a row's mark in its first
    // column). The current row the user chooses goes to the model (pickRow); a selection
    // the model moves (ListField::select) or a rebuilt list is shown and scrolled into sight,
    // and so is a row the model asks to show (ListField::showRow).
    void bind(QTableView* view, ui::ListField& field, std::function<QIcon(int mark)> markIcon);

    // Model -> widgets, for every binding.
    void refresh();

private:
    void add(std::function<void()> refresher);
    void done();

    ui::DialogModel& model_;
    std::function<void()> afterEvent_;
    std::vector<std::function<void()>> refreshers_;
};

}  // namespace fiscora::qt
