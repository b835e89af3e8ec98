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
            QCOMPARE(view->widgetOf<QComboBox>("market")->currentText(), QString::fromUtf8("上海"));
            QCOMPARE(view->widgetOf<QLineEdit>("prefix")->maxLength(), 6);
            QCOMPARE(view->widgetOf<QLineEdit>("commission")->maxLength(), 19);
            QCOMPARE(QApplication::focusWidget(), view->widgetOf<QComboBox>("market"));
            QTest::keyClick(view->widgetOf<QComboBox>("market"), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("prefix"));
            fiscora::test::typeText(view->widgetOf<QLineEdit>("prefix"), "600");
            QTest::keyClick(view->widgetOf<QLineEdit>("prefix"), Qt::Key_Return);
            fiscora::test::typeText(view->widgetOf<QLineEdit>("name"), QString::fromUtf8("沪A"));
            QTest::keyClick(view->widgetOf<QLineEdit>("name"), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("commission"));
            retype(view->widgetOf<QLineEdit>("commission"), "0.25");
            retype(view->widgetOf<QLineEdit>("order-fee"), "1");
            QTest::keyClick(view->widgetOf<QLineEdit>("order-fee"), Qt::Key_Return);  // confirms
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
            QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("name"));
            dialog->reject();
        });
        TradeParamView view(model, nullptr);
        QVERIFY(!view.runModal());
    }
};

FISCORA_QT_TEST(TradeParamViewTest)
#include "trade_param_view_test.moc"
