#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "engine/dates.h"
#include "qt/widgets/bind.h"
#include "qt/widgets/box_validator.h"
#include "qt_test_registry.h"
#include "window_fixture.h"

using fiscora::qt::Bindings;
namespace ui = fiscora::ui;

namespace {

// The model the widgets hand their actions to; a test registers the events it counts.
class Form : public ui::DialogModel {
public:
    Form() : DialogModel(messages()) {}
    using DialogModel::onChange;

private:
    static fiscora::test::RecordingMessages& messages() {
        static fiscora::test::RecordingMessages shown;
        return shown;
    }
};

}  // namespace

class BindTest : public QObject {
    Q_OBJECT

private slots:
    void lineEditWritesModelAndFiresEventOnTyping() {
        ui::TextField field;
        int events = 0;
        QLineEdit edit;
        Form form;
        Bindings bindings(form);
        form.onChange(field, [&] { ++events; });
        bindings.bind(&edit, field);
        fiscora::test::typeText(&edit, QStringLiteral("招商"));
        QCOMPARE(field.text, std::string("招商"));
        QCOMPARE(events, 2);
    }

    void refreshShowsModelWithoutFiringEvents() {
        ui::TextField field;
        field.masked = true;
        int events = 0;
        QLineEdit edit;
        Form form;
        Bindings bindings(form);
        form.onChange(field, [&] { ++events; });
        bindings.bind(&edit, field);
        QCOMPARE(edit.echoMode(), QLineEdit::Password);
        field.text = "abc";
        field.enabled = false;
        field.kind = ui::FieldKind::Figure;
        bindings.refresh();
        QCOMPARE(edit.text(), QStringLiteral("abc"));
        QVERIFY(!edit.isEnabled());
        QVERIFY(edit.isReadOnly());
        QCOMPARE(events, 0);
    }

    void eventMayChangeOtherFieldsWhichRefreshAtOnce() {
        ui::TextField price;
        ui::LabelField total;
        QLineEdit edit;
        QLabel label;
        Form form;
        Bindings bindings(form);
        form.onChange(price, [&] { total.text = "= " + price.text; });
        bindings.bind(&edit, price);
        bindings.bind(&label, total);
        fiscora::test::typeText(&edit, QStringLiteral("12"));
        QCOMPARE(label.text(), QStringLiteral("= 12"));
    }

    void characterLimitStopsTyping() {
        ui::TextField field;
        field.maxChars = 4;
        QLineEdit edit;
        Form form;
        Bindings bindings(form);
        bindings.bind(&edit, field);
        fiscora::test::typeText(&edit, QStringLiteral("123456"));
        QCOMPARE(field.text, std::string("1234"));
    }

    void gbkByteLimitCountsChineseAsTwoBytes() {
        ui::TextField field;
        field.maxGbkBytes = 5;
        QLineEdit edit;
        Form form;
        Bindings bindings(form);
        bindings.bind(&edit, field);
        fiscora::test::typeText(&edit, QStringLiteral("平安银行"));
        QCOMPARE(field.text, std::string("平安"));
        fiscora::test::typeText(&edit, QStringLiteral("a"));
        QCOMPARE(field.text, std::string("平安a"));
    }

    void validatorRefusesTextGbkCannotHold() {
        fiscora::qt::BoxValidator validator(20, false, nullptr);
        int pos = 0;
        QString fits = QStringLiteral("帐户一");
        QString emoji = QStringLiteral("帐户\U0001F600");
        QString tooLong = QString(11, QChar(0x5E10));
        QCOMPARE(validator.validate(fits, pos), QValidator::Acceptable);
        QCOMPARE(validator.validate(emoji, pos), QValidator::Invalid);
        QCOMPARE(validator.validate(tooLong, pos), QValidator::Invalid);
    }

    // Both limits hold at once: a second validator would replace the first.
    void aDigitsBoxWithAByteLimitKeepsBoth() {
        ui::TextField field;
        field.maxGbkBytes = 3;
        field.digitsOnly = true;
        QLineEdit edit;
        Form form;
        Bindings bindings(form);
        bindings.bind(&edit, field);
        fiscora::test::typeText(&edit, QStringLiteral("6a0é0036"));
        QCOMPARE(field.text, std::string("600"));
        QCOMPARE(edit.text(), QStringLiteral("600"));
    }

    void multiLineEditUndoesAnEditBeyondItsLimit() {
        ui::TextField field;
        field.maxGbkBytes = 4;
        QPlainTextEdit edit;
        Form form;
        Bindings bindings(form);
        bindings.bind(&edit, field);
        fiscora::test::typeText(&edit, QStringLiteral("备注说明"));
        QCOMPARE(field.text, std::string("备注"));
        QCOMPARE(edit.toPlainText(), QStringLiteral("备注"));
    }

    void comboBoxMirrorsItemsAndSelection() {
        ui::ChoiceField field;
        field.items = {"深沪A股", "深证B股", "上证B股"};
        field.selected = 0;
        int events = 0;
        QComboBox box;
        Form form;
        Bindings bindings(form);
        form.onChange(field, [&] { ++events; });
        bindings.bind(&box, field);
        QCOMPARE(box.count(), 3);
        QCOMPARE(box.currentText(), QStringLiteral("深沪A股"));
        fiscora::test::pickItem(&box, 2);
        QCOMPARE(field.selected, 2);
        QCOMPARE(events, 1);
        // Picking the entry already shown runs the event again.
        fiscora::test::pickItem(&box, 2);
        QCOMPARE(events, 2);
        field.selected = 1;
        bindings.refresh();
        QCOMPARE(box.currentIndex(), 1);
        QCOMPARE(events, 2);
    }

    void dateEditTakesRangeAndWritesYyyymmdd() {
        ui::DateField field;
        field.date = 20240315;
        field.earliest = fiscora::timeFromDate(20240101);
        field.latest = fiscora::timeFromDate(20241231);
        QDateEdit edit;
        Form form;
        Bindings bindings(form);
        bindings.bind(&edit, field);
        QCOMPARE(edit.date(), QDate(2024, 3, 15));
        QCOMPARE(edit.minimumDate(), QDate(2024, 1, 1));
        QCOMPARE(edit.maximumDate(), QDate(2024, 12, 31));
        edit.setDate(QDate(2024, 7, 9));
        QCOMPARE(field.date, 20240709);
        edit.setDate(QDate(2025, 2, 1));  // outside the range: the picker keeps its limit
        QCOMPARE(field.date, 20241231);
    }
};

FISCORA_QT_TEST(BindTest)
#include "bind_test.moc"
