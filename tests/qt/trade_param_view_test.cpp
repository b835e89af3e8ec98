#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "qt/records/trade_param_view.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"
#include "window_fixture.h"

using fiscora::qt::TradeParamView;
using fiscora::test::retype;

class TradeParamViewTest : public QObject {
    Q_OBJECT

private slots:
    void enterWalksTheFieldsAndConfirmsFromTheOrderFee() {
        fiscora::test::RecordingMessages messages;
        fiscora::ui::TradeParamDialog model(messages);
        fiscora::demo::onNextModal([](QDialog* dialog) {
            auto* view = static_cast<TradeParamView*>(dialog);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QCOMPARE(view->okButton()->text(), QString::fromUtf8("增加"));
            QCOMPARE(view->marketBox()->currentText(), QString::fromUtf8("上海"));
            QCOMPARE(view->codePrefixEdit()->maxLength(), 6);
            QCOMPARE(view->commissionEdit()->maxLength(), 19);
            QCOMPARE(QApplication::focusWidget(), view->marketBox());
            QTest::keyClick(view->marketBox(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), view->codePrefixEdit());
            fiscora::test::typeText(view->codePrefixEdit(), "600");
            QTest::keyClick(view->codePrefixEdit(), Qt::Key_Return);
            fiscora::test::typeText(view->categoryNameEdit(), QString::fromUtf8("沪A"));
            QTest::keyClick(view->categoryNameEdit(), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), view->commissionEdit());
            retype(view->commissionEdit(), "0.25");
            retype(view->orderFeeEdit(), "1");
            QTest::keyClick(view->orderFeeEdit(), Qt::Key_Return);  // confirms
        });
        TradeParamView view(model, nullptr);
        QVERIFY(view.runModal());
        QVERIFY(messages.shown.empty());
        QCOMPARE(fiscora::test::unpacked(model.row().market), 1);
        QCOMPARE(QString::fromLatin1(model.row().codePrefix), QString("600"));
        QCOMPARE(fiscora::fieldText(model.row().categoryName), std::string("沪A"));
        QCOMPARE(fiscora::test::unpacked(model.row().commissionRate), 0.0025);
        QCOMPARE(fiscora::test::unpacked(model.row().orderFee), 1.0);
    }

    void aRefusalKeepsTheDialogOpenOnTheBoxToCorrect() {
        fiscora::test::RecordingMessages messages;
        fiscora::ui::TradeParamDialog model(messages);
        fiscora::demo::onNextModal([&messages](QDialog* dialog) {
            auto* view = static_cast<TradeParamView*>(dialog);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            view->okButton()->click();  // no name
            QVERIFY(view->isVisible());
            QCOMPARE(messages.shown.size(), std::size_t(1));
            QCOMPARE(QApplication::focusWidget(), view->categoryNameEdit());
            dialog->reject();
        });
        TradeParamView view(model, nullptr);
        QVERIFY(!view.runModal());
    }
};

FISCORA_QT_TEST(TradeParamViewTest)
#include "trade_param_view_test.moc"
