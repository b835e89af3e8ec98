#include "qt/widgets/dialog_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/dialog_font.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

DialogView::DialogView(ui::DialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model), bindings_(model, [this] { refresh(); }) {
    setFont(dialogFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const ui::DialogButtons& buttons = model.buttons();
    ok_ = new HoverButton(QString::fromStdString(buttons.confirm), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &DialogView::confirm);
    watch(ok_, nullptr);
    if (!buttons.cancel.empty()) {
        cancel_ = new HoverButton(QString::fromStdString(buttons.cancel), this);
        connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
        watch(cancel_, nullptr);
    }
}

bool DialogView::runModal() {
    deriveKeyboard();
    model_.OnInitDialog();
    refresh();
    return exec() == QDialog::Accepted;
}

template <typename Widget, typename FieldType> Widget* DialogView::made(FieldType& field) {
    auto* widget = new Widget(this);
    bindings_.bind(widget, field);
    watch(widget, &field);
    return widget;
}

QLineEdit* DialogView::lineEdit(ui::TextField& field) {
    return made<QLineEdit>(field);
}

QPlainTextEdit* DialogView::textEdit(ui::TextField& field) {
    return made<QPlainTextEdit>(field);
}

QComboBox* DialogView::dropDown(ui::ChoiceField& field) {
    return made<QComboBox>(field);
}

QDateEdit* DialogView::datePicker(ui::DateField& field) {
    return made<QDateEdit>(field);
}

QListWidget* DialogView::listBox(ui::ChoiceField& field) {
    return made<QListWidget>(field);
}

QCheckBox* DialogView::checkBox(ui::CheckField& field) {
    return made<QCheckBox>(field);
}

QTableView* DialogView::table(ui::ListField& field, std::function<QIcon(int)> markIcon) {
    auto* view = new QTableView(this);
    bindings_.bind(view, field, std::move(markIcon));
    watch(view, &field);
    return view;
}

std::vector<QRadioButton*> DialogView::radioButtons(ui::ChoiceField& field) {
    std::vector<QRadioButton*> radios;
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        radios.push_back(new QRadioButton(this));
        watch(radios.back(), &field);
    }
    bindings_.bind(radios, field);
    return radios;
}

QLabel* DialogView::text(ui::LabelField& field) {
    auto* label = new QLabel(this);
    bindings_.bind(label, field);
    return label;
}

const ui::Field* DialogView::fieldOf(QWidget* widget) const {
    const auto found = fields_.find(widget);
    return found != fields_.end() ? found->second : nullptr;
}

QLabel* DialogView::captionOf(QWidget* box) {
    const ui::Field* field = fieldOf(box);
    auto* label = new QLabel(QString::fromStdString(field != nullptr ? field->label : ""), this);
    label->setBuddy(box);
    return label;
}

QLabel* DialogView::noteOf(QWidget* box) {
    const ui::Field* field = fieldOf(box);
    if (field == nullptr || field->note.empty()) return nullptr;
    return new QLabel(QString::fromStdString(field->note), this);
}

void DialogView::deriveKeyboard() {
    std::map<const ui::Field*, QWidget*> widgets;
    for (const auto& [widget, field] : fields_) {
        if (field == nullptr) continue;
        widgets[field] = widget;
        if (!model_.takesFocus(*field)) widget->setFocusPolicy(Qt::NoFocus);
    }
    std::vector<QWidget*> chain;
    for (const ui::Field* field : model_.tabOrder()) {
        if (const auto found = widgets.find(field); found != widgets.end())
            chain.push_back(found->second);
    }
    for (HoverButton* button : {ok_, cancel_}) {
        if (button == nullptr) continue;
        if (model_.buttons().takeFocus) {
            chain.push_back(button);
        } else {
            button->setFocusPolicy(Qt::NoFocus);
        }
    }
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void DialogView::refresh() {
    setWindowTitle(QString::fromStdString(model_.caption()));
    bindings_.refresh();
    applyFocusRequest();
}

void DialogView::watch(QWidget* widget, const ui::Field* field) {
    fields_[widget] = field;
    widget->installEventFilter(this);
}

void DialogView::confirm() {
    if (model_.OnConfirm()) {
        accept();
        return;
    }
    refresh();
}

void DialogView::applyFocusRequest() {
    if (model_.focusRequest() == appliedFocusRequest_) return;
    appliedFocusRequest_ = model_.focusRequest();
    for (const auto& [widget, field] : fields_) {
        if (field == nullptr || field != model_.focused()) continue;
        widget->setFocus(Qt::OtherFocusReason);
        if (!model_.textSelected()) return;
        if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
        if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) text->selectAll();
        if (auto* date = qobject_cast<QDateEdit*>(widget)) date->selectAll();
        return;
    }
}

bool DialogView::handleKey(QWidget* widget, int key) {
    // Tab leaves a date picker instead of stepping through its year, month and day.
    if (qobject_cast<QDateEdit*>(widget) != nullptr &&
        (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        focusNextPrevChild(key == Qt::Key_Tab);
        return true;
    }
    ui::NavKey navKey;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: navKey = ui::NavKey::Enter; break;
    case Qt::Key_Down: navKey = ui::NavKey::Down; break;
    case Qt::Key_Up: navKey = ui::NavKey::Up; break;
    default: return false;
    }
    const auto outcome = model_.onKey(navKey);
    if (outcome == ui::KeyOutcome::ConfirmRequested) {
        confirm();
        return true;
    }
    refresh();
    // A drop-down never takes the arrows, whatever the model did with them.
    const bool arrowOnDropDown =
        qobject_cast<QComboBox*>(widget) != nullptr && navKey != ui::NavKey::Enter;
    return outcome == ui::KeyOutcome::Moved || arrowOnDropDown;
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto found = fields_.find(widget);
    if (found == fields_.end()) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // The user moved the focus; a request the model makes in answer is applied below.
        appliedFocusRequest_ = model_.focusRequest();
        model_.focusChangedTo(found->second);
        refresh();
    } else if (event->type() == QEvent::KeyPress && found->second != nullptr) {
        return handleKey(widget, static_cast<QKeyEvent*>(event)->key());
    }
    return QDialog::eventFilter(watched, event);
}

void DialogView::finishLayout(QLayout* form) {
    const DialogUnits dlu(font());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton());
    if (cancelButtonWidget() != nullptr) {
        buttons->addSpacing(dlu.x(14));
        buttons->addWidget(cancelButtonWidget());
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(8), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
