#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "host/module_state.h"
#include "qt/main/main_window_view.h"
#include "qt_test_registry.h"
#include "store/day_bar_file.h"
#include "store/home_quote_source.h"
#include "support/temp_dir.h"
#include "tools/demo/demo_workspace.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::qt::MainWindowView;

namespace {

fiscora::HomeQuoteSource* source = nullptr;

long homeQuotes(const char* code, short market, char* name, float* latest, float* prevClose) {
    return source->lookup(code, market, name, latest, prevClose);
}

void writeText(const std::string& path, const std::string& text) {
    fiscora::test::writeBytes(path + ".new", fiscora::Bytes(text.begin(), text.end()));
    std::rename((path + ".new").c_str(), path.c_str());
}

// The row of the holdings list showing `code`, or -1.
int rowOf(QAbstractItemModel* rows, const QString& code) {
    for (int r = 0; r < rows->rowCount(); ++r)
        if (rows->data(rows->index(r, 1)).toString() == code) return r;
    return -1;
}

}  // namespace

// The desktop program's quote source behind the window: the sample workspace as the home
// folder, one held stock in the quote file, the others priced from their bar files, a
// name learned from a statement.
class HomeQuotesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theHoldingsShowPricesFromEachSource() {
        fiscora::test::SampleWorkspace workspace;
        const std::string home = workspace.folder();
        const std::string quoteFile = home + "quotes.tsv";
        writeText(quoteFile, "600036\t1\t招商银行\t41.00\t40.00\n");
        fiscora::HomeQuoteSource quotes(home, quoteFile);
        source = &quotes;
        fiscora::registerQuoteCallback(&homeQuotes);

        MainWindowView window;
        window.show();
        fiscora::test::loginWith(QString::fromUtf8(fiscora::demo::kDemoPassword), &window);
        window.model().OnTreeClick(0);
        window.sync();
        QAbstractItemModel* rows = window.holdingList()->model();
        const int fromFile = rowOf(rows, "600036");
        QVERIFY(fromFile >= 0);
        QCOMPARE(rows->data(rows->index(fromFile, 7)).toString(), QStringLiteral("41.000"));

        // Another held stock the quote file lacks: its last bar's close, its name learned.
        const int fromBars = fromFile == 0 ? 1 : 0;
        const QString code = rows->data(rows->index(fromBars, 1)).toString();
        const int market = rows->data(rows->index(fromBars, 0)).toString() == "上海" ? 1 : 0;
        const auto bars = fiscora::readDayBarFile(home, market, code.toStdString());
        QVERIFY(!bars.empty());
        writeText(home + "invest/names.tsv",
                  code.toStdString() + "\t" + std::to_string(market) + "\t学来的名称\n");
        window.runCommand(fiscora::ui::command::kRefreshQuotes);
        QCOMPARE(rows->data(rows->index(fromBars, 7)).toString(),
                 QString::number(bars.back().prices[3] / 100.0, 'f', 3));

        // The quote file changed on disk: the next refresh shows it.
        writeText(quoteFile, "600036\t1\t招商银行\t42.50\t40.00\n");
        window.runCommand(fiscora::ui::command::kRefreshQuotes);
        QCOMPARE(rows->data(rows->index(fromFile, 7)).toString(), QStringLiteral("42.500"));

        // Names are asked when the account's list is built: log out and in again.
        window.runCommand(fiscora::ui::command::kCloseAccount);
        fiscora::test::loginWith(QString::fromUtf8(fiscora::demo::kDemoPassword), &window);
        window.model().OnTreeClick(0);
        window.sync();
        QCOMPARE(rows->data(rows->index(rowOf(rows, code), 2)).toString(),
                 QStringLiteral("学来的名称"));

        fiscora::registerQuoteCallback(nullptr);
        source = nullptr;
    }
};

FISCORA_QT_TEST(HomeQuotesWindowTest)
#include "home_quotes_window_test.moc"
