#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

#include "engine/dates.h"
#include "engine/number_format.h"
#include "engine/returns.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "qt/analysis/returns_view.h"
#include "qt/main/command_menus.h"
#include "qt/main/main_window_view.h"
#include "qt/widgets/chart_area.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "tools/demo/modal_driver.h"
#include "ui/analysis/returns_table.h"
#include "window_fixture.h"

using fiscora::qt::MainWindowView;
using fiscora::qt::ReturnsView;

namespace {

// The entry `text` of the menu bar's menu `menu`, or null.
QAction* menuEntry(MainWindowView& window, const QString& menu, const QString& text) {
    for (QAction* top : window.menus().menuBar()->actions()) {
        if (top->text() != menu || top->menu() == nullptr) continue;
        for (QAction* entry : top->menu()->actions()) {
            if (entry->text() == text) return entry;
        }
    }
    return nullptr;
}

// The whole history of the ledger up to today, by year, as the engine measures it.
std::vector<fiscora::ReturnsRow> engineRows(const fiscora::Ledger& ledger) {
    fiscora::ReturnsRequest request;
    request.to = fiscora::today();
    request.from = request.to;
    for (const fiscora::LedgerRecord& r : ledger) {
        if (fiscora::isCalendarDate(r.date) && r.date < request.from) request.from = r.date;
    }
    request.byYear = true;
    return fiscora::measureReturns(
        ledger,
        {fiscora::currentDirectory().value_or(""), fiscora::latestPriceByMarket, request.to},
        request);
}

}  // namespace

class ReturnsViewTest : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMenuWithTheEnginesFigures() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        const std::vector<fiscora::ReturnsRow> rows =
            engineRows(window.model().commands().workspace().ledger);
        QVERIFY(!rows.empty());
        bool seen = false;
        fiscora::demo::onNextModal(
            [&seen, &rows](QDialog* dialog) {
                auto* view = dynamic_cast<ReturnsView*>(dialog);
                QVERIFY(view != nullptr);
                seen = true;
                QCOMPARE(view->windowTitle(), QStringLiteral("收益分析 -[演示帐户]"));
                const fiscora::PeriodFigures& f = rows[0].figures;
                const std::pair<const char*, std::string> shown[] = {
                    {"start-value", fiscora::formatAmount(f.startValue)},
                    {"end-value", fiscora::formatAmount(f.endValue)},
                    {"net-flow", fiscora::formatAmount(f.netFlow())},
                    {"irr", fiscora::ui::rateText(f.irr)},
                    {"twr", fiscora::ui::rateText(f.twr)},
                    {"max-drawdown", fiscora::ui::rateText(f.drawdown.depth)}};
                for (const auto& [name, text] : shown) {
                    auto* box = view->widgetOf<QLineEdit>(name);
                    QCOMPARE(box->text(), QString::fromStdString(text));
                    // Never cut: the figure fits its box.
                    QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <
                                 box->contentsRect().width(),
                             name);
                }
                auto* table = view->widgetOf<QTableView>("periods");
                QCOMPARE(static_cast<std::size_t>(table->model()->rowCount()), rows.size());
                QVERIFY(!view->chartArea()->render().isNull());
                view->okButton()->click();
            },
            &window);
        QAction* entry = menuEntry(window, QStringLiteral("分析(A)"), QStringLiteral("收益分析"));
        QVERIFY(entry != nullptr);
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QVERIFY(seen);
    }
};

FISCORA_QT_TEST(ReturnsViewTest)
#include "returns_view_test.moc"
