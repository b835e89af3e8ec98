#include "engine/trade_param_edits.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/trade_fee.h"
#include "host/module_state.h"
#include "output/trade_param_rows.h"
#include "records/gbk_text.h"
#include "store/trade_param_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::feeRow;

// A row's 79 bytes written out field by field at their offsets, independently of the struct.
Bytes rowBytes(std::int32_t market, const std::string& prefix, const std::string& gbkName,
               const double (&figures)[6]) {
    Bytes bytes(79, 0);
    std::memcpy(bytes.data(), &market, 4);
    std::memcpy(bytes.data() + 4, prefix.data(), prefix.size());
    std::memcpy(bytes.data() + 11, gbkName.data(), gbkName.size());
    std::memcpy(bytes.data() + 31, figures, sizeof figures);
    return bytes;
}

TEST(TradeParamConflict, PrefixClashesOnlyWithinOneMarket) {
    const TradeParamTable table = {feeRow(1, "600", "沪A")};
    EXPECT_FALSE(tradeParamConflict(table, feeRow(0, "600", "深600"), std::nullopt));
    EXPECT_FALSE(tradeParamConflict(table, feeRow(1, "6", "沪6"), std::nullopt));
    EXPECT_EQ(tradeParamConflict(table, feeRow(1, "600", "别名"), std::nullopt),
              "股票的特征代码和市场类型与沪A的全部一样，请重新填写");
    EXPECT_EQ(tradeParamConflict(table, feeRow(0, "000", "沪A"), std::nullopt),
              "已经有相同的股票分类简称存在，请重新命名");
}

TEST(TradeParamConflict, FirstConflictingRowInTableOrderNameBeforePrefix) {
    const TradeParamTable table = {feeRow(0, "000", "深A"), feeRow(1, "600", "沪A"),
                                   feeRow(1, "900", "沪B")};
    // Row 1 clashes by prefix before row 2 by name.
    EXPECT_EQ(tradeParamConflict(table, feeRow(1, "600", "沪B"), std::nullopt),
              "股票的特征代码和市场类型与沪A的全部一样，请重新填写");
    // Within one row the name is tested first.
    EXPECT_EQ(tradeParamConflict(table, feeRow(1, "600", "沪A"), std::nullopt),
              "已经有相同的股票分类简称存在，请重新命名");
}

TEST(TradeParamConflict, ModifiedRowIsNotComparedWithItself) {
    const TradeParamTable table = {feeRow(0, "000", "深A"), feeRow(1, "600", "沪A")};
    EXPECT_FALSE(tradeParamConflict(table, feeRow(1, "600", "沪A", 0.001), 1));
    EXPECT_EQ(tradeParamConflict(table, feeRow(0, "000", "深主板"), 1),
              "股票的特征代码与深A的全部一样，请重新填写");
    EXPECT_EQ(tradeParamConflict(table, feeRow(1, "601", "深A"), 1),
              "已经有相同的股票分类简称存在，请重新命名");
}

class TradeParamTableEditsTest : public ::testing::Test {
protected:
    TradeParamTableEdits edits() {
        return {table,
                [this] { return saveTradeParams(dir.file("trdpara.dat"), table, messages); }};
    }
    Bytes file() const { return test::readBytes(dir.file("trdpara.dat")); }

    test::TempDir dir;
    test::RecordingMessages messages;
    TradeParamTable table;
};

TEST_F(TradeParamTableEditsTest, EachChangeIsWrittenAtOnceInTableOrder) {
    ASSERT_FALSE(edits().add(feeRow(1, "600", "沪A", 0.0025)));
    ASSERT_FALSE(edits().add(feeRow(0, "000", "深A", 0.003)));
    ASSERT_FALSE(edits().add(feeRow(1, "6", "沪", 0.001)));  // last, whatever its market and prefix
    ASSERT_EQ(table.size(), 3u);
    EXPECT_STREQ(table[2].codePrefix, "6");

    Bytes expected = rowBytes(1, "600",
                              "\xBB\xA6"
                              "A",
                              {0.0025, 0, 0, 0, 0, 0});
    const Bytes second = rowBytes(0, "000",
                                  "\xC9\xEE"
                                  "A",
                                  {0.003, 0, 0, 0, 0, 0});
    const Bytes third = rowBytes(1, "6", "\xBB\xA6", {0.001, 0, 0, 0, 0, 0});
    expected.insert(expected.end(), second.begin(), second.end());
    expected.insert(expected.end(), third.begin(), third.end());
    EXPECT_EQ(file(), expected);

    // Overwritten in place, the others keep their places.
    TradeParam changed = feeRow(0, "002", "深中小", 0.002);
    changed.minCommission = 5;
    changed.stampDutyRate = 0.001;
    changed.transferFeePer1000 = 1;
    changed.minTransferFee = 1;
    changed.orderFee = 5;
    ASSERT_FALSE(edits().modify(1, changed));
    const Bytes middle = rowBytes(0, "002", "\xC9\xEE\xD6\xD0\xD0\xA1", {0.002, 5, 0.001, 1, 1, 5});
    EXPECT_TRUE(std::equal(middle.begin(), middle.end(), file().begin() + 79));
    EXPECT_EQ(file().size(), 237u);

    // Deleting closes the gap.
    edits().remove(0);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(fieldText(table[0].categoryName), "深中小");
    EXPECT_EQ(file().size(), 158u);
    EXPECT_TRUE(std::equal(middle.begin(), middle.end(), file().begin()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TradeParamTableEditsTest, ConflictChangesNeitherTableNorFile) {
    ASSERT_FALSE(edits().add(feeRow(1, "600", "沪A")));
    ASSERT_FALSE(edits().add(feeRow(1, "900", "沪B")));
    const Bytes before = file();
    EXPECT_TRUE(edits().add(feeRow(1, "600", "新")));
    EXPECT_TRUE(edits().modify(1, feeRow(1, "600", "沪B")));
    EXPECT_EQ(file(), before);
    EXPECT_STREQ(table[1].codePrefix, "900");
    EXPECT_EQ(table.size(), 2u);
}

TEST_F(TradeParamTableEditsTest, DeletingTheOnlyRowLeavesTheDefaultFees) {
    setStandardDefaultTradeParams();
    ASSERT_FALSE(edits().add(feeRow(1, "600", "沪A", 0.01)));
    EXPECT_DOUBLE_EQ(tradeParamFor(table, "上海", "600036").commissionRate, 0.01);
    edits().remove(0);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(file().size(), 0u);
    EXPECT_TRUE(tradeParamList(table).rows.empty());
    EXPECT_DOUBLE_EQ(tradeFee(10.0, 100, tradeParamFor(table, "上海", "600036")), 12.0);
}

TEST_F(TradeParamTableEditsTest, FailedWriteKeepsTheChangeInMemory) {
    TradeParamTableEdits broken(
        table, [this] { return saveTradeParams(dir.file("gone/trdpara.dat"), table, messages); });
    EXPECT_FALSE(broken.add(feeRow(1, "600", "沪A")));
    EXPECT_EQ(table.size(), 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "不能打开文件trdpara.dat读取相关数据!");
}

TEST(TradeParamList, SevenCentredColumnsWithRatesAsPercentages) {
    TradeParam p = feeRow(1, "600", "沪A", 0.0025);
    p.minCommission = 5;
    p.stampDutyRate = 0.001;
    p.transferFeePer1000 = 1;
    p.minTransferFee = 1.5;
    p.orderFee = 5;
    const ListTable list = tradeParamList({p, feeRow(0, "000", "深A", 0.003)});
    ASSERT_EQ(list.columns.size(), 7u);
    const std::pair<const char*, int> columns[] = {
        {"股票分类简称", 100}, {"手续费", 50},     {"最低手续费", 90}, {"印花税", 50},
        {"过户费/千股", 100},  {"最低过户费", 90}, {"委托费", 50}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(list.columns[i].header, columns[i].first);
        EXPECT_EQ(list.columns[i].width, columns[i].second);
        EXPECT_EQ(list.columns[i].align, ColumnAlign::Center);
    }
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0], (std::vector<std::string>{"沪A", "0.250%", "5.000", "0.100%", "1.000",
                                                      "1.500", "5.000"}));
    EXPECT_EQ(list.rows[1][0], "深A");
    EXPECT_EQ(list.rows[1][1], "0.300%");
}

}  // namespace
}  // namespace fiscora
