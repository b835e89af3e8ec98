#include "ui/analysis/trade_details_dialog.h"

#include <gtest/gtest.h>

#include "output/list_text_export.h"
#include "recording_list_output.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

namespace command = ui::command;
using ui::TradeDetailsDialog;

LedgerRecord withRemark(LedgerRecord r, const std::string& remark) {
    storeBytes(r.remark, *utf8ToGbk(remark));
    return r;
}

// 甲 holds 000001 in both markets (深圳 with a dividend and bonus shares) and 600036; the
// fee table is the default one.
class TradeDetailsDialogTest : public WindowTest {
protected:
    TradeDetailsDialogTest() {
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 4.0f, 3.9f);
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        seed({account("甲", "1"), account("乙", "2")},
             {{cashRecord(RecordType::CashIn, 20240101, 50000),
               withRemark(stockRecord(RecordType::Buy, 20240102, "000001", 1000, 3, 10, 0),
                          "首次建仓"),
               stockRecord(RecordType::Buy, 20240103, "600036", 500, 10, 10, 1),
               stockRecord(RecordType::Buy, 20240104, "000001", 300, 3, 10, 1),
               stockRecord(RecordType::Dividend, 20240105, "000001", 1000, 0.1, 0, 0),
               withRemark(stockRecord(RecordType::BonusShares, 20240106, "000001", 100, 0, 0, 0),
                          "10送1\n除权日")}});
        open();
        window.setListOutput(output);
    }
    // Logs in to 甲 and selects the holdings row of (market text, code).
    void selectStock(const std::string& market, const std::string& code) {
        login(0, "1");
        messages.shown.clear();
        const auto& rows = window.holdingRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].cells[0] == market && rows[i].cells[1] == code)
                window.holdingList().selected = static_cast<int>(i);
        }
    }
    // Opens the details of the selected row; `look` sees the open dialog.
    void openDetails(std::function<void(TradeDetailsDialog&)> look) {
        runner.then<TradeDetailsDialog>([look](TradeDetailsDialog& d) {
            look(d);
            return false;  // 关闭
        });
        window.OnCommand(command::kTradeDetails);
        EXPECT_TRUE(runner.done());
    }
    static std::vector<std::string> row(TradeDetailsDialog& d, std::size_t r) {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < d.history.columns.size(); ++c)
            cells.push_back(d.history.cellText(r, c));
        return cells;
    }

    FakeQuotes quotes;
    RecordingListOutput output;
};

TEST_F(TradeDetailsDialogTest, TheCommandWantsALoggedInAccountAndASelectedRow) {
    window.OnCommand(command::kTradeDetails);
    window.selectTreeItem(0);
    window.OnCommand(command::kTradeDetails);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "请选中一个帐户");
    EXPECT_EQ(messages.shown[1].text, "帐户还未登录，不能进行操作");
    login(0, "1");
    window.holdingList().selected = -1;
    messages.shown.clear();
    window.OnCommand(command::kTradeDetails);
    // A double click beside the rows, or Enter without a row, opens nothing and says nothing.
    window.OnListDoubleClick(-1);
    window.OnListDoubleClick(7);
    window.OnListEnter();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请选中需要查看交易明细的股票");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    // Only the password dialog was shown.
    ASSERT_EQ(runner.captions.size(), 1u);
    EXPECT_NE(runner.captions[0], "交易明细 -[甲]");
}

TEST_F(TradeDetailsDialogTest, OneMarketsRecordsWithTheFirstRowsRemark) {
    selectStock("深圳", "000001");
    openDetails([this](TradeDetailsDialog& d) {
        EXPECT_EQ(d.caption(), "交易明细 -[甲]");
        ASSERT_EQ(d.history.rowCount, 3u);
        EXPECT_EQ(d.history.columns.size(), 9u);
        EXPECT_EQ(row(d, 0),
                  (std::vector<std::string>{"2024年 1月 2日", "深圳", "买入股票", "3010.000",
                                            "000001", "平安银行", "1000", "3.000", "10.000"}));
        EXPECT_EQ(row(d, 1)[2], "股票分红");
        EXPECT_EQ(row(d, 1)[8], "");  // a dividend has no fee
        EXPECT_EQ(row(d, 2)[3], "");  // bonus shares move no cash
        // The rows tie to their records; the 上海 purchase of the same code is not one.
        const Ledger& ledger = window.workspace().ledger;
        EXPECT_EQ(d.rowPositions(), (ViewRows{1, 4, 5}));
        EXPECT_EQ(test::unpacked(ledger[3].viewRow), -1);
        EXPECT_EQ(test::unpacked(ledger[5].viewRow), 2);
        EXPECT_EQ(d.history.selected, 0);
        EXPECT_EQ(d.remark.text, "首次建仓");
        EXPECT_EQ(d.focused(), &d.history);

        // 1000 + 100 bonus shares for 3010.
        EXPECT_EQ(d.heldQty.text, "1100");
        EXPECT_EQ(d.averagePrice.text, "2.736");
        EXPECT_EQ(d.buyAmount.text, "3010.000");
        EXPECT_EQ(d.realisedProfit.text, "0.000");
        EXPECT_EQ(d.realisedRate.text, "0.000%");
        EXPECT_EQ(d.heldQty.kind, ui::FieldKind::Figure);
    });
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TradeDetailsDialogTest, SelectingARowShowsItsRemarkAsStored) {
    selectStock("深圳", "000001");
    openDetails([](TradeDetailsDialog& d) {
        d.pickRow(d.history, 2);
        EXPECT_EQ(d.remark.text, "10送1\n除权日");
        d.pickRow(d.history, 1);
        EXPECT_EQ(d.remark.text, "");  // no remark leaves the box empty
        d.pickRow(d.history, 0);
        d.pickRow(d.history, -1);  // nothing selected: the box keeps its text
        EXPECT_EQ(d.remark.text, "首次建仓");
    });
}

TEST_F(TradeDetailsDialogTest, ADoubleClickOpensTheRowsStockInItsMarket) {
    selectStock("上海", "000001");
    const int row = window.holdingList().selected;
    window.holdingList().selected = 0;
    runner.then<TradeDetailsDialog>([](TradeDetailsDialog& d) {
        EXPECT_EQ(d.rowPositions(), ViewRows{3});
        EXPECT_EQ(d.heldQty.text, "300");
        EXPECT_EQ(d.remark.text, "");
        return false;
    });
    window.OnListDoubleClick(row);
    EXPECT_EQ(window.holdingList().selected, row);
    EXPECT_TRUE(runner.done());
    // Enter opens the selected row's.
    runner.then<TradeDetailsDialog>([](TradeDetailsDialog& d) {
        EXPECT_EQ(d.rowPositions(), ViewRows{3});
        return false;
    });
    window.OnListEnter();
    EXPECT_TRUE(runner.done());
}

TEST_F(TradeDetailsDialogTest, PrintAndSaveTheListAsItShows) {
    selectStock("深圳", "000001");
    const std::string path = dataDir() + "交易明细.txt";
    const Bytes ledgerBefore = readBytes(ledgerFile("甲"));
    openDetails([&](TradeDetailsDialog& d) {
        d.OnPrint();
        d.OnSave();
        ASSERT_EQ(output.printed.size(), 1u);
        EXPECT_EQ(output.titles[0], "交易明细打印");
        const ListTable& printed = output.printed[0];
        ASSERT_EQ(printed.rows.size(), 3u);
        EXPECT_EQ(printed.columns.size(), 9u);
        for (std::size_t r = 0; r < printed.rows.size(); ++r) EXPECT_EQ(printed.rows[r], row(d, r));
    });
    EXPECT_EQ(messages.asked, (std::vector<std::string>{"文件保存为当前路径下" + path +
                                                        ",是否用文本编辑器打开?|Fiscora"}));
    EXPECT_EQ(output.opened, std::vector<std::string>{path});
    const Bytes saved = readBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), listAsText(output.printed[0]));
    // Nothing of the account is written.
    EXPECT_EQ(readBytes(ledgerFile("甲")), ledgerBefore);
}

TEST_F(TradeDetailsDialogTest, ASaveThatFailsSaysSo) {
    selectStock("深圳", "000001");
    // A folder where the file should go cannot be replaced by it.
    ASSERT_EQ(::mkdir((dataDir() + "交易明细.txt").c_str(), 0755), 0);
    openDetails([](TradeDetailsDialog& d) { d.OnSave(); });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "保存失败");
    EXPECT_TRUE(output.opened.empty());
}

TEST_F(TradeDetailsDialogTest, AStockWithoutRecordsShowsAnEmptyListAndEmptyFigures) {
    login(0, "1");
    TradeDetailsDialog dialog(window.workspace(), "甲", 1, "600000", &output);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.history.rowCount, 0u);
    EXPECT_EQ(dialog.history.selected, -1);
    EXPECT_EQ(dialog.remark.text, "");
    EXPECT_EQ(dialog.heldQty.text, "0");
    EXPECT_EQ(dialog.averagePrice.text, "0.000");
    EXPECT_EQ(dialog.currentRate.text, "0.000%");
    // An empty list still saves its header line.
    messages.answer = false;
    dialog.OnSave();
    const Bytes saved = readBytes(dataDir() + "交易明细.txt");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 1);
}

}  // namespace
}  // namespace fiscora::test
