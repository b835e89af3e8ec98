#include "ui/trade/bonus_shares_dialog.h"

#include "held_stock_fixture.h"
#include "support/packed_field.h"

namespace fiscora::test {
namespace {

using ui::BonusSharesDialog;

class BonusSharesDialogTest : public HeldStockDialogTest<BonusSharesDialog> {
protected:
    BonusSharesDialog& open(const std::string& unit = "元") {
        return show(std::make_unique<BonusSharesDialog>(messages, "张三", unit, workspace.ledger));
    }
    void hold(std::int32_t shares) {
        workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", shares, 10.0, 30)};
    }
};

TEST_F(BonusSharesDialogTest, OpensWithTenForOneOnTheHeldShares) {
    hold(1000);
    BonusSharesDialog& d = open();
    EXPECT_EQ(d.caption(), "送股 -[张三]");
    EXPECT_EQ(d.tradeDate.label, "送股日期");
    EXPECT_EQ(d.per.label + "N" + d.per.note + "M" + d.grant.note, "送股方案：每N股送M股");
    EXPECT_EQ(d.per.text, "10");
    EXPECT_EQ(d.grant.text, "1");
    EXPECT_EQ(d.held.text, "1000");
    EXPECT_EQ(d.bonus.text, "100");
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.nameLabel.text, "招商银行");
    EXPECT_EQ(d.tabOrder(), (std::vector<ui::Field*>{&d.tradeDate, &d.market, &d.code, &d.per,
                                                     &d.grant, &d.remark}));
}

TEST_F(BonusSharesDialogTest, TheCountTruncatesAndIsBookedWithoutCash) {
    hold(1005);
    BonusSharesDialog& d = open();
    type(d.grant, "3");
    EXPECT_EQ(d.bonus.text, "301");
    type(d.per, "0");  // an unfinished scheme leaves the count alone
    EXPECT_EQ(d.bonus.text, "301");
    type(d.per, "-5");
    EXPECT_EQ(d.bonus.text, "301");
    type(d.per, "10");
    type(d.remark, "10送3");
    ASSERT_TRUE(d.OnConfirm());
    expectBooked(zeroed(RecordType::BonusShares, 1, "600036", 301, 0, 0, 0, "10送3"));
    EXPECT_EQ(test::unpacked(dialog->confirmedRecord()->cashSign), 0);
}

TEST_F(BonusSharesDialogTest, TheSchemeIsCheckedBeforeTheCount) {
    hold(5);
    BonusSharesDialog& d = open();
    EXPECT_EQ(d.bonus.text, "0");
    EXPECT_FALSE(d.OnConfirm());
    type(d.per, "0");
    EXPECT_FALSE(d.OnConfirm());
    type(d.per, "10");
    type(d.grant, "-1");
    EXPECT_FALSE(d.OnConfirm());
    type(d.grant, "x");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"送股数量不能为零，请重新填写数据",
                                        "送股方案的填写有误，请重新填写数据",
                                        "送股方案的填写有误，请重新填写数据", "请输入一个整数。"}));
    EXPECT_EQ(d.focused(), &d.grant);
    EXPECT_FALSE(d.confirmedRecord());
}

TEST_F(BonusSharesDialogTest, ACountBeyondARecordIsRefusedNotWrapped) {
    hold(2000000000);
    BonusSharesDialog& d = open();
    type(d.grant, "11");
    EXPECT_EQ(d.bonus.text, "2200000000");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"送股数量超过了2147483647股，请重新填写数据"}));
    type(d.grant, "3");
    EXPECT_EQ(d.bonus.text, "600000000");
    ASSERT_TRUE(d.OnConfirm());
    EXPECT_EQ(test::unpacked(dialog->confirmedRecord()->quantity), 600000000);
}

TEST_F(BonusSharesDialogTest, AHoldingBeyondThirtyTwoBitsIsShownAndReadWhole) {
    // A file written elsewhere may hold a position past what one record holds.
    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 2000000000, 1.0, 30),
                        zeroed(RecordType::BonusShares, 1, "600036", 2000000000, 0, 0, 0, "")};
    BonusSharesDialog& d = open();
    EXPECT_EQ(d.held.text, "4000000000");
    EXPECT_EQ(d.bonus.text, "400000000");
    // The dialog books the count; the holding's limit is the booking's to enforce.
    ASSERT_TRUE(d.OnConfirm());
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(test::unpacked(dialog->confirmedRecord()->quantity), 400000000);
}

TEST_F(BonusSharesDialogTest, WithoutHoldingsConfirmingBooksNothing) {
    BonusSharesDialog& d = open("港元");
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_FALSE(d.market.enabled);
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_FALSE(d.confirmedRecord());
}

}  // namespace
}  // namespace fiscora::test
