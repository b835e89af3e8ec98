#include "ui/trade/stock_records_deletion.h"

#include <gtest/gtest.h>

#include "support/fake_quotes.h"
#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

namespace command = ui::command;

// 甲 holds 000001 in both markets, 600036 (interleaved with them) and cash; the host
// names 000001 only in 深圳.
class StockRecordsDeletionTest : public WindowTest {
protected:
    StockRecordsDeletionTest() {
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 3.5f, 3.4f);
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        holder = account("甲", "1");
        seed({holder, account("乙", "2")},
             {{cashRecord(RecordType::CashIn, 20240101, 50000),
               stockRecord(RecordType::Buy, 20240102, "000001", 1000, 3, 10, 0),
               stockRecord(RecordType::Buy, 20240103, "600036", 500, 10, 10, 1),
               stockRecord(RecordType::Buy, 20240104, "000001", 300, 3, 10, 1),
               stockRecord(RecordType::Dividend, 20240105, "000001", 1000, 0.1, 0, 0),
               stockRecord(RecordType::BonusShares, 20240106, "000001", 100, 0, 0, 0),
               cashRecord(RecordType::CashOut, 20240107, 100),
               stockRecord(RecordType::Sell, 20240108, "000001", 200, 4, 10, 0),
               stockRecord(RecordType::RightsIssue, 20240109, "000001", 90, 2, 5, 0)}});
        open();
    }
    void loginHolder() {
        login(0, "1");
        messages.shown.clear();
    }
    // The row of the holdings list showing (market text, code).
    int rowOf(const std::string& market, const std::string& code) const {
        const auto& rows = window.holdingRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].cells[0] == market && rows[i].cells[1] == code) return static_cast<int>(i);
        }
        return -1;
    }
    std::vector<std::string> shownCodes() const {
        std::vector<std::string> out;
        for (const auto& row : window.holdingRows()) out.push_back(row.cells[0] + row.cells[1]);
        return out;
    }
    Ledger ledgerOnDisk() {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), holder, ledger), LedgerStatus::Ok);
        return ledger;
    }
    static std::vector<std::int32_t> dates(const Ledger& ledger) {
        std::vector<std::int32_t> out;
        for (const LedgerRecord& r : ledger) out.push_back(r.date);
        return out;
    }

    // 删除记录 run from the window; how many records it removed.
    std::size_t removedByCommand() {
        const std::size_t before = window.workspace().ledger.size();
        window.OnCommand(command::kDeleteStockRecords);
        return before - window.workspace().ledger.size();
    }

    FakeQuotes quotes;
    AccountInfo holder;
};

TEST_F(StockRecordsDeletionTest, RefusalsComeInOrderAndChangeNothing) {
    const Bytes before = readBytes(ledgerFile("甲"));
    window.selectTreeItem(-1);
    EXPECT_EQ(removedByCommand(), 0u);
    window.selectTreeItem(0);  // logged out
    EXPECT_EQ(removedByCommand(), 0u);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"请选中一个帐户", "帐户还未登录，不能进行操作"}));
    EXPECT_EQ(messages.shown[1].caption, "错误");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
    loginHolder();
    window.holdingList().selected = -1;
    window.OnCommand(command::kDeleteStockRecords);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选中需要删除全部的记录的股票"}));
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(readBytes(ledgerFile("甲")), before);
}

TEST_F(StockRecordsDeletionTest, NoLeavesLedgerFileAndListAsTheyWere) {
    loginHolder();
    const Bytes before = readBytes(ledgerFile("甲"));
    const auto listBefore = shownCodes();
    window.holdingList().selected = rowOf("深圳", "000001");
    messages.answer = false;
    EXPECT_EQ(removedByCommand(), 0u);
    EXPECT_EQ(messages.asked,
              (std::vector<std::string>{"平安银行的全部记录都将被删除，真的要删除吗？|Fiscora"}));
    EXPECT_EQ(messages.askedIcons, (std::vector<MessageIcon>{MessageIcon::None}));
    EXPECT_EQ(window.workspace().ledger.size(), 9u);
    EXPECT_EQ(readBytes(ledgerFile("甲")), before);
    EXPECT_EQ(shownCodes(), listBefore);
}

TEST_F(StockRecordsDeletionTest, YesRemovesOnlyTheSelectedMarketsRecordsAndRebuildsTheList) {
    loginHolder();
    ASSERT_EQ(shownCodes(), (std::vector<std::string>{"深圳000001", "上海600036", "上海000001"}));
    window.holdingList().selected = rowOf("深圳", "000001");
    window.OnCommand(command::kDeleteStockRecords);
    // Survivors keep their order, in memory and in the file; cash stays.
    const std::vector<std::int32_t> survivors = {20240101, 20240103, 20240104, 20240107};
    EXPECT_EQ(dates(window.workspace().ledger), survivors);
    EXPECT_EQ(dates(ledgerOnDisk()), survivors);
    EXPECT_EQ(shownCodes(), (std::vector<std::string>{"上海600036", "上海000001"}));
    EXPECT_EQ(window.holdingList().selected, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StockRecordsDeletionTest, AStockTheHostCannotNameIsAskedAboutByItsCode) {
    loginHolder();
    window.holdingList().selected = rowOf("上海", "000001");
    EXPECT_EQ(removedByCommand(), 1u);
    EXPECT_EQ(messages.asked,
              (std::vector<std::string>{"000001的全部记录都将被删除，真的要删除吗？|Fiscora"}));
    EXPECT_EQ(shownCodes(), (std::vector<std::string>{"深圳000001", "上海600036"}));
    EXPECT_EQ(ledgerOnDisk().size(), 8u);
}

TEST_F(StockRecordsDeletionTest, ARowWhoseMarketHasNoNameRemovesOnlyItsOwnRecords) {
    // A record stored with market 5 shows no market text; it must not be taken for 上海.
    LedgerRecord odd = stockRecord(RecordType::Buy, 20240110, "600036", 100, 10, 10, 5);
    loginHolder();
    window.workspace().ledger.push_back(odd);
    window.commands().refreshHoldingList();
    const int oddRow = rowOf("", "600036");
    ASSERT_GE(oddRow, 0);
    window.holdingList().selected = oddRow;
    EXPECT_EQ(removedByCommand(), 1u);
    EXPECT_NE(rowOf("上海", "600036"), -1);
    EXPECT_EQ(window.workspace().ledger.size(), 9u);
}

}  // namespace
}  // namespace fiscora::test
