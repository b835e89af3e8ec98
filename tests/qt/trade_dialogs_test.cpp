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
#include <algorithm>
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
#include "support/packed_field.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
using fiscora::test::logInToDemo;
using fiscora::test::onNextView;
using fiscora::test::pressEnter;
using fiscora::test::typeText;
namespace command = fiscora::ui::command;

namespace {

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
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                QCOMPARE(view->widgetOf<QLabel>("name")->text(), QStringLiteral("股票名称"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("code"));
                typeText(view->widgetOf<QLineEdit>("code"),
                         QStringLiteral("00a0001"));  // the box takes digits only
                QCOMPARE(view->widgetOf<QLineEdit>("code")->text(), QStringLiteral("000001"));
                pressEnter();
                // The code decided the market and the focus went past the market box.
                QCOMPARE(view->widgetOf<QComboBox>("market")->currentText(),
                         QStringLiteral("深圳"));
                QVERIFY(!view->widgetOf<QComboBox>("market")->isEnabled());
                QCOMPARE(view->widgetOf<QLabel>("name")->text(), QStringLiteral("平安银行"));
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("price"));
                QCOMPARE(view->widgetOf<QLineEdit>("price")->selectedText(), QStringLiteral("0"));
                typeText(view->widgetOf<QLineEdit>("price"), QStringLiteral("11.38"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("quantity"));
                typeText(view->widgetOf<QLineEdit>("quantity"), QStringLiteral("100"));
                // The sample fee row of 00 codes: 0.3 % with a minimum of 5, 0.1 % stamp duty.
                QCOMPARE(view->widgetOf<QLineEdit>("commission")->text(), QStringLiteral("6.138"));
                QCOMPARE(view->widgetOf<QLineEdit>("expense")->text(), QStringLiteral("1144.138"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("remark"));
                typeText(view->widgetOf<QLineEdit>("remark"), QStringLiteral("加仓"));
                pressEnter();
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kBuy);

        const auto& ledger = window.model().workspace().ledger;
        QCOMPARE(ledger.size(), before + 1);
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 0);
        QCOMPARE(fiscora::test::unpacked(r.market), 0);
        QCOMPARE(QString::fromLatin1(r.stockCode), QStringLiteral("000001"));
        QCOMPARE(fiscora::test::unpacked(r.quantity), 100);
        QCOMPARE(fiscora::test::unpacked(r.amount), 1144.138);
        QCOMPARE(QString::fromStdString(fiscora::fieldText(r.remark)), QStringLiteral("加仓"));
        QCOMPARE(fiscora::test::unpacked(r.date), fiscora::today());
        QVERIFY(window.holdingList()->model()->rowCount() > 0);
    }

    void stockDialogsKeepTheKeyboardInTheirFields() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        logInToDemo(window);
        onNextView<fiscora::qt::BuyView>(
            [](fiscora::qt::BuyView* view) {
                // 确定 and 取消 are no tab stops: Tab comes round from the remark to the date.
                QCOMPARE(view->okButton()->focusPolicy(), Qt::NoFocus);
                QCOMPARE(view->cancelButtonWidget()->focusPolicy(), Qt::NoFocus);
                QCOMPARE(view->widgetOf<QLineEdit>("max-buyable")->focusPolicy(), Qt::NoFocus);
                // Tab leaves the date picker instead of stepping to its month.
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                QTest::keyClick(view->widgetOf<QDateEdit>("date"), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("code"));
                typeText(view->widgetOf<QLineEdit>("code"),
                         QStringLiteral("100001"));  // either market
                view->widgetOf<QLineEdit>("remark")->setFocus(Qt::TabFocusReason);
                QTest::keyClick(view->widgetOf<QLineEdit>("remark"), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                // Arriving in the picker by an arrow selects its whole text.
                view->widgetOf<QLineEdit>("code")->setFocus(Qt::TabFocusReason);
                QTest::keyClick(view->widgetOf<QLineEdit>("code"), Qt::Key_Up);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                const auto* shown = view->widgetOf<QDateEdit>("date")->findChild<QLineEdit*>();
                QVERIFY(shown != nullptr);
                QCOMPARE(shown->selectedText(), shown->text());
                view->reject();
            },
            &window);
        window.runCommand(command::kBuy);
        onNextView<fiscora::qt::SellView>(
            [](fiscora::qt::SellView* view) {
                QCOMPARE(view->okButton()->focusPolicy(), Qt::NoFocus);
                QCOMPARE(view->cancelButtonWidget()->focusPolicy(), Qt::NoFocus);
                // The profit box is read-only but in the tab chain, after the remark.
                view->widgetOf<QPlainTextEdit>("remark")->setFocus(Qt::TabFocusReason);
                QTest::keyClick(view->widgetOf<QPlainTextEdit>("remark"), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("profit"));
                QVERIFY(view->widgetOf<QLineEdit>("profit")->isReadOnly());
                QTest::keyClick(view->widgetOf<QLineEdit>("profit"), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QDateEdit>("date"));
                view->reject();
            },
            &window);
        window.runCommand(command::kSell);
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
                QVERIFY(view->widgetOf<QComboBox>("code")->count() > 1);
                // The dialog opens on the holdings list's selected stock, its first row.
                const int opened = view->widgetOf<QComboBox>("code")->currentIndex();
                QCOMPARE(view->widgetOf<QComboBox>("code")->currentText(),
                         QString::fromStdString(window.model().holdingRows().at(0).cells[1]));
                // The arrows walk the fields; they never change the code list.
                view->widgetOf<QComboBox>("code")->setFocus();
                QTest::keyClick(view->widgetOf<QComboBox>("code"), Qt::Key_Down);
                QCOMPARE(view->widgetOf<QComboBox>("code")->currentIndex(), opened);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QComboBox>("code"));
                // Picks the codes after the one shown (each pick a change) until one may be
                // sold today.
                const int count = view->widgetOf<QComboBox>("code")->count();
                for (int i = 1; i <= count && quantity == 0; ++i) {
                    fiscora::test::pickItem(view->widgetOf<QComboBox>("code"),
                                            (opened + i) % count);
                    quantity = std::min(100, view->widgetOf<QLineEdit>("sellable")->text().toInt());
                }
                QVERIFY(quantity > 0);
                code = view->widgetOf<QComboBox>("code")->currentText();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("quantity"));
                typeText(view->widgetOf<QLineEdit>("quantity"), QString::number(quantity));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QLineEdit>("price"));
                typeText(view->widgetOf<QLineEdit>("price"), QStringLiteral("12"));
                QVERIFY(view->widgetOf<QLineEdit>("income")->text() != QStringLiteral("0"));
                pressEnter();
                QCOMPARE(QApplication::focusWidget(), view->widgetOf<QPlainTextEdit>("remark"));
                typeText(view->widgetOf<QPlainTextEdit>("remark"), QStringLiteral("减仓"));
                pressEnter();
                QCOMPARE(view->widgetOf<QPlainTextEdit>("remark")->toPlainText(),
                         QStringLiteral("减仓"));  // no new line
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kSell);

        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 1);
        QCOMPARE(QString::fromLatin1(r.stockCode), code);
        QCOMPARE(fiscora::test::unpacked(r.quantity), quantity);
        QCOMPARE(fiscora::test::unpacked(r.price), 12.0);
        // The list stays on the stock just sold.
        const auto& rows = window.model().holdingRows();
        const auto sold = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
            return QString::fromStdString(row.cells[1]) == code;
        });
        QVERIFY(sold != rows.end());
        QCOMPARE(window.holdingList()->currentIndex().row(), static_cast<int>(sold - rows.begin()));
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
                QVERIFY(view->widgetOf<QLabel>("balance")->text().startsWith(
                    QStringLiteral("现有资金:")));
                QVERIFY(view->widgetOf<QLabel>("balance")->text().endsWith(QStringLiteral("元")));
                fiscora::test::retype(view->widgetOf<QLineEdit>("amount"),
                                      QString::number(cash + 1, 'f', 2));
                onNextModal(
                    [&](QDialog* box) {
                        refusal = static_cast<QMessageBox*>(box)->text();
                        box->accept();
                    },
                    view);
                pressEnter(view->widgetOf<QLineEdit>("amount"));
                QVERIFY(view->isVisible());
                fiscora::test::retype(view->widgetOf<QLineEdit>("amount"), QStringLiteral("100"));
                typeText(view->widgetOf<QLineEdit>("remark"), QStringLiteral("取现"));
                pressEnter(view->widgetOf<QLineEdit>("remark"));  // Enter confirms from any field
                QVERIFY(!view->isVisible());
            },
            &window);
        window.runCommand(command::kCashOut);

        QCOMPARE(refusal, QStringLiteral("没有足够的资金,请减少划出的资金量"));
        const fiscora::LedgerRecord& r = lastRecord(window);
        QCOMPARE(fiscora::test::unpacked(r.type), 7);
        QCOMPARE(fiscora::test::unpacked(r.amount), 100.0);
        QCOMPARE(fiscora::cashBalance(window.model().workspace().ledger), cash - 100);
    }
};

FISCORA_QT_TEST(TradeDialogsTest)
#include "trade_dialogs_test.moc"
