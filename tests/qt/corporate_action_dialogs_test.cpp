#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTest>

#include "engine/dates.h"
#include "qt/main/command_menus.h"
#include "qt/main/main_window_view.h"
#include "qt/trade/bonus_shares_view.h"
#include "qt/trade/dividend_view.h"
#include "qt/trade/rights_issue_view.h"
#include "qt_test_registry.h"
#include "support/packed_field.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
using fiscora::test::onNextView;
using fiscora::test::pressEnter;
using fiscora::test::typeText;
namespace command = fiscora::ui::command;

namespace {

// The window logged in to the demo account, which holds 600036 among others.
void openDemo(MainWindowView& window) {
    window.show();
    fiscora::test::loginWith(QString::fromUtf8(fiscora::demo::kDemoPassword), &window);
    window.model().OnTreeClick(0);
    window.sync();
}

// Picks 600036 in the code list as a user does: typing its digits into the list.
void pick600036(fiscora::qt::HeldStockView* view) {
    view->widgetOf<QComboBox>("code")->setFocus();
    typeText(view->widgetOf<QComboBox>("code"), QStringLiteral("600036"));
    QCOMPARE(view->widgetOf<QComboBox>("code")->currentText(), QStringLiteral("600036"));
    QCOMPARE(view->widgetOf<QComboBox>("market")->currentText(), QStringLiteral("上海"));
    QVERIFY(!view->widgetOf<QComboBox>("market")->isEnabled());
    QCOMPARE(view->widgetOf<QLabel>("name")->text(), QStringLiteral("招商银行"));
}

const fiscora::LedgerRecord& lastRecord(MainWindowView& window) {
    return window.model().workspace().ledger.back();
}

}  // namespace

// Each dialog driven through its widgets from a live menu entry, booking once.
class CorporateActionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void entriesAreLive() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        openDemo(window);
        for (int id : {command::kDividend, command::kBonusShares, command::kRightsIssue}) {
            QVERIFY(window.menus().actionsOf(id).size() >= 2);
            for (QAction* action : window.menus().actionsOf(id)) QVERIFY(action->isEnabled());
        }
    }

    void dividendOnTheHeldShares() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        openDemo(window);
        int held = 0;
        onNextView<fiscora::qt::DividendView>(
            [&](fiscora::qt::DividendView* view) {
                QCOMPARE(view->windowTitle(), QStringLiteral("股票分红 -[演示帐户]"));
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                pick600036(view);
                held = view->widgetOf<QLineEdit>("held")->text().toInt();
                QVERIFY(held > 0);
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("rate"));
                typeText(view->widgetOf<QLineEdit>("rate"), QStringLiteral("0.125"));
                QCOMPARE(view->widgetOf<QLineEdit>("due")->text(),
                         QString::number(held * 0.125, 'f', 3));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("remark"));
                typeText(view->widgetOf<QLineEdit>("remark"), QStringLiteral("年度分红"));
                pressEnter();
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kDividend);
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 2);
        QCOMPARE(QString::fromLatin1(r.stockCode), QStringLiteral("600036"));
        QCOMPARE(fiscora::test::unpacked(r.quantity), held);
        QCOMPARE(fiscora::test::unpacked(r.amount), held * 0.125);
        QCOMPARE(fiscora::test::unpacked(r.date), fiscora::today());
    }

    void bonusSharesUnderAScheme() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        openDemo(window);
        int held = 0;
        onNextView<fiscora::qt::BonusSharesView>(
            [&](fiscora::qt::BonusSharesView* view) {
                pick600036(view);
                held = view->widgetOf<QLineEdit>("held")->text().toInt();
                QCOMPARE(view->widgetOf<QLineEdit>("bonus")->text(), QString::number(held / 10));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("per"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("grant"));
                typeText(view->widgetOf<QLineEdit>("grant"), QStringLiteral("3"));
                QCOMPARE(view->widgetOf<QLineEdit>("bonus")->text(),
                         QString::number(held * 3 / 10));
                pressEnter();
                pressEnter();  // from the remark box
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kBonusShares);
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 3);
        QCOMPARE(fiscora::test::unpacked(r.quantity), held * 3 / 10);
        QCOMPARE(fiscora::test::unpacked(r.cashSign), 0);
    }

    void rightsIssueRefusedThenTaken() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        openDemo(window);
        QString refusal;
        onNextView<fiscora::qt::RightsIssueView>(
            [&](fiscora::qt::RightsIssueView* view) {
                pick600036(view);
                view->widgetOf<QLineEdit>("quantity")->setFocus();
                view->widgetOf<QLineEdit>("quantity")->selectAll();
                typeText(view->widgetOf<QLineEdit>("quantity"), QStringLiteral("100000"));
                view->widgetOf<QLineEdit>("price")->setFocus();
                view->widgetOf<QLineEdit>("price")->selectAll();
                typeText(view->widgetOf<QLineEdit>("price"), QStringLiteral("8.50"));
                onNextModal(
                    [&](QDialog* box) {
                        refusal = static_cast<QMessageBox*>(box)->text();
                        box->accept();
                    },
                    view);
                view->widgetOf<QLineEdit>("remark")->setFocus();
                pressEnter();
                QVERIFY(view->isVisible());
                view->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(view));
                view->widgetOf<QLineEdit>("quantity")->setFocus();
                view->widgetOf<QLineEdit>("quantity")->selectAll();
                typeText(view->widgetOf<QLineEdit>("quantity"), QStringLiteral("100"));
                QVERIFY(view->widgetOf<QLineEdit>("expense")->text().toDouble() > 850);
                view->widgetOf<QLineEdit>("remark")->setFocus();
                pressEnter();
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kRightsIssue);
        QCOMPARE(refusal, QStringLiteral("配股数量超过了最大可配股数，请重填数据"));
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 4);
        QCOMPARE(fiscora::test::unpacked(r.quantity), 100);
        QCOMPARE(fiscora::test::unpacked(r.price), 8.5);
        QCOMPARE(fiscora::test::unpacked(r.cashSign), -1);
    }
};

FISCORA_QT_TEST(CorporateActionDialogsTest)
#include "corporate_action_dialogs_test.moc"
