#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "engine/dates.h"
#include "qt/account/password_view.h"
#include "qt/main/command_menus.h"
#include "qt/main/main_window_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
#include "qt/trade/sell_view.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
using fiscora::test::typeText;
namespace command = fiscora::ui::command;

namespace {

// Logs in to the demo account through its password dialog.
void logInToDemo(MainWindowView& window) {
    onNextModal(
        [](QDialog* dialog) {
            auto* view = dynamic_cast<fiscora::qt::PasswordView*>(dialog);
            QVERIFY(view != nullptr);
            typeText(view->passwordEdit(), QString::fromUtf8(fiscora::demo::kDemoPassword));
            view->loginButton()->click();
        },
        &window);
    const QRect item = window.accountTree()->visualItemRect(window.accountTree()->topLevelItem(0));
    QTest::mouseClick(window.accountTree()->viewport(), Qt::LeftButton, {}, item.center());
}

void pressEnter(QWidget* widget = nullptr) {
    QTest::keyClick(widget != nullptr ? widget : QApplication::focusWidget(), Qt::Key_Return);
}

// Works the next dialog of type View with `act`, made the active window first.
template <typename View> void onNextView(std::function<void(View*)> act, QWidget* except) {
    onNextModal(
        [act](QDialog* dialog) {
            auto* view = dynamic_cast<View*>(dialog);
            QVERIFY(view != nullptr);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            act(view);
        },
        except);
}

const fiscora::LedgerRecord& lastRecord(MainWindowView& window) {
    return window.model().workspace().ledger.back();
}

}  // namespace

class TradeDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void buyWalkingTheFieldsWithEnter() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        logInToDemo(window);
        // Menu bar, toolbar or its drop-down, and the list's popup: every entry is live.
        for (int id : {command::kCashIn, command::kCashOut, command::kBuy, command::kSell}) {
            QVERIFY(window.menus().actionsOf(id).size() >= 2);
            for (QAction* action : window.menus().actionsOf(id)) QVERIFY(action->isEnabled());
        }
        const std::size_t before = window.model().workspace().ledger.size();
        onNextView<fiscora::qt::BuyView>(
            [](fiscora::qt::BuyView* view) {
                QCOMPARE(view->windowTitle(), QStringLiteral("买入股票 -[演示帐户]"));
                QCOMPARE(QApplication::focusWidget(), view->dateEdit());
                QCOMPARE(view->nameLabel()->text(), QStringLiteral("股票名称"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->codeEdit());
                typeText(view->codeEdit(), QStringLiteral("00a0001"));  // the box takes digits only
                QCOMPARE(view->codeEdit()->text(), QStringLiteral("000001"));
                pressEnter();
                // The code decided the market and the focus went past the market box.
                QCOMPARE(view->marketBox()->currentText(), QStringLiteral("深圳"));
                QVERIFY(!view->marketBox()->isEnabled());
                QCOMPARE(view->nameLabel()->text(), QStringLiteral("平安银行"));
                QCOMPARE(QApplication::focusWidget(), view->priceEdit());
                QCOMPARE(view->priceEdit()->selectedText(), QStringLiteral("0"));
                typeText(view->priceEdit(), QStringLiteral("11.38"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->quantityEdit());
                typeText(view->quantityEdit(), QStringLiteral("100"));
                // The sample fee row of 00 codes: 0.3 % with a minimum of 5, 0.1 % stamp duty.
                QCOMPARE(view->commissionBox()->text(), QStringLiteral("6.138"));
                QCOMPARE(view->expenseBox()->text(), QStringLiteral("1144.138"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->remarkEdit());
                typeText(view->remarkEdit(), QStringLiteral("加仓"));
                pressEnter();
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kBuy);

        const auto& ledger = window.model().workspace().ledger;
        QCOMPARE(ledger.size(), before + 1);
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(r.type, 0);
        QCOMPARE(r.market, 0);
        QCOMPARE(QString::fromLatin1(r.stockCode), QStringLiteral("000001"));
        QCOMPARE(r.quantity, 100);
        QCOMPARE(r.amount, 1144.138);
        QCOMPARE(QString::fromStdString(fiscora::fieldText(r.remark)), QStringLiteral("加仓"));
        QCOMPARE(r.date, fiscora::today());
        QVERIFY(window.holdingList()->model()->rowCount() > 0);
    }

    void sellAPickedCode() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        logInToDemo(window);
        QString code;
        int quantity = 0;
        onNextView<fiscora::qt::SellView>(
            [&](fiscora::qt::SellView* view) {
                QVERIFY(view->codeBox()->count() > 1);
                // The arrows walk the fields; they never change the code list.
                view->codeBox()->setFocus();
                QTest::keyClick(view->codeBox(), Qt::Key_Down);
                QCOMPARE(view->codeBox()->currentIndex(), 0);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                QCOMPARE(QApplication::focusWidget(), view->codeBox());
                // Picks codes from the second on (each pick a change) until one may be sold today.
                const int count = view->codeBox()->count();
                for (int i = 1; i <= count && quantity == 0; ++i) {
                    view->codeBox()->setCurrentIndex(i % count);
                    quantity = std::min(100, view->sellableBox()->text().toInt());
                }
                QVERIFY(quantity > 0);
                code = view->codeBox()->currentText();
                QCOMPARE(QApplication::focusWidget(), view->quantityEdit());
                typeText(view->quantityEdit(), QString::number(quantity));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->priceEdit());
                typeText(view->priceEdit(), QStringLiteral("12"));
                QVERIFY(view->incomeBox()->text() != QStringLiteral("0"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->remarkEdit());
                typeText(view->remarkEdit(), QStringLiteral("减仓"));
                pressEnter();
                QCOMPARE(view->remarkEdit()->toPlainText(), QStringLiteral("减仓"));  // no new line
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kSell);

        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(r.type, 1);
        QCOMPARE(QString::fromLatin1(r.stockCode), code);
        QCOMPARE(r.quantity, quantity);
        QCOMPARE(r.price, 12.0);
    }

    void cashOutRefusedThenTakenWithEnter() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        logInToDemo(window);
        const double cash = fiscora::cashBalance(window.model().workspace().ledger);
        QString refusal;
        onNextView<fiscora::qt::CashView>(
            [&](fiscora::qt::CashView* view) {
                QCOMPARE(view->windowTitle(), QStringLiteral("划出资金 -[演示帐户]"));
                QVERIFY(view->balanceLabel()->text().startsWith(QStringLiteral("现有资金:")));
                QVERIFY(view->balanceLabel()->text().endsWith(QStringLiteral("元")));
                fiscora::test::retype(view->amountEdit(), QString::number(cash + 1, 'f', 2));
                onNextModal(
                    [&](QDialog* box) {
                        refusal = static_cast<QMessageBox*>(box)->text();
                        box->accept();
                    },
                    view);
                pressEnter(view->amountEdit());
                QVERIFY(view->isVisible());
                fiscora::test::retype(view->amountEdit(), QStringLiteral("100"));
                typeText(view->remarkEdit(), QStringLiteral("取现"));
                pressEnter(view->remarkEdit());  // Enter confirms from any field
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kCashOut);

        QCOMPARE(refusal, QStringLiteral("没有足够的资金,请减少划出的资金量"));
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(r.type, 7);
        QCOMPARE(r.amount, 100.0);
        QCOMPARE(fiscora::cashBalance(window.model().workspace().ledger), cash - 100);
    }
};

FISCORA_QT_TEST(TradeDialogsTest)
#include "trade_dialogs_test.moc"
