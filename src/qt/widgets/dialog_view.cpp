#include "qt/widgets/dialog_view.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/widgets/dialog_font.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

DialogView::DialogView(ui::DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setFont(dialogFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

bool DialogView::runModal() {
    model_.OnInitDialog();
    refresh();
    return exec() == QDialog::Accepted;
}

HoverButton* DialogView::confirmButton(const QString& caption) {
    auto* button = new HoverButton(caption, this);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &DialogView::confirm);
    watch(button, nullptr);
    return button;
}

HoverButton* DialogView::cancelButton(const QString& caption) {
    auto* button = new HoverButton(caption, this);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
    watch(button, nullptr);
    return button;
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
        return;
    }
}

bool DialogView::handleKey(QWidget* widget, int key) {
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

}  // namespace fiscora::qt
