#include "engine/ledger_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "engine/ledger_edits.h"
#include "engine/statement_import.h"
#include "engine/workspace.h"
#include "store/file_backups.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

auto fieldsOf(const Holding& h) {
    return std::tie(h.market, h.stockCode, h.boughtQty, h.soldQty, h.buyAmount, h.sellAmount,
                    h.sellFee, h.buyFee, h.bonusQty, h.dividendAmount);
}

// Equal position by position and figure by figure, the sums to the last bit.
void expectSameHoldings(const Holdings& actual, const Holdings& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(fieldsOf(actual[i]) == fieldsOf(expected[i])) << "position " << i;
}

void expectSameSums(const CashSums& actual, const CashSums& expected) {
    EXPECT_EQ(std::memcmp(&actual.balance, &expected.balance, sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(&actual.netCashIn, &expected.netCashIn, sizeof(double)), 0);
}

// The whole ledger's sellable position of one stock, as the dialog asked it before.
Holdings sellableInWholeLedger(const Ledger& ledger, std::int32_t date, const Holding& stock) {
    Holdings all = computeSellable(ledger, date);
    std::erase_if(all, [&](const Holding& h) {
        return h.market != stock.market || h.stockCode != stock.stockCode;
    });
    return all;
}

// Every stock the ledger names, closed positions included, once.
Holdings everyStock(const Ledger& ledger) {
    Holdings stocks;
    for (const LedgerRecord& r : ledger) {
        if (!r.isStock()) continue;
        Holding h;
        h.market = r.market;
        h.stockCode.assign(r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode));
        if (std::none_of(stocks.begin(), stocks.end(), [&](const Holding& s) {
                return s.market == h.market && s.stockCode == h.stockCode;
            }))
            stocks.push_back(h);
    }
    return stocks;
}

// A ledger whose sums depend on their order (0.1 + 0.2 and 1e16 + 1), with a stock whose
// first record is dated before day 0 (it counts for the sale, not for the holdings' order),
// one named with bytes after its code's terminator, a closed position, the same code in both
// markets, a dividend, bonus shares and a sale booked on the day of a purchase.
Ledger orderSensitiveLedger() {
    Ledger ledger = {cashRecord(RecordType::CashIn, 20240101, 0.1),
                     stockRecord(RecordType::Buy, -5, "000002", 100, 1.0, 0.2, 0),
                     stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10.0, 0.3),
                     cashRecord(RecordType::CashIn, 20240102, 1e16),
                     stockRecord(RecordType::Buy, 20240103, "000001", 300, 9.5, 5, 0),
                     stockRecord(RecordType::Buy, 20240103, "600036", 200, 10.1, 5, 0),
                     stockRecord(RecordType::Sell, 20240104, "000001", 300, 9.9, 5, 0),
                     cashRecord(RecordType::CashOut, 20240104, 1),
                     stockRecord(RecordType::Buy, 20240105, "000002", 100, 2.0, 0.7, 0),
                     stockRecord(RecordType::Dividend, 20240105, "600036", 0, 0.3, 0),
                     stockRecord(RecordType::BonusShares, 20240106, "600036", 100, 0, 0),
                     stockRecord(RecordType::Buy, 20240107, "600036", 50, 11, 5),
                     stockRecord(RecordType::Sell, 20240107, "600036", 600, 11.2, 5)};
    ledger[0].amount = 0.1;
    std::memcpy(ledger[11].stockCode, "600036\0xy", 10);
    return ledger;
}

TEST(LedgerFiguresTest, OnePassGivesTheHoldingsTheCashSumsAndEachStocksRecords) {
    const Ledger ledger = orderSensitiveLedger();
    const LedgerFigures figures = ledgerFiguresOf(ledger);
    expectSameHoldings(figures.holdings, computeHoldings(ledger, 0, -1));
    expectSameSums(figures.cash, cashSumsOf(ledger));
    EXPECT_EQ(figures.cash.balance, cashBalance(ledger));
    EXPECT_EQ(figures.cash.netCashIn, (0.1 + 1e16) - 1);

    // Each stock's records, in ledger order; the code's bytes after its end take no part.
    using Indices = std::vector<std::uint32_t>;
    auto recordsOf = [&](std::int32_t market, std::string_view code) {
        const auto found = figures.stockRecords.recordsOf(market, code);
        return Indices(found.begin(), found.end());
    };
    EXPECT_EQ(recordsOf(1, "600036"), (Indices{2, 9, 10, 11, 12}));
    EXPECT_EQ(recordsOf(0, "600036"), (Indices{5}));
    EXPECT_EQ(recordsOf(0, "000002"), (Indices{1, 8}));
    EXPECT_EQ(recordsOf(0, "000001"), (Indices{4, 6}));
    EXPECT_TRUE(recordsOf(1, "000001").empty());
    EXPECT_TRUE(recordsOf(1, "60003").empty());
    EXPECT_TRUE(recordsOf(1, "60003600036").empty());  // longer than a record's code
}

TEST(LedgerFiguresTest, OneStocksSellableSharesAreTheWholeLedgers) {
    const Ledger ledger = orderSensitiveLedger();
    const LedgerFigures figures = ledgerFiguresOf(ledger);
    for (const Holding& stock : everyStock(ledger)) {
        for (std::int32_t date : {-10, -5, 20240101, 20240103, 20240104, 20240107, 20240108}) {
            SCOPED_TRACE(stock.stockCode + " on " + std::to_string(date));
            expectSameHoldings(
                computeSellable(
                    ledger, figures.stockRecords.recordsOf(stock.market, stock.stockCode), date),
                sellableInWholeLedger(ledger, date, stock));
        }
    }
}

// An account's ledger in a workspace, as the window has it after the login.
class KeptFiguresTest : public ::testing::Test {
protected:
    KeptFiguresTest() {
        workspace.open(dir.path(), std::nullopt);
        workspace.accounts = {test::account("张三", "secret")};
        workspace.ledger = orderSensitiveLedger();
        EXPECT_TRUE(workspace.writeNewLedgerOf(owner()));
        EXPECT_EQ(workspace.loadLedgerOf(owner()), LedgerStatus::Ok);
    }
    const AccountInfo& owner() const { return workspace.accounts[0]; }

    // What the workspace keeps is what the ledger as it is gives afresh.
    void expectKeptFiguresFresh() {
        const Ledger& ledger = workspace.ledger;
        expectSameHoldings(workspace.holdings, computeHoldings(ledger, 0, -1));
        expectSameSums(workspace.cashSums(), cashSumsOf(ledger));
        for (const Holding& stock : everyStock(ledger)) {
            for (std::int32_t date : {20240103, 20240107, 20240108, 20991231}) {
                SCOPED_TRACE(stock.stockCode + " on " + std::to_string(date));
                expectSameHoldings(workspace.sellableOn(date, stock.market, stock.stockCode),
                                   sellableInWholeLedger(ledger, date, stock));
            }
        }
    }
    void book(const LedgerRecord& record) {
        workspace.appendRecord(record);
        ASSERT_EQ(workspace.saveLedgerOf(owner()), SaveStatus::Saved);
        expectKeptFiguresFresh();
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace workspace{messages};
};

TEST_F(KeptFiguresTest, BookingsKeepEveryFigureAsAFreshPassGivesIt) {
    expectKeptFiguresFresh();
    book(cashRecord(RecordType::CashIn, 20240108, 0.2));
    book(stockRecord(RecordType::Sell, 20240108, "600036", 100, 12, 5));         // listed
    book(stockRecord(RecordType::Buy, 20240108, "000001", 100, 9, 5, 0));        // reopened
    book(stockRecord(RecordType::Buy, 20240108, "300750", 100, 200, 5, 0));      // new
    book(stockRecord(RecordType::Sell, 20240109, "000002", 200, 2.5, 5, 0));     // closed
    book(stockRecord(RecordType::RightsIssue, 20240109, "600036", 30, 8, 0.5));  // listed
}

TEST_F(KeptFiguresTest, EditsDeletionsImportsAndUndoKeepEveryFigureFresh) {
    LedgerRecord edited = workspace.ledger[2];
    edited.quantity = 900;
    edited.amount = 9000.3;
    ASSERT_TRUE(replaceLedgerRecord(workspace, owner(), 2, edited));
    expectKeptFiguresFresh();
    edited = workspace.ledger[7];
    edited.amount = 0.7;
    ASSERT_TRUE(replaceLedgerRecord(workspace, owner(), 7, edited));  // cash only
    expectKeptFiguresFresh();

    ASSERT_TRUE(deleteLedgerRecord(workspace, owner(), 12));
    expectKeptFiguresFresh();

    const std::string header =
        "成交日期,证券代码,证券名称,操作,成交数量,成交均价,手续费,发生金额\n";
    const ImportPreview preview = previewImport(
        workspace.ledger, readStatement(header + "20240110,600036,招商银行,证券卖出,100,11.00,5.00,"
                                                 "1095.00\n20240110,,,银证转入,0,0,0,2000.30\n",
                                        StatementLayouts{}, {}));
    ASSERT_TRUE(bookImport(workspace, owner(), preview));
    expectKeptFiguresFresh();

    // Undone as the window undoes it: the version before the import restored and read again.
    const std::string path = ledgerPath(workspace.dataDirectory(), owner());
    const auto versions = versionsOf(path);
    ASSERT_FALSE(versions.empty());
    ASSERT_TRUE(restoreLedger(workspace.ledgerStore(), owner(), versions.back().path));
    ASSERT_EQ(workspace.loadLedgerOf(owner()), LedgerStatus::Ok);
    expectKeptFiguresFresh();
    book(stockRecord(RecordType::Sell, 20240111, "600036", 10, 12, 5));
}

// A ledger changed behind the workspace's back (its size no longer the one the figures were
// kept for) is answered afresh, never from figures of another ledger.
TEST_F(KeptFiguresTest, ALedgerOfAnotherSizeIsAnsweredAfresh) {
    workspace.ledger.push_back(cashRecord(RecordType::CashIn, 20240108, 5));
    workspace.ledger.push_back(stockRecord(RecordType::Buy, 20240101, "600036", 100, 10, 5));
    EXPECT_EQ(workspace.cashBalance(), cashBalance(workspace.ledger));
    const Holding stock = workspace.holdings.front();
    expectSameHoldings(workspace.sellableOn(20240108, stock.market, stock.stockCode),
                       sellableInWholeLedger(workspace.ledger, 20240108, stock));
    workspace.ledger.clear();
    EXPECT_EQ(workspace.cashBalance(), 0);
    EXPECT_TRUE(workspace.sellableOn(20240108, stock.market, stock.stockCode).empty());
}

}  // namespace
}  // namespace fiscora
