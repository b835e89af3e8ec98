#include "qt/widgets/bind.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTextCursor>

#include "qt/widgets/gbk_limit_validator.h"

namespace fiscora::qt {

namespace {

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
void showReadOnly(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
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
    if (field.maxGbkBytes != 0) edit->setValidator(new GbkLimitValidator(field.maxGbkBytes, edit));
    if (field.digitsOnly)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
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
    });
}

void Bindings::bind(QPlainTextEdit* edit, ui::TextField& field) {
    edit->setTabChangesFocus(true);
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
        QStringList items;
        for (const auto& item : field.items) items << QString::fromStdString(item);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        if (shown != items) {
            box->clear();
            box->addItems(items);
        }
        box->setCurrentIndex(field.selected);
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

}  // namespace fiscora::qt
