#include "engine/ledger_change_rules.h"

#include <gtest/gtest.h>

#include "engine/ledger_edits.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

TEST(DeletingRecords, CashMustNotGoBelowZero) {
    // Only the opening deposit: without it the balance is 0.
    EXPECT_TRUE(mayDeleteRecord({cashRecord(RecordType::CashIn, 20240101, 1000)}, 0));

    // Cash in 1000 and a purchase costing 800: the deposit is needed, the purchase not.
    const Ledger bought = {cashRecord(RecordType::CashIn, 20240101, 1000),
                           stockRecord(RecordType::Buy, 20240102, "600036", 79, 10, 10)};
    EXPECT_FALSE(mayDeleteRecord(bought, 0));
    EXPECT_TRUE(mayDeleteRecord(bought, 1));

    // -0.5 without the record counts as 0; -1 does not.
    const Ledger halfShort = {cashRecord(RecordType::CashIn, 20240101, 1000),
                              cashRecord(RecordType::CashIn, 20240101, 0.5),
                              cashRecord(RecordType::CashOut, 20240102, 1000.5)};
    EXPECT_TRUE(mayDeleteRecord(halfShort, 1));
    const Ledger oneShort = {cashRecord(RecordType::CashIn, 20240101, 1000),
                             cashRecord(RecordType::CashIn, 20240101, 1),
                             cashRecord(RecordType::CashOut, 20240102, 1001)};
    EXPECT_FALSE(mayDeleteRecord(oneShort, 1));
    // A withdrawal may always go as far as cash is concerned.
    EXPECT_TRUE(mayDeleteRecord(oneShort, 2));
}

TEST(DeletingRecords, StockRecordsNeedTheirShares) {
    // Sold in full: the purchase is refused, the sale and a dividend may go.
    const Ledger closed = {cashRecord(RecordType::CashIn, 20240101, 100000),
                           stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                           stockRecord(RecordType::Dividend, 20240201, "600036", 1000, 0.2, 0),
                           stockRecord(RecordType::Sell, 20240301, "600036", 1000, 11, 60)};
    EXPECT_FALSE(mayDeleteRecord(closed, 1));
    EXPECT_TRUE(mayDeleteRecord(closed, 2));
    EXPECT_TRUE(mayDeleteRecord(closed, 3));

    // Still held, but later sales need the shares of the first purchase: refused.
    const Ledger partly = {cashRecord(RecordType::CashIn, 20240101, 100000),
                           stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                           stockRecord(RecordType::Buy, 20240103, "600036", 200, 10, 10),
                           stockRecord(RecordType::Sell, 20240301, "600036", 600, 11, 30),
                           stockRecord(RecordType::BonusShares, 20240401, "600036", 100, 0, 0)};
    EXPECT_FALSE(mayDeleteRecord(partly, 1));
    EXPECT_TRUE(mayDeleteRecord(partly, 2));
    EXPECT_TRUE(mayDeleteRecord(partly, 4));

    // The same code in the other market is another stock.
    Ledger twoMarkets = partly;
    twoMarkets.push_back(stockRecord(RecordType::Buy, 20240501, "600036", 5000, 1, 5, 0));
    EXPECT_FALSE(mayDeleteRecord(twoMarkets, 1));

    // Bonus shares of a stock no longer held are refused, like a purchase.
    Ledger bonusClosed = closed;
    bonusClosed.insert(bonusClosed.begin() + 2,
                       stockRecord(RecordType::BonusShares, 20240105, "600036", 100, 0, 0));
    bonusClosed.push_back(stockRecord(RecordType::Sell, 20240302, "600036", 100, 11, 10));
    EXPECT_FALSE(mayDeleteRecord(bonusClosed, 2));
}

TEST(DeletingRecords, AHoldingAlreadyBelowZeroOnlyStopsWhatLowersIt) {
    // A hand-edited file: a sale without its purchase.
    const Ledger broken = {cashRecord(RecordType::CashIn, 20240101, 100000),
                           stockRecord(RecordType::Sell, 20240301, "600036", 100, 11, 10),
                           stockRecord(RecordType::Dividend, 20240401, "600036", 100, 0.1, 0)};
    EXPECT_TRUE(mayDeleteRecord(broken, 1));
    EXPECT_TRUE(mayDeleteRecord(broken, 2));
}

TEST(ReplacingRecords, HeldSharesMustNotGoBelowZero) {
    const Ledger ledger = {cashRecord(RecordType::CashIn, 20240101, 100000),
                           stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                           stockRecord(RecordType::Sell, 20240301, "600036", 600, 11, 30)};
    // Fewer bought than sold.
    LedgerRecord fewer = ledger[1];
    fewer.quantity = 500;
    EXPECT_FALSE(mayReplaceRecord(ledger, 1, fewer));
    fewer.quantity = 600;
    EXPECT_TRUE(mayReplaceRecord(ledger, 1, fewer));
    // More sold than bought.
    LedgerRecord more = ledger[2];
    more.quantity = 1001;
    EXPECT_FALSE(mayReplaceRecord(ledger, 2, more));
    // The purchase moved to another code leaves the sale without its shares.
    LedgerRecord moved = stockRecord(RecordType::Buy, 20240102, "600000", 1000, 10, 30);
    EXPECT_FALSE(mayReplaceRecord(ledger, 1, moved));
    // The sale moved to a code never bought.
    LedgerRecord sold = stockRecord(RecordType::Sell, 20240301, "000002", 600, 11, 30, 0);
    EXPECT_FALSE(mayReplaceRecord(ledger, 2, sold));
    // Price, date and remark changes are fine, and so is any cash record.
    LedgerRecord dearer = ledger[1];
    dearer.price = 12;
    dearer.date = 20240401;
    EXPECT_TRUE(mayReplaceRecord(ledger, 1, dearer));
    EXPECT_TRUE(mayReplaceRecord(ledger, 0, cashRecord(RecordType::CashIn, 20240101, 1)));
}

class LedgerEditsTest : public ::testing::Test {
protected:
    LedgerEditsTest() {
        ws.open(dir.path(), std::nullopt);
        writeLedgerHeader(ws.ledgerStore(), owner, "secret");
        saveLedger(ws.ledgerStore(), owner,
                   {test::cashRecord(RecordType::CashIn, 20240101, 1000),
                    test::stockRecord(RecordType::Buy, 20240102, "600036", 79, 10, 10),
                    test::cashRecord(RecordType::CashOut, 20240103, 100)});
        ws.loadLedgerOf(owner);
        ws.holdings.clear();  // stale, as the view may find them
    }
    Ledger reloaded() {
        Ledger back;
        loadLedger(ws.ledgerStore(), owner, back);
        return back;
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace ws{messages};
    AccountInfo owner = test::account("张三", "secret");
};

TEST_F(LedgerEditsTest, RefusedDeletionChangesNoByte) {
    const Bytes before = test::readBytes(dir.file("张三.da0"));
    EXPECT_FALSE(deleteLedgerRecord(ws, owner, 0));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kRecordNeededMessage});
    EXPECT_EQ(ws.ledger.size(), 3u);
    EXPECT_EQ(test::readBytes(dir.file("张三.da0")), before);
    EXPECT_EQ(ws.holdings.size(), 1u);  // recomputed all the same
}

TEST_F(LedgerEditsTest, DeletionAndEditAreWrittenInPlace) {
    EXPECT_TRUE(deleteLedgerRecord(ws, owner, 1));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(ws.holdings.empty());
    Ledger back = reloaded();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].kind(), RecordType::CashOut);

    LedgerRecord edited = test::cashRecord(RecordType::CashIn, 20240301, 1500);
    EXPECT_TRUE(replaceLedgerRecord(ws, owner, 0, edited));
    back = reloaded();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].date, 20240301);  // a later date keeps the record first
    EXPECT_DOUBLE_EQ(back[0].amount, 1500);
    EXPECT_DOUBLE_EQ(cashBalance(ws.ledger), 1400);
}

}  // namespace
}  // namespace fiscora
