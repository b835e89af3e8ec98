#include "qt/widgets/dialog_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <map>

#include "qt/widgets/dialog_font.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

DialogView::DialogView(ui::DialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model), bindings_(model, [this] { refresh(); }),
      menu_(new QMenu(this)) {
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
    makeActions();
}

void DialogView::makeActions() {
    for (const ui::DialogAction& action : model_.actions()) {
        const QString caption = QString::fromStdString(action.caption);
        if (action.button) {
            auto* button = new HoverButton(caption, this);
            connect(button, &QPushButton::clicked, this, [this, &action] { runAction(action); });
            actionButtons_.push_back(button);
            actionWidgets_.emplace_back(button, &action);
        }
        if (action.contextMenu) {
            QAction* entry = menu_->addAction(caption);
            connect(entry, &QAction::triggered, this, [this, &action] { runAction(action); });
            menuEntries_.emplace_back(entry, &action);
        }
        // Window shortcuts, taken whichever control has the focus, even while the action
        // may not run.
        for (const std::string& key : action.keys) {
            auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(key)), this);
            connect(shortcut, &QShortcut::activated, this, [this, key] {
                model_.pressKey(key);
                refresh();
            });
        }
    }
}

void DialogView::runAction(const ui::DialogAction& action) {
    model_.runAction(action.caption);
    refresh();
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

QTableView* DialogView::table(ui::ListField& field, std::function<QIcon(int)> markIcon,
                              int visibleRows) {
    auto* view = new QTableView(this);
    bindings_.bind(view, field, std::move(markIcon));
    watch(view, &field);
    // Tab leaves the list for the next control instead of stepping through its cells.
    view->setTabKeyNavigation(false);
    connect(view, &QAbstractItemView::doubleClicked, this, [this, &field](const QModelIndex& at) {
        model_.activateRow(field, at.row());
        refresh();
    });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view, &field](QPoint at) {
        const bool opens = model_.rightClickRow(field, view->indexAt(at).row());
        refresh();
        if (opens) menu_->exec(view->viewport()->mapToGlobal(at));
    });
    sizedTables_.emplace_back(view, visibleRows);
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
    fields_.emplace_back(label, &field);
    return label;
}

const ui::Field* const* DialogView::fieldEntry(QWidget* widget) const {
    for (const auto& entry : fields_) {
        if (entry.first == widget) return &entry.second;
    }
    return nullptr;
}

const ui::Field* DialogView::fieldOf(QWidget* widget) const {
    const ui::Field* const* field = fieldEntry(widget);
    return field != nullptr ? *field : nullptr;
}

QWidget* DialogView::widgetOf(const ui::Field& field, int index) const {
    for (const auto& [widget, shown] : fields_) {
        if (shown == &field && index-- == 0) return widget;
    }
    return nullptr;
}

QWidget* DialogView::widgetOf(const std::string& name, int index) const {
    for (const auto& [widget, shown] : fields_) {
        if (shown != nullptr && shown->name == name) return widgetOf(*shown, index);
    }
    return nullptr;
}

HoverButton* DialogView::buttonOf(const QString& caption) const {
    for (HoverButton* button : actionButtons_) {
        if (button->text() == caption) return button;
    }
    return nullptr;
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
        widgets.emplace(field, widget);
        if (!model_.takesFocus(*field)) widget->setFocusPolicy(Qt::NoFocus);
    }
    std::vector<QWidget*> chain;
    for (const ui::Field* field : model_.tabOrder()) {
        if (const auto found = widgets.find(field); found != widgets.end())
            chain.push_back(found->second);
    }
    // The buttons follow the fields: the model's actions, then confirm and cancel.
    std::vector<HoverButton*> buttons = actionButtons_;
    buttons.push_back(ok_);
    if (cancel_ != nullptr) buttons.push_back(cancel_);
    for (HoverButton* button : buttons) {
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
    for (const auto& [widget, action] : actionWidgets_) widget->setEnabled(action->mayRun());
    for (const auto& [entry, action] : menuEntries_) entry->setEnabled(action->mayRun());
    applyFocusRequest();
}

void DialogView::watch(QWidget* widget, const ui::Field* field) {
    fields_.emplace_back(widget, field);
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

bool DialogView::handleKey(QWidget* widget, const QKeyEvent& event) {
    const int key = event.key();
    // Tab leaves a date picker instead of stepping through its year, month and day.
    if (qobject_cast<QDateEdit*>(widget) != nullptr &&
        (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        focusNextPrevChild(key == Qt::Key_Tab);
        return true;
    }
    // With a modifier a key is the widget's own (Alt+Down opens a drop-down's list).
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
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
    return outcome == ui::KeyOutcome::Moved || outcome == ui::KeyOutcome::Handled ||
           arrowOnDropDown;
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const ui::Field* const* field = widget != nullptr ? fieldEntry(widget) : nullptr;
    if (field == nullptr) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // The user moved the focus; a request the model makes in answer is applied below.
        appliedFocusRequest_ = model_.focusRequest();
        model_.focusChangedTo(*field);
        refresh();
    } else if (event->type() == QEvent::KeyPress && *field != nullptr) {
        return handleKey(widget, *static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void DialogView::showEvent(QShowEvent* event) {
    fitTables();
    QDialog::showEvent(event);
}

// The columns were fitted to the rows OnInitDialog filled: each list is made wide enough for
// all of them and tall enough for its rows, and the dialog grows to hold it.
void DialogView::fitTables() {
    if (sizedTables_.empty()) return;
    for (const auto& [view, rows] : sizedTables_) {
        int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
        for (int i = 0; i < view->horizontalHeader()->count(); ++i) width += view->columnWidth(i);
        const int height = rows == 0 ? view->minimumHeight()
                                     : view->horizontalHeader()->sizeHint().height() +
                                           rows * view->verticalHeader()->defaultSectionSize() +
                                           2 * view->frameWidth();
        view->setMinimumSize(width, height);
    }
    layout()->activate();
    if (minimumSize() == maximumSize()) {
        setFixedSize(sizeHint());
    } else {
        resize(size().expandedTo(sizeHint()));
    }
}

void DialogView::finishLayout(QLayout* form) {
    const DialogUnits dlu(font());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (HoverButton* button : actionButtons_) {
        buttons->addWidget(button);
        buttons->addSpacing(dlu.x(14));
    }
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
