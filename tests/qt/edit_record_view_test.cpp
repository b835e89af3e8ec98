#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "host/module_state.h"
#include "qt/records/edit_record_view.h"
#include "qt/widgets/hover_button.h"
#include "qt/widgets/qt_messages.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "tools/demo/modal_driver.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::EditRecordView;

namespace {

fiscora::Ledger sampleLedger() {
    using fiscora::RecordType;
    return {fiscora::test::cashRecord(RecordType::CashIn, 20240102, 100000),
            fiscora::test::stockRecord(RecordType::Buy, 20240103, "600036", 1000, 10, 35)};
}

}  // namespace

class EditRecordViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fiscora::setStandardDefaultTradeParams(); }

    void purchaseEditedWithTheKeyboard() {
        fiscora::test::FakeQuotes quotes;
        quotes.add("600036", 1, *fiscora::utf8ToGbk("招商银行"), 10.5f, 10.2f);
        fiscora::qt::QtMessages messages;
        const fiscora::Ledger ledger = sampleLedger();
        const fiscora::TradeParamTable table;
        fiscora::ui::EditRecordDialog model(messages, "张三", "元", ledger, 1, table);
        EditRecordView view(model, nullptr);
        onNextModal(
            [&view](QDialog*) {
                QCOMPARE(view.windowTitle(), QStringLiteral("修改流水帐 -[张三]"));
                QVERIFY(!view.widgetOf<QComboBox>("kind")->isEnabled());
                QVERIFY(!view.widgetOf<QLineEdit>("fee")->isEnabled());
                QVERIFY(!view.widgetOf<QLineEdit>("amount")->isEnabled());
                QCOMPARE(view.widgetOf<QLabel>("name")->text(), QStringLiteral("招商银行"));
                QCOMPARE(view.widgetOf<QLineEdit>("fee")->text(), QStringLiteral("35.000"));
                QCOMPARE(QApplication::focusWidget(), view.widgetOf<QDateEdit>("date"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), view.widgetOf<QLineEdit>("code"));
                QTest::keyClick(view.widgetOf<QLineEdit>("code"), Qt::Key_Return);
                // The code decides the market, so its box is passed.
                QCOMPARE(QApplication::focusWidget(), view.widgetOf<QLineEdit>("quantity"));
                fiscora::test::retype(view.widgetOf<QLineEdit>("quantity"), QStringLiteral("100"));
                QCOMPARE(view.widgetOf<QLineEdit>("fee")->text(), QStringLiteral("12.000"));
                QCOMPARE(view.widgetOf<QLineEdit>("amount")->text(), QStringLiteral("1012.000"));
                QTest::keyClick(view.widgetOf<QLineEdit>("quantity"), Qt::Key_Return);
                QTest::keyClick(view.widgetOf<QLineEdit>("price"), Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), view.widgetOf<QLineEdit>("remark"));
                QTest::keyClick(view.widgetOf<QLineEdit>("remark"), Qt::Key_Return);
            },
            nullptr);
        QVERIFY(view.runModal());
        QCOMPARE(fiscora::test::unpacked(model.confirmedRecord()->quantity), 100);
        QCOMPARE(fiscora::test::unpacked(model.confirmedRecord()->amount), 1012.0);
    }

    void refusalKeepsTheEditorOpen() {
        fiscora::qt::QtMessages messages;
        const fiscora::Ledger ledger = sampleLedger();
        const fiscora::TradeParamTable table;
        fiscora::ui::EditRecordDialog model(messages, "张三", "元", ledger, 0, table);
        EditRecordView view(model, nullptr);
        QString refusal;
        onNextModal(
            [&](QDialog*) {
                QVERIFY(view.widgetOf<QLineEdit>("amount")->isEnabled());
                QVERIFY(!view.widgetOf<QLineEdit>("quantity")->isEnabled());
                fiscora::test::retype(view.widgetOf<QLineEdit>("amount"), QStringLiteral("0"));
                onNextModal(
                    [&](QDialog* box) {
                        refusal = static_cast<QMessageBox*>(box)->text();
                        box->accept();
                    },
                    &view);
                QTest::mouseClick(view.okButton(), Qt::LeftButton);
                QVERIFY(view.isVisible());
                view.reject();
            },
            nullptr);
        QVERIFY(!view.runModal());
        QCOMPARE(refusal, QStringLiteral("投入资金不能小于零"));
    }
};

FISCORA_QT_TEST(EditRecordViewTest)
#include "edit_record_view_test.moc"
