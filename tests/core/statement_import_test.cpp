#include "engine/statement_import.h"

#include <gtest/gtest.h>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/stock_names_file.h"
#include "support/builders.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

const std::string kHeader = "成交日期,证券代码,证券名称,操作,成交数量,成交均价,手续费,发生金额\n";

StatementReading read(const std::string& lines) {
    return readStatement(kHeader + lines, StatementLayouts{}, {});
}

std::vector<ImportOutcome> outcomes(const ImportPreview& preview) {
    std::vector<ImportOutcome> all;
    for (std::size_t i = 0; i < preview.size(); ++i) all.push_back(preview.row(i).outcome);
    return all;
}

using O = ImportOutcome;

TEST(ImportPreviewTest, ARecordTheLedgerHoldsIsNotBookedTwiceButEqualFillsAre) {
    const std::string statement = "20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
                                  "20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
                                  "20240106,600036,招商银行,证券卖出,100,11.00,5.00,1095.00\n";
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 5000)};
    const ImportPreview first = previewImport(ledger, read(statement));
    EXPECT_EQ(outcomes(first), (std::vector<O>{O::Booked, O::Booked, O::Booked}));
    for (const LedgerRecord& r : first.recordsToBook()) ledger.push_back(r);

    const ImportPreview second = previewImport(ledger, read(statement));
    EXPECT_EQ(outcomes(second), (std::vector<O>{O::Duplicate, O::Duplicate, O::Duplicate}));
    EXPECT_TRUE(second.recordsToBook().empty());

    // One of two equal fills already booked (by hand, or a shorter statement): the other is new.
    Ledger partly = {test::cashRecord(RecordType::CashIn, 20240101, 5000), ledger[1]};
    EXPECT_EQ(outcomes(previewImport(partly, read(statement))),
              (std::vector<O>{O::Duplicate, O::Booked, O::Booked}));

    // A purchase booked through the dialog has the fee table's fee: another figure, not a
    // duplicate.
    Ledger typed = {test::cashRecord(RecordType::CashIn, 20240101, 5000),
                    test::stockRecord(RecordType::Buy, 20240105, "600036", 100, 10.00, 12)};
    EXPECT_EQ(previewImport(typed, read(statement)).count(O::Duplicate), 0u);
}

TEST(ImportPreviewTest, RefusalsAreJudgedInDateOrderWithoutTheRefusedLines) {
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 2000),
                     test::stockRecord(RecordType::Buy, 20240102, "000858", 100, 10, 0, 0)};
    const ImportPreview preview =
        previewImport(ledger, read("20240105,000858,五粮液,证券卖出,300,10.00,5.00,2995.00\n"
                                   "20240106,600036,招商银行,证券买入,200,10.00,5.00,-2005.00\n"
                                   "20240107,000858,五粮液,证券卖出,100,10.00,5.00,995.00\n"
                                   "20240108,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
                                   "20240109,600036,招商银行,证券卖出,100,10.00,5.00,995.00\n"));
    // 300 of 100 held; 2005 of 1000 cash; the next sale fits what is held; then 1995 cash
    // pays 1005; the shares bought on the 8th may be sold on the 9th.
    EXPECT_EQ(outcomes(preview),
              (std::vector<O>{O::Refused, O::Refused, O::Booked, O::Booked, O::Booked}));
    EXPECT_EQ(preview.row(0).reason, "卖出数量超过持有量100股");
    EXPECT_EQ(preview.row(1).reason, "资金余额不足：余额1000.000");
    EXPECT_EQ(preview.count(O::Refused), 2u);

    // A later sale already in the ledger keeps its shares: an earlier import may not sell them.
    Ledger laterSale = ledger;
    laterSale.push_back(test::stockRecord(RecordType::Sell, 20240301, "000858", 100, 10, 0, 0));
    EXPECT_EQ(
        previewImport(laterSale, read("20240105,000858,五粮液,证券卖出,100,10.00,5.00,995.00\n"))
            .row(0)
            .outcome,
        O::Refused);
}

TEST(ImportPreviewTest, AStatementListedNewestFirstIsBookedOldestFirst) {
    const ImportPreview preview =
        previewImport({}, read("20240110,600036,招商银行,证券卖出,100,11.00,5.00,1095.00\n"
                               "20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
                               "20240105,,,银证转入,0,0,0,2000.00\n"));
    EXPECT_EQ(outcomes(preview), (std::vector<O>{O::Booked, O::Booked, O::Booked}));
    EXPECT_EQ(preview.bookingOrder, (std::vector<std::uint32_t>{2, 1, 0}));
    // The rows stay in file order, each with its line and outcome.
    EXPECT_EQ(preview.row(0).entry.line, 2u);
}

// An account whose ledger file holds a deposit, and the window's workspace on it.
class ImportBookingTest : public ::testing::Test {
protected:
    ImportBookingTest() {
        workspace.open(dir.path(), std::nullopt);
        workspace.accounts = {test::account("张三", "secret")};
        const AccountInfo& owner = workspace.accounts[0];
        workspace.ledger = {test::cashRecord(RecordType::CashIn, 20240101, 5000)};
        EXPECT_TRUE(workspace.writeNewLedgerOf(owner));
    }

    Ledger onDisk() {
        Ledger read;
        EXPECT_EQ(loadLedger(workspace.ledgerStore(), workspace.accounts[0], read),
                  LedgerStatus::Ok);
        return read;
    }

    ImportPreview preview() {
        return previewImport(workspace.ledger,
                             read("20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
                                  "20240106,000858,五粮液,证券买入,100,20.00,5.00,-2005.00\n"));
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace workspace{messages};
};

TEST_F(ImportBookingTest, BooksEveryRecordInOneRewriteAndRecomputesTheHoldings) {
    ASSERT_TRUE(bookImport(workspace, workspace.accounts[0], preview()));
    const Ledger saved = onDisk();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(test::unpacked(saved[2].quantity), 100);
    EXPECT_DOUBLE_EQ(saved[2].amount, 2005);
    EXPECT_EQ(workspace.holdings.size(), 2u);
    EXPECT_TRUE(messages.shown.empty());
    // The statement's names are learned for the quote source.
    EXPECT_EQ(loadStockNames(dir.file("names.tsv")),
              (StockNames{{{"000858", 0}, "五粮液"}, {{"600036", 1}, "招商银行"}}));
}

TEST_F(ImportBookingTest, AFailedWriteBooksNothingAndKeepsTheLedgerAsItWas) {
    const Bytes before = test::readBytes(dir.file("张三.da0"));
    {
        test::ScopedFileSizeLimit full(300);
        EXPECT_FALSE(bookImport(workspace, workspace.accounts[0], preview()));
    }
    EXPECT_EQ(test::readBytes(dir.file("张三.da0")), before);
    EXPECT_EQ(workspace.ledger.size(), 1u);
    EXPECT_TRUE(workspace.holdings.empty());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(test::fileExists(dir.file("names.tsv")));
    // Tried again once the disk has room, the whole import goes in.
    EXPECT_TRUE(bookImport(workspace, workspace.accounts[0], preview()));
    EXPECT_EQ(onDisk().size(), 3u);
}

}  // namespace
}  // namespace fiscora
