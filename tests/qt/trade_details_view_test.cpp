// 交易明细 over the sample workspace: opened by a double click on a holdings row, its rows
// and remark followed with the keyboard, its figures those of the main list and the
// account's properties.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

#include "engine/account_summary.h"
#include "engine/trade_details.h"
#include "qt/analysis/trade_details_view.h"
#include "qt/main/main_window_view.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "tools/demo/modal_driver.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
using fiscora::qt::TradeDetailsView;

namespace {

int rowOf(MainWindowView& window, const std::string& code) {
    const auto& rows = window.model().holdingRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].cells[1] == code) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

class TradeDetailsViewTest : public QObject {
    Q_OBJECT

private slots:
    void aDoubleClickOpensTheRowsStock() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fiscora::test::logInToDemo(window);
        const int row = rowOf(window, "601318");
        QVERIFY(row >= 0);
        const std::vector<std::string> cells = window.model().holdingRows()[row].cells;
        QTableView* list = window.holdingList();

        bool opened = false;
        onNextModal(
            [&](QDialog* dialog) {
                auto* view = dynamic_cast<TradeDetailsView*>(dialog);
                QVERIFY(view != nullptr);
                opened = true;
                QCOMPARE(view->windowTitle(), QStringLiteral("交易明细 -[演示帐户]"));
                auto* table = view->widgetOf<QTableView>("history");
                // A purchase and a sale, the first selected and its remark shown.
                QCOMPARE(table->model()->rowCount(), 2);
                QCOMPARE(table->model()->columnCount(), 9);
                QCOMPARE(view->focusWidget(), table);
                QCOMPARE(table->currentIndex().row(), 0);
                QCOMPARE(view->widgetOf<QPlainTextEdit>("remark")->toPlainText(),
                         QStringLiteral("分批建仓"));
                QVERIFY(view->widgetOf<QPlainTextEdit>("remark")->isReadOnly());
                // The arrows move through the rows, each showing its remark.
                QTest::keyClick(table, Qt::Key_Down);
                QCOMPARE(table->currentIndex().row(), 1);
                QCOMPARE(table->model()->index(1, 2).data().toString(), QStringLiteral("卖出股票"));
                QCOMPARE(view->widgetOf<QPlainTextEdit>("remark")->toPlainText(),
                         QStringLiteral("部分止盈"));
                // No figure or cell is cut.
                const QAbstractItemView* items = table;  // sizeHintForColumn is public there
                for (int c = 0; c < 9; ++c)
                    QVERIFY(table->columnWidth(c) >= items->sizeHintForColumn(c));
                const auto figures = view->findChildren<QLineEdit*>();
                QCOMPARE(figures.size(), 7);
                for (QLineEdit* box : figures) {
                    QVERIFY(box->isReadOnly());
                    QVERIFY(box->fontMetrics().horizontalAdvance(box->text()) <
                            box->contentsRect().width());
                }
                // The held quantity and average price read as in the main list.
                QCOMPARE(figures[0]->text().toStdString(), cells[3]);
                QCOMPARE(figures[1]->text().toStdString(), cells[6]);
                QTest::keyClick(table, Qt::Key_Return);  // Enter closes
            },
            &window);
        // A double click is a click, then the second press.
        list->scrollTo(list->model()->index(row, 1));
        const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(opened);
    }

    // Over every position of both sample accounts, the seven figures agree with the holdings
    // list's and add up to the account's properties.
    void figuresOnTheSampleData() {
        fiscora::test::SampleWorkspace sample;
        fiscora::test::RecordingMessages messages;
        fiscora::Workspace ws(messages, fiscora::OpenMode::ReadOnly);
        ws.open(sample.folder() + "invest/", sample.folder() + "trdpara.dat");
        for (const auto& account : ws.accounts) {
            QCOMPARE(ws.loadLedgerOf(account), fiscora::LedgerStatus::Ok);
            double realised = 0;
            double current = 0;
            double invested = 0;
            for (const fiscora::HoldingRow& row : fiscora::holdingRows(ws, ws.holdings)) {
                const fiscora::Holding& h = row.holding;
                const fiscora::TradeDetailFigures f =
                    fiscora::tradeDetailFigures(ws, h.market, h.stockCode);
                QCOMPARE(f.heldQty, row.figures.heldQty);
                QCOMPARE(f.averagePrice, row.figures.averagePrice);
                QCOMPARE(f.buyAmount, h.buyAmount);
                QCOMPARE(f.currentProfit, row.figures.floatingProfit);
                QCOMPARE(f.realisedRate, row.figures.realisedRate * 100);
                realised += f.realisedProfit;
                current += f.currentProfit;
                invested += f.buyAmount;
            }
            const fiscora::AccountSummary s = fiscora::accountSummary(ws, account);
            QCOMPARE(realised, s.realisedProfit);
            QCOMPARE(current, s.currentProfit);
            QCOMPARE(invested, s.investmentCost);
        }
        QVERIFY(messages.shown.empty());
    }
};

FISCORA_QT_TEST(TradeDetailsViewTest)
#include "trade_details_view_test.moc"
