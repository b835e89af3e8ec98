#include "engine/stock_record_removal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/builders.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

// The records' (kind, market, code, date) in ledger order, to compare survivors whole.
std::vector<std::string> describe(const Ledger& ledger) {
    std::vector<std::string> rows;
    for (const LedgerRecord& r : ledger) {
        rows.push_back(std::to_string(r.type) + "/" + std::to_string(r.market) + "/" + r.stockCode +
                       "/" + std::to_string(r.date));
    }
    return rows;
}

TEST(StockRecordRemoval, RemovesEveryKindOfOneStockAndKeepsTheRestInOrder) {
    Ledger ledger = {
        cashRecord(RecordType::CashIn, 20240101, 50000),
        stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
        stockRecord(RecordType::Buy, 20240103, "000002", 500, 8, 10, 0),
        stockRecord(RecordType::Dividend, 20240104, "600036", 1000, 0.5, 0),
        stockRecord(RecordType::BonusShares, 20240105, "600036", 100, 0, 0),
        stockRecord(RecordType::Sell, 20240106, "000002", 100, 9, 10, 0),
        stockRecord(RecordType::RightsIssue, 20240107, "600036", 110, 5, 10),
        cashRecord(RecordType::CashOut, 20240108, 100),
        stockRecord(RecordType::Sell, 20240109, "600036", 200, 12, 20),
    };
    EXPECT_EQ(removeStockRecords(ledger, 1, "600036"), 5u);
    EXPECT_EQ(describe(ledger), (std::vector<std::string>{
                                    "6/0//20240101",
                                    "0/0/000002/20240103",
                                    "1/0/000002/20240106",
                                    "7/0//20240108",
                                }));
}

TEST(StockRecordRemoval, OnlyTheChosenMarketAndTheWholeCode) {
    Ledger ledger = {
        stockRecord(RecordType::Buy, 20240102, "000001", 100, 10, 10, 0),
        stockRecord(RecordType::Buy, 20240103, "000001", 200, 10, 10, 1),  // same code, 上海
        stockRecord(RecordType::Buy, 20240104, "00000", 300, 10, 10, 0),   // a prefix only
        stockRecord(RecordType::Buy, 20240105, "0000011", 400, 10, 10, 0),
    };
    EXPECT_EQ(removeStockRecords(ledger, 0, "000001"), 1u);
    EXPECT_EQ(describe(ledger), (std::vector<std::string>{
                                    "0/1/000001/20240103",
                                    "0/0/00000/20240104",
                                    "0/0/0000011/20240105",
                                }));
    EXPECT_EQ(removeStockRecords(ledger, 0, "000001"), 0u);
    EXPECT_EQ(ledger.size(), 3u);
}

TEST(StockRecordRemoval, CashIsNeverRemovedEvenUnderTheStocksMarketAndCode) {
    // Cash records have market 0 and an empty code; a stock row with an empty code (a file
    // written elsewhere) must not take the account's deposits with it.
    LedgerRecord strayCash = cashRecord(RecordType::CashIn, 20240102, 300);
    std::strcpy(strayCash.stockCode, "600036");
    strayCash.market = 1;
    Ledger ledger = {
        cashRecord(RecordType::CashIn, 20240101, 50000),
        strayCash,
        stockRecord(RecordType::Buy, 20240103, "", 100, 10, 10, 0),
        stockRecord(RecordType::Buy, 20240104, "600036", 100, 10, 10, 1),
    };
    EXPECT_EQ(removeStockRecords(ledger, 0, ""), 1u);
    EXPECT_EQ(removeStockRecords(ledger, 1, "600036"), 1u);
    EXPECT_EQ(describe(ledger), (std::vector<std::string>{"6/0//20240101", "6/1/600036/20240102"}));
}

}  // namespace
}  // namespace fiscora
