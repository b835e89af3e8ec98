#include "qt/widgets/bind.h"

#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextCursor>
#include <memory>
#include <type_traits>

#include "qt/widgets/box_validator.h"
#include "qt/widgets/list_field_model.h"
#include "qt/widgets/tone_colour.h"

namespace fiscora::qt {

namespace {

// The field's entries in a drop-down or a list box, replaced only when they differ, so the
// selection and the scroll position survive a refresh.
template <typename Items> void showItems(Items* widget, const ui::ChoiceField& field) {
    QStringList items;
    for (const auto& item : field.items) items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i) {
        if constexpr (std::is_same_v<Items, QListWidget>)
            shown << widget->item(i)->text();
        else
            shown << widget->itemText(i);
    }
    if (shown != items) {
        widget->clear();
        widget->addItems(items);
    }
}

QDate qDate(std::int32_t yyyymmdd) {
    return {yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100};
}

std::int32_t yyyymmdd(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate localDay(std::time_t t) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).date();
}

// Read-only boxes show the dialog's face colour, as the platform draws them.
void showReadOnly(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
}

// A figure's text in the colour of its gain or loss, else the palette's own.
void showTone(QLineEdit* box, CellTone tone) {
    const QVariant toned = toneColour(tone);
    const QColor colour =
        toned.isValid() ? toned.value<QColor>() : QApplication::palette(box).color(QPalette::Text);
    if (box->palette().color(QPalette::Text) == colour) return;
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}

bool fitsTextField(const QString& text, const ui::TextField& field) {
    if (field.maxChars != 0 && static_cast<std::size_t>(text.size()) > field.maxChars) return false;
    return field.maxGbkBytes == 0 || fitsGbk(text, field.maxGbkBytes);
}

}  // namespace

Bindings::Bindings(ui::DialogModel& model, std::function<void()> afterEvent)
    : model_(model), afterEvent_(std::move(afterEvent)) {}

void Bindings::add(std::function<void()> refresher) {
    refresher();
    refreshers_.push_back(std::move(refresher));
}

void Bindings::refresh() {
    for (const auto& refresher : refreshers_) refresher();
}

void Bindings::done() {
    if (afterEvent_) {
        afterEvent_();
    } else {
        refresh();
    }
}

void Bindings::bind(QLineEdit* edit, ui::TextField& field) {
    edit->setMaxLength(field.maxChars != 0 ? static_cast<int>(field.maxChars) : 32767);
    edit->setEchoMode(field.masked ? QLineEdit::Password : QLineEdit::Normal);
    if (field.maxGbkBytes != 0 || field.digitsOnly)
        edit->setValidator(new BoxValidator(field.maxGbkBytes, field.digitsOnly, edit));
    if (field.alignRight) edit->setAlignment(Qt::AlignRight);
    if (field.readOnly()) showReadOnly(edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, &field](const QString& text) {
        model_.typeText(field, text.toStdString());
        done();
    });
    add([edit, &field] {
        const QSignalBlocker blocker(edit);
        const QString text = QString::fromStdString(field.text);
        if (edit->text() != text) edit->setText(text);
        edit->setEnabled(field.enabled);
        edit->setReadOnly(field.readOnly());
        showTone(edit, field.tone);
    });
}

void Bindings::bind(QPlainTextEdit* edit, ui::TextField& field) {
    edit->setTabChangesFocus(true);
    if (field.readOnly()) showReadOnly(edit);
    // A multi-line box has no validator: an edit beyond the limits is undone at once.
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit, &field] {
        const QString text = edit->toPlainText();
        if (!fitsTextField(text, field)) {
            const QSignalBlocker blocker(edit);
            edit->setPlainText(QString::fromStdString(field.text));
            edit->moveCursor(QTextCursor::End);
            return;
        }
        model_.typeText(field, text.toStdString());
        done();
    });
    add([edit, &field] {
        const QSignalBlocker blocker(edit);
        const QString text = QString::fromStdString(field.text);
        if (edit->toPlainText() != text) edit->setPlainText(text);
        edit->setEnabled(field.enabled);
        edit->setReadOnly(field.readOnly());
    });
}

void Bindings::bind(QComboBox* box, ui::ChoiceField& field) {
    // `activated` comes with every pick by mouse or keyboard, also of the entry shown.
    QObject::connect(box, &QComboBox::activated, box, [this, &field](int index) {
        model_.pickItem(field, index);
        done();
    });
    add([box, &field] {
        const QSignalBlocker blocker(box);
        showItems(box, field);
        box->setCurrentIndex(field.selected);
        box->setEnabled(field.enabled);
    });
}

void Bindings::bind(QListWidget* list, ui::ChoiceField& field) {
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this, &field](int row) {
        model_.pickItem(field, row);
        done();
    });
    add([list, &field] {
        const QSignalBlocker blocker(list);
        showItems(list, field);
        list->setCurrentRow(field.selected);
        list->setEnabled(field.enabled);
    });
}

void Bindings::bind(const std::vector<QRadioButton*>& radios, ui::ChoiceField& field) {
    for (std::size_t i = 0; i < radios.size(); ++i) {
        QRadioButton* radio = radios[i];
        const int index = static_cast<int>(i);
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, &field, index] {
            model_.pickItem(field, index);
            done();
        });
    }
    add([radios, &field] {
        for (std::size_t i = 0; i < radios.size(); ++i) {
            const QSignalBlocker blocker(radios[i]);
            if (i < field.items.size()) radios[i]->setText(QString::fromStdString(field.items[i]));
            radios[i]->setChecked(static_cast<int>(i) == field.selected);
            radios[i]->setEnabled(field.enabled);
        }
    });
}

void Bindings::bind(QCheckBox* box, ui::CheckField& field) {
    box->setText(QString::fromStdString(field.label));
    QObject::connect(box, &QCheckBox::clicked, box, [this, &field](bool checked) {
        model_.setChecked(field, checked);
        done();
    });
    add([box, &field] {
        const QSignalBlocker blocker(box);
        box->setChecked(field.checked);
        box->setEnabled(field.enabled);
    });
}

void Bindings::bind(QDateEdit* edit, ui::DateField& field) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    QObject::connect(edit, &QDateEdit::dateChanged, edit, [this, &field](const QDate& date) {
        model_.pickDate(field, yyyymmdd(date));
        done();
    });
    add([edit, &field] {
        const QSignalBlocker blocker(edit);
        if (field.earliest != 0 || field.latest != 0)
            edit->setDateRange(localDay(field.earliest), localDay(field.latest));
        if (field.date != 0) edit->setDate(qDate(field.date));
        edit->setEnabled(field.enabled);
    });
}

void Bindings::bind(QLabel* label, ui::LabelField& field) {
    add([label, &field] {
        label->setText(QString::fromStdString(field.text));
        label->setEnabled(field.enabled);
    });
}

void Bindings::bind(QTableView* view, ui::ListField& field, std::function<QIcon(int)> markIcon) {
    auto* rows = new ListFieldModel(field, std::move(markIcon), view);
    rows->showIn(view, QFontMetrics(view->font()).height() + 6);
    // Set while the view shows the model's selection, which the model already knows.
    auto syncing = std::make_shared<bool>(false);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [this, &field, syncing](const QModelIndex& current) {
                         if (*syncing) return;
                         model_.pickRow(field, current.isValid() ? current.row() : -1);
                         done();
                     });
    add([view, rows, &field, syncing, shown = field.selectionRevision,
         scrolled = field.scrollRevision, fitted = std::optional<std::uint32_t>()]() mutable {
        *syncing = true;
        const bool rebuilt = rows->sync();
        // Columns widen when the rows or their figures change, not on every event.
        if (rebuilt || fitted != field.figuresRevision) {
            rows->fitColumns(view);
            fitted = field.figuresRevision;
        }
        rows->showSelection(view, rebuilt || shown != field.selectionRevision);
        shown = field.selectionRevision;
        if (scrolled != field.scrollRevision) {
            scrolled = field.scrollRevision;
            if (field.scrollRow >= 0 && field.scrollRow < rows->rowCount())
                view->scrollTo(rows->index(field.scrollRow, 0));
        }
        view->setEnabled(field.enabled);
        *syncing = false;
    });
}

}  // namespace fiscora::qt
