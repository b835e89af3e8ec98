#include "ui/records/trade_param_dialog.h"

#include <gtest/gtest.h>

#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"
#include "ui/common/field_entry.h"

namespace fiscora::ui {
namespace {

class TradeParamDialogTest : public ::testing::Test {
protected:
    test::RecordingMessages messages;
};

TEST_F(TradeParamDialogTest, AddModeOpensEmptyOnShanghai) {
    TradeParamDialog d(messages);
    d.OnInitDialog();
    EXPECT_EQ(d.mode(), TradeParamDialog::Mode::Add);
    EXPECT_EQ(d.caption(), "增加参数");
    EXPECT_EQ(d.buttons().confirm, "增加");
    EXPECT_EQ(d.buttons().cancel, "取消");
    EXPECT_EQ(d.market.items, (std::vector<std::string>{"上海", "深圳"}));
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.codePrefix.text, "");
    EXPECT_EQ(d.categoryName.text, "");
    EXPECT_EQ(d.orderFee.text, "0.000");
    EXPECT_EQ(d.focused(), &d.market);
}

TEST_F(TradeParamDialogTest, FieldsInTabOrderWithTheirLimits) {
    TradeParamDialog d(messages);
    const std::vector<Field*> order = {&d.market,      &d.codePrefix,     &d.categoryName,
                                       &d.commission,  &d.minCommission,  &d.stampDuty,
                                       &d.transferFee, &d.minTransferFee, &d.orderFee};
    EXPECT_EQ(d.tabOrder(), order);
    EXPECT_EQ(d.codePrefix.maxChars, 6u);
    EXPECT_TRUE(d.codePrefix.digitsOnly);
    EXPECT_EQ(d.codePrefix.note, "(特征代码指代码前几位）");
    EXPECT_EQ(d.categoryName.maxGbkBytes, 19u);
    for (const TextField* box : {&d.commission, &d.minCommission, &d.stampDuty, &d.transferFee,
                                 &d.minTransferFee, &d.orderFee})
        EXPECT_EQ(box->maxChars, 19u);
    EXPECT_EQ(d.commission.note, "%");
    EXPECT_EQ(d.stampDuty.note, "%");
    EXPECT_EQ(d.stampDuty.label, "印花税 ：");

    // Enter moves on and confirms from 委托费; Up moves back.
    d.OnInitDialog();
    EXPECT_EQ(d.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.orderFee);
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(d.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.orderFee);
}

TEST_F(TradeParamDialogTest, ModifyModeShowsTheRow) {
    TradeParam row = test::feeRow(0, "000", "深A", 0.0025);
    row.minCommission = 5;
    row.orderFee = 1;
    TradeParamDialog d(messages, row);
    d.OnInitDialog();
    EXPECT_EQ(d.mode(), TradeParamDialog::Mode::Modify);
    EXPECT_EQ(d.caption(), "修改参数");
    EXPECT_EQ(d.buttons().confirm, "修改");
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_EQ(d.codePrefix.text, "000");
    EXPECT_EQ(d.categoryName.text, "深A");
    EXPECT_EQ(d.commission.text, "0.250");
    EXPECT_EQ(d.minCommission.text, "5.000");
    EXPECT_EQ(d.orderFee.text, "1.000");

    // Confirmed unchanged, the row comes back as it was.
    ASSERT_TRUE(d.OnConfirm());
    EXPECT_EQ(fieldText(d.row().categoryName), "深A");
    EXPECT_EQ(test::unpacked(d.row().market), 0);
    EXPECT_DOUBLE_EQ(d.row().commissionRate, 0.0025);
    EXPECT_DOUBLE_EQ(d.row().orderFee, 1);
}

TEST_F(TradeParamDialogTest, RefusalKeepsTheEntriesAndFocusesTheBoxToCorrect) {
    TradeParamDialog d(messages);
    d.OnInitDialog();
    d.typeText(d.orderFee, "-1");
    d.typeText(d.categoryName, "");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.shown.back().text, "委托费用不能小于零，请重新填写委托费用");
    EXPECT_EQ(d.focused(), &d.orderFee);
    EXPECT_TRUE(d.textSelected());
    EXPECT_EQ(d.orderFee.text, "-1");

    d.typeText(d.orderFee, "0");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.shown.back().text, "股票分类简称不能为空，请重新填写股票分类简称");
    EXPECT_EQ(d.focused(), &d.categoryName);

    d.typeText(d.stampDuty, "101");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.shown.back().text, "请输入一个在 0 和 100 之间的数字。");
    EXPECT_EQ(d.focused(), &d.stampDuty);
}

TEST_F(TradeParamDialogTest, HeadlessEntriesGoThroughTheSameBoxes) {
    TradeParamDialog d(messages);
    d.OnInitDialog();
    ASSERT_FALSE(enterFields(d, {{"market", "深圳"},
                                 {"prefix", "002"},
                                 {"name", "中小板"},
                                 {"commission", "0.25"},
                                 {"stamp-duty", "0.1"},
                                 {"order-fee", "1"}}));
    ASSERT_TRUE(d.OnConfirm());
    const TradeParam& r = d.row();
    EXPECT_EQ(test::unpacked(r.market), 0);
    EXPECT_STREQ(r.codePrefix, "002");
    EXPECT_EQ(fieldText(r.categoryName), "中小板");
    EXPECT_DOUBLE_EQ(r.commissionRate, 0.0025);
    EXPECT_DOUBLE_EQ(r.stampDutyRate, 0.001);
    EXPECT_DOUBLE_EQ(r.minCommission, 0);
    EXPECT_DOUBLE_EQ(r.orderFee, 1);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace fiscora::ui
