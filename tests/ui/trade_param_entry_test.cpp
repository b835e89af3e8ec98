#include "ui/records/trade_param_entry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "output/trade_param_rows.h"
#include "records/gbk_text.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

TradeParamEntry validEntry() {
    TradeParamEntry e = newTradeParamEntry();
    e.market = "深圳";
    e.codePrefix = "000";
    e.categoryName = "深A";
    e.commission = "0.25";
    e.minCommission = "5";
    e.stampDuty = "0.1";
    e.transferFee = "1";
    e.minTransferFee = "1";
    e.orderFee = "2";
    return e;
}

// The first refusal of `entry`: its message and the box it names.
std::pair<std::string, TradeParamBox> refusalOf(const TradeParamEntry& entry) {
    test::RecordingMessages messages;
    const TradeParamReading reading = readTradeParamEntry(entry, messages);
    EXPECT_FALSE(reading.row);
    EXPECT_EQ(messages.shown.size(), 1u);
    return {messages.shown.empty() ? "" : messages.shown[0].text, reading.refusedBox};
}

TEST(TradeParamEntry, NewRowOpensOnShanghaiWithZeros) {
    const TradeParamEntry e = newTradeParamEntry();
    EXPECT_EQ(e.market, "上海");
    EXPECT_EQ(e.codePrefix, "");
    EXPECT_EQ(e.categoryName, "");
    for (const std::string* box : {&e.commission, &e.minCommission, &e.stampDuty, &e.transferFee,
                                   &e.minTransferFee, &e.orderFee})
        EXPECT_EQ(*box, "0.000");
}

TEST(TradeParamEntry, ConfirmedRowHoldsRatesAsFractions) {
    test::RecordingMessages messages;
    const TradeParamReading reading = readTradeParamEntry(validEntry(), messages);
    ASSERT_TRUE(reading.row);
    const TradeParam& r = *reading.row;
    EXPECT_EQ(test::unpacked(r.market), 0);
    EXPECT_STREQ(r.codePrefix, "000");
    EXPECT_EQ(fieldBytes(r.categoryName), "\xC9\xEE"
                                          "A");
    EXPECT_DOUBLE_EQ(r.commissionRate, 0.0025);
    EXPECT_EQ(tradeParamCells(r)[1], "0.250%");  // as the list shows it
    EXPECT_DOUBLE_EQ(r.minCommission, 5);
    EXPECT_DOUBLE_EQ(r.stampDutyRate, 0.001);
    EXPECT_DOUBLE_EQ(r.transferFeePer1000, 1);
    EXPECT_DOUBLE_EQ(r.minTransferFee, 1);
    EXPECT_DOUBLE_EQ(r.orderFee, 2);
    EXPECT_TRUE(messages.shown.empty());

    TradeParamEntry shanghai = validEntry();
    shanghai.market = "上海";
    EXPECT_EQ(test::unpacked(readTradeParamEntry(shanghai, messages).row->market), 1);
}

TEST(TradeParamEntry, ExistingRowShowsItsValuesAndReadsBackUnchanged) {
    TradeParam row{};
    row.market = 1;
    storeBytes(row.codePrefix, "600");
    storeText(row.categoryName, "沪A");
    row.commissionRate = 0.0035;  // 0.35000000000000003 %: still three decimals
    row.minCommission = 5;
    row.stampDutyRate = 0.000125;  // 0.0125 %: more decimals than three
    row.orderFee = 1234567.891;
    const TradeParamEntry e = tradeParamEntryOf(row);
    EXPECT_EQ(e.market, "上海");
    EXPECT_EQ(e.codePrefix, "600");
    EXPECT_EQ(e.categoryName, "沪A");
    EXPECT_EQ(e.commission, "0.350");
    EXPECT_EQ(e.minCommission, "5.000");
    EXPECT_EQ(e.stampDuty, "0.0125");
    EXPECT_EQ(e.transferFee, "0.000");
    EXPECT_EQ(e.orderFee, "1234567.891");

    test::RecordingMessages messages;
    const auto back = readTradeParamEntry(e, messages).row;
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->stampDutyRate, 0.000125);
    EXPECT_DOUBLE_EQ(back->commissionRate, 0.0035);
    EXPECT_EQ(test::unpacked(back->market), 1);

    row.market = 0;
    EXPECT_EQ(tradeParamEntryOf(row).market, "深圳");
}

TEST(TradeParamEntry, RowEnteredHereReadsBackToTheBit) {
    test::RecordingMessages messages;
    for (const char* percent : {"0.28", "0.0125", "0.35", "0.00854", "99.99"}) {
        TradeParamEntry e = validEntry();
        e.commission = percent;
        e.orderFee = "0.1";
        const TradeParam first = *readTradeParamEntry(e, messages).row;
        const TradeParam again = *readTradeParamEntry(tradeParamEntryOf(first), messages).row;
        EXPECT_EQ(std::memcmp(&first, &again, sizeof first), 0) << percent;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(TradeParamEntry, NumbersReadBackInTabOrderRatesWithinZeroToHundred) {
    TradeParamEntry e = validEntry();
    e.stampDuty = "100.5";
    e.orderFee = "x";
    EXPECT_EQ(refusalOf(e), std::pair(std::string("请输入一个在 0 和 100 之间的数字。"),
                                      TradeParamBox::StampDuty));
    e.stampDuty = "100";
    EXPECT_EQ(refusalOf(e), std::pair(std::string("请输入一个数字。"), TradeParamBox::OrderFee));

    e = validEntry();
    e.commission = "-0.01";
    EXPECT_EQ(refusalOf(e).second, TradeParamBox::Commission);
    e.commission = "";
    EXPECT_EQ(refusalOf(e), std::pair(std::string("请输入一个数字。"), TradeParamBox::Commission));
}

TEST(TradeParamEntry, ChecksAfterReadBackComeInTheirOrder) {
    TradeParamEntry e = validEntry();
    e.orderFee = "-1";
    e.minCommission = "-1";
    e.minTransferFee = "-1";
    e.transferFee = "-1";
    e.categoryName = "";
    e.codePrefix = "";
    // Each refusal in turn: fixing it brings up the next one.
    const std::pair<const char*, TradeParamBox> order[] = {
        {"委托费用不能小于零，请重新填写委托费用", TradeParamBox::OrderFee},
        {"最低手续费不能小于零，请重新填写最低手续费", TradeParamBox::MinCommission},
        {"最低过户费不能小于零，请重新填写最低过户费", TradeParamBox::MinTransferFee},
        {"过户费不能小于零，请重新填写过户费", TradeParamBox::TransferFee},
        {"股票分类简称不能为空，请重新填写股票分类简称", TradeParamBox::CategoryName},
        {"股票特征代码不能为空，请重新填写股票特征代码", TradeParamBox::CodePrefix},
    };
    std::string TradeParamEntry::*fixes[] = {
        &TradeParamEntry::orderFee,       &TradeParamEntry::minCommission,
        &TradeParamEntry::minTransferFee, &TradeParamEntry::transferFee,
        &TradeParamEntry::categoryName,   &TradeParamEntry::codePrefix};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(refusalOf(e), std::pair(std::string(order[i].first), order[i].second));
        e.*fixes[i] = validEntry().*fixes[i];
    }
    test::RecordingMessages messages;
    EXPECT_TRUE(readTradeParamEntry(e, messages).row);
}

TEST(TradeParamEntry, NameMustFitItsFieldAsGbk) {
    TradeParamEntry e = validEntry();
    e.categoryName = "一二三四五六七八九十";  // 20 GBK bytes, one more than the field holds
    test::RecordingMessages messages;
    EXPECT_EQ(readTradeParamEntry(e, messages).refusedBox, TradeParamBox::CategoryName);
    e.categoryName = "一二三四五六七八九A";
    EXPECT_TRUE(readTradeParamEntry(e, messages).row);
    e.categoryName = "\xF0\x9F\x98\x80";  // an emoji: GBK has no form for it
    EXPECT_FALSE(readTradeParamEntry(e, messages).row);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "股票分类简称太长,最多19个字节(一个汉字占两个字节)");
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[1].text, "股票分类简称中含有不能保存的字符");
}

}  // namespace
}  // namespace fiscora::ui
