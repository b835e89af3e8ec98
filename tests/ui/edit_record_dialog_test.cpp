#include "ui/records/edit_record_dialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/ledger_change_rules.h"
#include "host/module_state.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

using test::cashRecord;
using test::stockRecord;

class EditRecordDialogTest : public ::testing::Test {
protected:
    EditRecordDialogTest() {
        setStandardDefaultTradeParams();
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 10.5f, 10.2f);
        quotes.add("600000", 1, *utf8ToGbk("浦发银行"), 8.0f, 8.0f);
        ledger = {cashRecord(RecordType::CashIn, 20240102, 100000),
                  stockRecord(RecordType::Buy, 20240103, "600036", 1000, 10, 35),
                  stockRecord(RecordType::Sell, 20240105, "600036", 400, 11, 20),
                  stockRecord(RecordType::Dividend, 20240301, "600036", 600, 0.5, 0),
                  stockRecord(RecordType::BonusShares, 20240401, "600036", 300, 0, 0),
                  stockRecord(RecordType::RightsIssue, 20240501, "688999", 100, 5, 10)};
    }

    EditRecordDialog& open(std::size_t index) {
        dialog = std::make_unique<EditRecordDialog>(messages, "张三", "元", ledger, index, table);
        dialog->OnInitDialog();
        return *dialog;
    }
    void type(TextField& box, const std::string& text) { dialog->typeText(box, text); }
    void enterCode(const std::string& code) {
        dialog->focusChangedTo(&dialog->code);
        type(dialog->code, code);
        dialog->onKey(NavKey::Enter);
    }

    test::FakeQuotes quotes;
    test::RecordingMessages messages;
    TradeParamTable table;
    Ledger ledger;
    std::unique_ptr<EditRecordDialog> dialog;
};

TEST_F(EditRecordDialogTest, OpensWithTheStoredValuesAndTheBoxesOfItsKind) {
    EditRecordDialog& d = open(1);
    EXPECT_EQ(d.caption(), "修改流水帐 -[张三]");
    EXPECT_EQ(d.buttons().confirm, "修改");
    EXPECT_EQ(d.kind.selectedText(), "买入股票");
    EXPECT_FALSE(d.kind.enabled);
    EXPECT_EQ(d.tradeDate.date, 20240103);
    EXPECT_EQ(d.code.text, "600036");
    EXPECT_EQ(d.nameLabel.text, "招商银行");
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_FALSE(d.market.enabled);  // 6... is Shanghai's
    EXPECT_EQ(d.quantity.text, "1000");
    EXPECT_EQ(d.price.text, "10.000");
    // The stored fee and total, not the ones the first figures run computed.
    EXPECT_EQ(d.fee.text, "35.000");
    EXPECT_EQ(d.total.text, "10035.000");
    EXPECT_TRUE(d.code.enabled && d.quantity.enabled && d.price.enabled);
    EXPECT_FALSE(d.total.enabled || d.fee.enabled);

    EditRecordDialog& cash = open(0);
    EXPECT_EQ(cash.kind.selectedText(), "投入资金");
    EXPECT_TRUE(cash.total.enabled);
    EXPECT_FALSE(cash.code.enabled || cash.quantity.enabled || cash.price.enabled);
    EXPECT_FALSE(cash.market.enabled);
    // The kind list is sorted and cannot change the kind.
    EXPECT_EQ(cash.kind.items.size(), 7u);
    EXPECT_TRUE(std::is_sorted(
        cash.kind.items.begin(), cash.kind.items.end(),
        [](const std::string& a, const std::string& b) { return *utf8ToGbk(a) < *utf8ToGbk(b); }));
}

TEST_F(EditRecordDialogTest, TradesRecomputeFeeAndTotal) {
    EditRecordDialog& buy = open(1);
    type(buy.quantity, "100");
    EXPECT_EQ(buy.fee.text, "12.000");  // minimum commission 10 + stamp duty 2
    EXPECT_EQ(buy.total.text, "1012.000");
    type(buy.quantity, "600");
    ASSERT_TRUE(buy.OnConfirm());
    const LedgerRecord r = *buy.confirmedRecord();
    EXPECT_EQ(test::unpacked(r.quantity), 600);
    EXPECT_EQ(test::unpacked(r.cashSign), -1);
    EXPECT_STREQ(r.stockCode, "600036");
    EXPECT_EQ(test::unpacked(r.market), 1);

    // A sale stores quantity x price - fee.
    EditRecordDialog& sell = open(2);
    type(sell.price, "10");
    type(sell.quantity, "100");
    EXPECT_EQ(sell.total.text, "988.000");
    ASSERT_TRUE(sell.OnConfirm());
    EXPECT_DOUBLE_EQ(sell.confirmedRecord()->amount, 988);
    EXPECT_EQ(test::unpacked(sell.confirmedRecord()->type), 1);
}

TEST_F(EditRecordDialogTest, DividendTotalFollowsPriceAndBonusChangesOnlyItsQuantity) {
    EditRecordDialog& dividend = open(3);
    EXPECT_FALSE(dividend.quantity.enabled);
    type(dividend.price, "0.8");
    EXPECT_EQ(dividend.total.text, "480.000");
    EXPECT_EQ(dividend.fee.text, "0.000");
    ASSERT_TRUE(dividend.OnConfirm());
    EXPECT_DOUBLE_EQ(dividend.confirmedRecord()->amount, 480);

    ledger[4].price = 1.5;  // whatever a file holds stays
    ledger[4].amount = 7;
    EditRecordDialog& bonus = open(4);
    type(bonus.quantity, "500");
    EXPECT_EQ(bonus.total.text, "7.000");
    ASSERT_TRUE(bonus.OnConfirm());
    const LedgerRecord r = *bonus.confirmedRecord();
    EXPECT_EQ(test::unpacked(r.quantity), 500);
    EXPECT_DOUBLE_EQ(r.price, 1.5);
    EXPECT_DOUBLE_EQ(r.amount, 7);
    EXPECT_EQ(test::unpacked(r.cashSign), 0);
}

TEST_F(EditRecordDialogTest, UnknownOrShortCodesAreRefused) {
    EditRecordDialog& d = open(1);
    enterCode("600001");
    EXPECT_EQ(d.nameLabel.text, "非法代码");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().back(), "不正确的股票代码");
    EXPECT_EQ(d.focused(), &d.code);

    enterCode("6000");
    EXPECT_EQ(d.nameLabel.text, "必须输入六位股票代码");
    EXPECT_EQ(d.focused(), &d.code);
    // Pressing 修改 straight from the box checks the code as it stands.
    type(d.code, "60000");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().back(), "必须输入六位股票代码");

    enterCode("600000");
    EXPECT_EQ(d.nameLabel.text, "浦发银行");
    // Moving the whole purchase to another code would leave the sale without its shares.
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().back(), kEditLeavesNegativeHoldingMessage);
    EXPECT_FALSE(d.confirmedRecord());

    // A rights issue of a code the host no longer knows is still editable.
    EditRecordDialog& rights = open(5);
    EXPECT_EQ(rights.nameLabel.text, "非法代码");
    EXPECT_FALSE(rights.code.enabled);
    type(rights.price, "6");
    EXPECT_TRUE(rights.OnConfirm());
}

TEST_F(EditRecordDialogTest, CashNeedsATotalAboveZero) {
    EditRecordDialog& d = open(0);
    type(d.total, "0");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().back(), "投入资金不能小于零");
    type(d.total, "abc");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().back(), "请输入一个数字。");
    type(d.total, "2500");
    d.pickDate(d.tradeDate, 20240601);
    type(d.remark, "工资");
    ASSERT_TRUE(d.OnConfirm());
    const LedgerRecord r = *d.confirmedRecord();
    EXPECT_EQ(test::unpacked(r.type), 6);
    EXPECT_EQ(test::unpacked(r.cashSign), 1);
    EXPECT_EQ(test::unpacked(r.date), 20240601);
    EXPECT_EQ(test::unpacked(r.market), 0);
    EXPECT_STREQ(r.stockCode, "");
    EXPECT_EQ(fieldText(r.remark), "工资");
    EXPECT_DOUBLE_EQ(r.amount, 2500);
}

// The stored field holds 100 GBK bytes; a record that uses them all (the opening deposit of
// an account created with a 100-byte remark) stays editable, its remark kept whole.
TEST_F(EditRecordDialogTest, TheRemarkTakesTheWholeStoredField) {
    const std::string full = std::string(98, 'x') + "中";  // 100 GBK bytes
    storeText(ledger[0].remark, full);
    EditRecordDialog& d = open(0);
    EXPECT_EQ(d.remark.maxGbkBytes, 100u);
    EXPECT_EQ(d.remark.text, full);
    type(d.total, "90000");
    ASSERT_TRUE(d.OnConfirm()) << (messages.texts().empty() ? "" : messages.texts().back());
    EXPECT_EQ(fieldText(d.confirmedRecord()->remark), full);
    type(d.remark, full + "x");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(d.focused(), &d.remark);
}

}  // namespace
}  // namespace fiscora::ui
