#include "ui/records/trade_param_list_dialog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "host/module_state.h"
#include "store/ledger_file.h"
#include "store/trade_param_file.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "ui/main/command_ids.h"
#include "ui/records/trade_param_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

using ui::DialogAction;
using ui::KeyOutcome;
using ui::NavKey;
using ui::TradeParamDialog;
using ui::TradeParamListDialog;

// The fee editor of a window whose current directory holds the fee file.
class TradeParamListTest : public WindowTest {
protected:
    TradeParamListTest() { open(); }

    std::string feeFile() const { return dir.file(kTradeParamFileName); }
    void writeFeeFile(const TradeParamTable& table) {
        ASSERT_TRUE(saveTradeParams(feeFile(), table, fileMessages));
    }
    Bytes feeFileBytes() const { return readBytes(feeFile()); }
    const TradeParamTable& table() const { return window.workspace().tradeParams; }

    // The editor opened on the fee file as it is now.
    void openList() { list.OnInitDialog(); }
    std::vector<std::string> row(std::size_t index) const {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < list.params.columns.size(); ++c)
            cells.push_back(list.params.cellText(index, c));
        return cells;
    }
    // One showing of the row dialog: the market picked, the boxes typed, then confirmed.
    static std::function<bool(TradeParamDialog&)>
    typed(std::vector<std::pair<ui::TextField TradeParamDialog::*, std::string>> boxes,
          const std::string& market = "") {
        return [boxes, market](TradeParamDialog& d) {
            if (!market.empty()) d.pickItem(d.market, d.market.indexOf(market));
            for (const auto& [box, text] : boxes) d.typeText(d.*box, text);
            return true;
        };
    }

    TradeParamListDialog list{window.workspace(), runner};
};

using Box = ui::TextField TradeParamDialog::*;
constexpr Box kPrefix = &TradeParamDialog::codePrefix;
constexpr Box kName = &TradeParamDialog::categoryName;
constexpr Box kCommission = &TradeParamDialog::commission;
constexpr Box kOrderFee = &TradeParamDialog::orderFee;

TEST_F(TradeParamListTest, OpensOnTheFileWithItsColumnsIconsAndButtons) {
    writeFeeFile(
        {feeRow(0, "000", "深A", 0.0025), feeRow(1, "600", "沪A"), feeRow(7, "9", "其他")});
    openList();

    EXPECT_EQ(list.caption(), "参数设置");
    EXPECT_EQ(list.buttons().confirm, "关闭");
    EXPECT_EQ(list.buttons().cancel, "");
    ASSERT_EQ(list.params.columns.size(), 7u);
    EXPECT_EQ(list.params.columns[0].header, "股票分类简称");
    ASSERT_EQ(list.params.rowCount, 3u);
    EXPECT_EQ(row(0), (std::vector<std::string>{"深A", "0.250%", "0.000", "0.000%", "0.000",
                                                "0.000", "0.000"}));
    EXPECT_EQ(row(1)[0], "沪A");
    // The first icon for 深圳, the second for any other market.
    EXPECT_EQ(list.params.rowMark(0), 0);
    EXPECT_EQ(list.params.rowMark(1), 1);
    EXPECT_EQ(list.params.rowMark(2), 1);
    EXPECT_EQ(list.params.selected, -1);
    EXPECT_EQ(list.focused(), &list.params);

    std::vector<std::string> buttons, menu;
    for (const DialogAction& action : list.actions())
        (action.button ? buttons : menu).push_back(action.caption);
    EXPECT_EQ(buttons, (std::vector<std::string>{"增加", "删除", "修改"}));
    EXPECT_EQ(menu, (std::vector<std::string>{"增加参数", "修改参数", "删除参数"}));
    EXPECT_TRUE(messages.shown.empty());
    // Each entry runs its action (nothing selected: the row dialog of 增加 is cancelled).
    for (const std::string& caption : menu) EXPECT_TRUE(list.runAction(caption));
    EXPECT_EQ(runner.captions, std::vector<std::string>{"增加参数"});
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"请先选中要修改的项", "请先选中要删除的项"}));
}

TEST_F(TradeParamListTest, AddedRowsGoLastAndAreWrittenAtOnce) {
    writeFeeFile({feeRow(1, "600", "沪A")});
    openList();
    // The same prefix in the other market is accepted; a shorter prefix too, placed last
    // whatever its market and prefix.
    runner.then<TradeParamDialog>(typed({{kPrefix, "600"}, {kName, "深600"}}, "深圳"));
    list.OnAdd();
    runner.then<TradeParamDialog>(
        typed({{kPrefix, "6"}, {kName, "沪6"}, {kCommission, "0.25"}, {kOrderFee, "1"}}));
    list.OnAdd();
    EXPECT_EQ(runner.captions, (std::vector<std::string>{"增加参数", "增加参数"}));
    EXPECT_TRUE(messages.shown.empty());

    ASSERT_EQ(table().size(), 3u);
    EXPECT_EQ(test::unpacked(table()[1].market), 0);
    EXPECT_STREQ(table()[2].codePrefix, "6");
    EXPECT_EQ(test::unpacked(table()[2].market), 1);
    EXPECT_DOUBLE_EQ(table()[2].commissionRate, 0.0025);
    EXPECT_EQ(list.params.rowCount, 3u);
    EXPECT_EQ(row(2), (std::vector<std::string>{"沪6", "0.250%", "0.000", "0.000%", "0.000",
                                                "0.000", "1.000"}));
    EXPECT_EQ(list.params.selected, -1);

    // The file holds the table's bytes in table order.
    TradeParamTable onDisk;
    ASSERT_TRUE(loadTradeParams(feeFile(), onDisk, fileMessages));
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(feeFileBytes().size(), 3u * sizeof(TradeParam));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(&onDisk[i], &table()[i], sizeof(TradeParam)), 0) << i;
}

TEST_F(TradeParamListTest, AConflictShowsTheDialogAgainWithItsEntries) {
    writeFeeFile({feeRow(1, "600", "沪A"), feeRow(0, "000", "深A")});
    openList();
    const Bytes before = feeFileBytes();
    runner.then<TradeParamDialog>(typed({{kPrefix, "600"}, {kName, "新分类"}}));
    runner.then<TradeParamDialog>([](TradeParamDialog& d) {
        EXPECT_EQ(d.codePrefix.text, "600");
        EXPECT_EQ(d.categoryName.text, "新分类");
        EXPECT_EQ(d.focused(), &d.codePrefix);  // the box to correct
        d.typeText(d.codePrefix, "001");
        d.typeText(d.categoryName, "深A");
        return true;
    });
    runner.then<TradeParamDialog>([](TradeParamDialog& d) {
        EXPECT_EQ(d.focused(), &d.categoryName);
        return false;
    });
    // Cancelled on the third showing: nothing changes.
    list.OnAdd();
    EXPECT_EQ(runner.captions.size(), 3u);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"股票的特征代码和市场类型与沪A的全部一样，请重新填写",
                                        "已经有相同的股票分类简称存在，请重新命名"}));
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    EXPECT_EQ(table().size(), 2u);
    EXPECT_EQ(feeFileBytes(), before);

    // Corrected on the next showing, the row is added.
    messages.shown.clear();
    runner.then<TradeParamDialog>(typed({{kPrefix, "600"}, {kName, "新分类"}}));
    runner.then<TradeParamDialog>(typed({{kPrefix, "601"}}));
    list.OnAdd();
    ASSERT_EQ(table().size(), 3u);
    EXPECT_STREQ(table()[2].codePrefix, "601");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(TradeParamListTest, ModifyActsOnTheSelectedRowAndSelectsItAgain) {
    writeFeeFile({feeRow(1, "600", "沪A"), feeRow(0, "000", "深A"), feeRow(1, "900", "沪B")});
    openList();
    list.OnModify();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"请先选中要修改的项"});
    EXPECT_TRUE(runner.captions.empty());
    messages.shown.clear();

    // Its own name and prefix unchanged are accepted: it is not compared with itself.
    list.pickRow(list.params, 1);
    const auto revision = list.params.selectionRevision;
    runner.then<TradeParamDialog>([](TradeParamDialog& d) {
        EXPECT_EQ(d.caption(), "修改参数");
        EXPECT_EQ(d.categoryName.text, "深A");
        d.typeText(d.commission, "0.25");
        return true;
    });
    list.OnModify();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_DOUBLE_EQ(table()[1].commissionRate, 0.0025);
    EXPECT_EQ(row(1)[1], "0.250%");
    TradeParamTable onDisk;
    ASSERT_TRUE(loadTradeParams(feeFile(), onDisk, fileMessages));
    EXPECT_EQ(std::memcmp(&onDisk[1], &table()[1], sizeof(TradeParam)), 0);
    EXPECT_EQ(list.params.selected, 1);
    EXPECT_NE(list.params.selectionRevision, revision);
    EXPECT_EQ(list.focused(), &list.params);

    // A clash with another row uses the modify wording; after a cancel the row is
    // selected again too.
    list.pickRow(list.params, 2);
    const Bytes before = feeFileBytes();
    runner.then<TradeParamDialog>(typed({{kPrefix, "600"}}));
    list.OnModify();
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"股票的特征代码与沪A的全部一样，请重新填写"});
    EXPECT_EQ(feeFileBytes(), before);
    EXPECT_STREQ(table()[2].codePrefix, "900");
    EXPECT_EQ(list.params.selected, 2);
}

TEST_F(TradeParamListTest, DeleteAsksThenSelectsTheRowAbove) {
    writeFeeFile({feeRow(1, "600", "沪A"), feeRow(0, "000", "深A"), feeRow(1, "900", "沪B")});
    openList();
    list.OnDelete();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"请先选中要删除的项"});
    EXPECT_TRUE(messages.asked.empty());

    list.pickRow(list.params, 1);
    messages.answer = false;
    const Bytes before = feeFileBytes();
    list.OnDelete();
    EXPECT_EQ(messages.asked, std::vector<std::string>{"真的要删除此项交易参数吗?|Fiscora"});
    EXPECT_EQ(table().size(), 3u);
    EXPECT_EQ(feeFileBytes(), before);

    messages.answer = true;
    list.OnDelete();
    ASSERT_EQ(table().size(), 2u);
    EXPECT_EQ(fieldText(table()[1].categoryName), "沪B");
    EXPECT_EQ(feeFileBytes().size(), 2u * sizeof(TradeParam));
    EXPECT_EQ(list.params.rowCount, 2u);
    EXPECT_EQ(list.params.selected, 0);
    EXPECT_EQ(row(0)[0], "沪A");

    // The first row removed: nothing is selected.
    list.OnDelete();
    EXPECT_EQ(list.params.selected, -1);
    EXPECT_EQ(fieldText(table()[0].categoryName), "沪B");
}

TEST_F(TradeParamListTest, DeletingTheOnlyRowLeavesTheDefaultFees) {
    writeFeeFile({feeRow(1, "600", "沪A", 0.001)});
    openList();
    EXPECT_DOUBLE_EQ(window.workspace().feeRowFor(1, "600036").commissionRate, 0.001);
    list.pickRow(list.params, 0);
    list.OnDelete();
    EXPECT_TRUE(table().empty());
    EXPECT_EQ(list.params.rowCount, 0u);
    EXPECT_EQ(list.params.selected, -1);
    EXPECT_TRUE(feeFileBytes().empty());
    EXPECT_DOUBLE_EQ(window.workspace().feeRowFor(1, "600036").commissionRate, 0.0035);
}

TEST_F(TradeParamListTest, DoubleClickOrEnterModifiesARowAndARightClickOffersTheMenuOnRowsOnly) {
    writeFeeFile({feeRow(1, "600", "沪A"), feeRow(0, "000", "深A")});
    openList();
    list.activateRow(list.params, -1);
    EXPECT_EQ(list.onKey(NavKey::Enter), KeyOutcome::NotHandled);  // no row: 关闭 takes it
    EXPECT_TRUE(runner.captions.empty());
    EXPECT_TRUE(messages.shown.empty());
    runner.thenCancel();
    list.activateRow(list.params, 1);
    EXPECT_EQ(runner.captions, std::vector<std::string>{"修改参数"});
    EXPECT_EQ(list.params.selected, 1);
    runner.thenCancel();
    EXPECT_EQ(list.onKey(NavKey::Enter), KeyOutcome::Handled);
    EXPECT_EQ(runner.captions, (std::vector<std::string>{"修改参数", "修改参数"}));

    EXPECT_FALSE(list.rightClickRow(list.params, -1));
    EXPECT_EQ(list.params.selected, 1);
    EXPECT_TRUE(list.rightClickRow(list.params, 0));
    EXPECT_EQ(list.params.selected, 0);
}

TEST_F(TradeParamListTest, AFileThatCannotBeWrittenKeepsTheChangeInMemory) {
    writeFeeFile({feeRow(1, "600", "沪A")});
    openList();
    // A folder where the file was: no write can replace it, not even root's.
    ASSERT_EQ(::unlink(feeFile().c_str()), 0);
    ASSERT_EQ(::mkdir(feeFile().c_str(), 0755), 0);
    // Opened again: the folder cannot be read, and the table read before stays.
    openList();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("不能打开文件trdpara.dat读取交易参数数据!", 0), 0u);
    runner.then<TradeParamDialog>(typed({{kPrefix, "000"}, {kName, "深A"}}, "深圳"));
    list.OnAdd();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text.rfind("不能打开文件trdpara.dat读取相关数据!", 0), 0u);
    EXPECT_EQ(messages.shown[1].caption, "错误");
    EXPECT_EQ(table().size(), 2u);
    EXPECT_EQ(list.params.rowCount, 2u);
    ::rmdir(feeFile().c_str());
}

TEST_F(TradeParamListTest, AFileAnotherProgramChangedIsReadAgainNotWrittenOver) {
    writeFeeFile({feeRow(1, "600", "沪A")});
    openList();
    // Another program adds a row after the list was read.
    writeFeeFile({feeRow(1, "600", "沪A"), feeRow(0, "000", "深A")});
    const Bytes theirs = feeFileBytes();
    runner.then<TradeParamDialog>(typed({{kPrefix, "300"}, {kName, "创业"}}, "深圳"));
    list.OnAdd();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, changedOnDiskMessage(feeFile()));
    EXPECT_EQ(feeFileBytes(), theirs);
    ASSERT_EQ(table().size(), 2u);
    EXPECT_EQ(fieldText(table()[1].categoryName), "深A");
    EXPECT_EQ(list.params.rowCount, 2u);

    // Done again on the file as it now is, the addition keeps both rows.
    runner.then<TradeParamDialog>(typed({{kPrefix, "300"}, {kName, "创业"}}, "深圳"));
    list.OnAdd();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(feeFileBytes().size(), 3u * sizeof(TradeParam));
    EXPECT_EQ(list.params.rowCount, 3u);
}

// The window's 参数设置: no account needed, and every fee afterwards comes from the table as
// edited.
class FeeEditorAndPurchaseTest : public WindowTest {
protected:
    FeeEditorAndPurchaseTest() {
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        holder = account("甲", "1");
        seed({holder}, {{cashRecord(RecordType::CashIn, 20240101, 100000)}});
        open();
    }
    // 1000 shares of 600036 at 10.00: the fee the buy dialog shows and books.
    double purchaseFee() {
        double shown = -1;
        runner.then<ui::BuyDialog>([&shown](ui::BuyDialog& d) {
            d.focusChangedTo(&d.code);
            d.typeText(d.code, "600036");
            d.onKey(ui::NavKey::Enter);
            d.typeText(d.price, "10");
            d.typeText(d.quantity, "1000");
            shown = std::stod(d.commission.text);
            return true;
        });
        window.OnCommand(ui::command::kBuy);
        EXPECT_EQ(test::unpacked(window.workspace().ledger.back().fee), shown);
        return shown;
    }
    // Opens 参数设置 and runs `action` in it, with the row dialog's steps queued after it.
    void inEditor(void (TradeParamListDialog::*action)(), int row = -1) {
        runner.then<TradeParamListDialog>([action, row](TradeParamListDialog& d) {
            if (row >= 0) d.pickRow(d.params, row);
            (d.*action)();
            return true;
        });
    }

    FakeQuotes quotes;
    AccountInfo holder;
};

TEST_F(FeeEditorAndPurchaseTest, APurchaseAfterAnEditPaysTheEditedRow) {
    // No account selected: the editor opens all the same.
    inEditor(&TradeParamListDialog::OnAdd);
    runner.then<TradeParamDialog>([](TradeParamDialog& d) {
        d.typeText(d.codePrefix, "600");
        d.typeText(d.categoryName, "沪A");
        d.typeText(d.commission, "0.1");
        d.typeText(d.minCommission, "1");
        d.typeText(d.stampDuty, "0.1");
        d.typeText(d.transferFee, "1");
        d.typeText(d.minTransferFee, "1");
        d.typeText(d.orderFee, "5");
        return true;
    });
    ASSERT_TRUE(window.isAvailable(ui::command::kTradeParams));
    window.OnCommand(ui::command::kTradeParams);
    EXPECT_EQ(runner.captions, (std::vector<std::string>{"参数设置", "增加参数"}));
    EXPECT_TRUE(messages.shown.empty());

    login(0, "1");
    // commission 10 + stamp duty 10 + transfer 1 + order fee 5 (the default row: 35 + 20).
    EXPECT_DOUBLE_EQ(purchaseFee(), 26.0);

    inEditor(&TradeParamListDialog::OnModify, 0);
    runner.then<TradeParamDialog>([](TradeParamDialog& d) {
        d.typeText(d.commission, "0.2");
        return true;
    });
    window.OnCommand(ui::command::kTradeParams);
    EXPECT_DOUBLE_EQ(purchaseFee(), 36.0);

    messages.answer = true;
    inEditor(&TradeParamListDialog::OnDelete, 0);
    window.OnCommand(ui::command::kTradeParams);
    EXPECT_DOUBLE_EQ(purchaseFee(), 55.0);
    EXPECT_TRUE(runner.done());
}

}  // namespace
}  // namespace fiscora::test
