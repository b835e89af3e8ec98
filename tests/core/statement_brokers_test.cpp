// Statements as real brokers' clients export them, each layout rebuilt from its columns.
#include <gtest/gtest.h>

#include "engine/statement_entries.h"
#include "records/gbk_text.h"
#include "support/packed_field.h"

namespace fiscora {
namespace {

StatementReading read(const std::string& bytes, const StatementAccount& account = {}) {
    return readStatement(decodeStatementText(bytes), StatementLayouts{}, account);
}

std::string gbk(const std::string& utf8) {
    return utf8ToGbk(utf8).value();
}

std::string utf16le(const std::string& utf8, bool mark) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t c = lead;
        std::size_t length = 1;
        if (lead >= 0xE0) {
            c = (lead & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
            length = 3;
        } else if (lead >= 0xC0) {
            c = (lead & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            length = 2;
        }
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
        i += length;
    }
    return out;
}

std::string code(const LedgerRecord& r) {
    return std::string(fieldBytes(r.stockCode));
}

LedgerRecord booked(const StatementReading& reading, std::size_t index) {
    const StatementEntry entry = reading.entry(index);
    EXPECT_TRUE(entry.record) << "line " << entry.line << ": " << entry.reason;
    return entry.record.value_or(LedgerRecord{});
}

// A 交割单 with a 买卖标志 of 买/卖, sales as negative quantities, and 手续费 the total of
// 佣金, 印花税, 过户费 and 其他费 shown beside it.
TEST(BrokerStatementTest, DeliveryNoteWithBuySellFlagAndAFeeTotal) {
    const StatementReading reading = read(
        gbk("交割日期,证券代码,证券名称,买卖标志,成交数量,成交价格,成交金额,手续费,佣金,印花税,"
            "过户费,其他费,发生金额,剩余金额,股东代码\r\n"
            "20240105,600036,招商银行,买,1000,35.20,35200.00,10.15,8.80,0.00,0.35,1.00,-35210.15,"
            "64789.85,A123456789\r\n"
            "20240108,600036,招商银行,卖,-400,36.00,14400.00,21.00,5.00,14.40,0.14,1.46,14379.00,"
            "79168.85,A123456789\r\n"));
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "交割单");
    const LedgerRecord& buy = booked(reading, 0);
    EXPECT_EQ(buy.kind(), RecordType::Buy);
    EXPECT_NEAR(buy.fee, 10.15, 1e-9);  // not 20.30
    EXPECT_DOUBLE_EQ(buy.amount, 35210.15);
    const LedgerRecord& sell = booked(reading, 1);
    EXPECT_EQ(sell.kind(), RecordType::Sell);
    EXPECT_EQ(test::unpacked(sell.quantity), 400);
    EXPECT_NEAR(sell.fee, 21, 1e-9);
    EXPECT_DOUBLE_EQ(sell.amount, 14379);
    EXPECT_DOUBLE_EQ(reading.entry(1).cashBalance.value(), 79168.85);
}

// Without 发生金额 the fee columns are the fallback: the total alone, never added to its parts.
TEST(BrokerStatementTest, FeeColumnsWithoutTheCashAmountTakeTheTotalAlone) {
    const StatementReading reading =
        read("成交日期\t证券代码\t操作\t成交数量\t成交均价\t费用合计\t佣金\t印花税\t其他费\n"
             "20240105\t600036\t证券买入\t100\t10.00\t5.10\t5.00\t0\t0.10\n"
             "20240106\t600036\t证券买入\t100\t10.00\t\t5.00\t0\t0.10\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_NEAR(booked(reading, 0).fee, 5.10, 1e-9);
    EXPECT_DOUBLE_EQ(booked(reading, 0).amount, 1005.10);
    // No total on the row: the parts, 其他费 among them.
    EXPECT_NEAR(booked(reading, 1).fee, 5.10, 1e-9);
}

// A 对账单 exported as "Unicode 文本": UTF-16 with tabs, 交收日期 and 业务名称, a 股东代码
// whose leading zero a spreadsheet dropped, a Shenzhen fund.
TEST(BrokerStatementTest, AccountStatementInUtf16WithSettlementDates) {
    const std::string text =
        "交收日期\t业务名称\t证券代码\t证券名称\t成交均价\t成交数量\t成交金额\t发生金额\t股东帐户\r"
        "\n"
        "20240301\t证券买入\t159915\t创业板ETF\t2.500\t1000\t2500.00\t-2505.00\t123456789\r\n"
        "20240302\t证券卖出\t000002\t万科A\t8.00\t-100\t800.00\t794.20\t123456789\r\n";
    for (const bool mark : {true, false}) {
        const StatementReading reading = read(utf16le(text, mark));
        ASSERT_TRUE(reading.error.empty()) << reading.error;
        EXPECT_EQ(reading.layoutName, "对账单");
        const LedgerRecord& fund = booked(reading, 0);
        EXPECT_EQ(code(fund), "159915");
        EXPECT_EQ(test::unpacked(fund.market), 0);
        EXPECT_NEAR(fund.fee, 5, 1e-9);
        EXPECT_EQ(reading.entry(1).name, "万科A");
        EXPECT_NEAR(booked(reading, 1).fee, 5.8, 1e-9);
    }
}

// A 资金流水 with 摘要: dividends, tax and interest, each with the balance after it.
TEST(BrokerStatementTest, CashFlowWithSummaryTexts) {
    const StatementReading reading =
        read("发生日期,摘要,证券代码,证券名称,发生数量,成交价格,发生金额,资金余额,股份余额\n"
             "20240610,股息入帐,600036,招商银行,600,36.50,582.00,10582.00,600\n"
             "20240611,股息红利税补缴,600036,招商银行,0,0,-29.10,10552.90,600\n"
             "20240620,利息归本,,,0,0,1.05,10553.95,0\n"
             "20240621,红股入帐,600036,招商银行,120,0,0,10553.95,720\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "资金流水");
    const LedgerRecord& dividend = booked(reading, 0);
    EXPECT_EQ(dividend.kind(), RecordType::Dividend);
    EXPECT_DOUBLE_EQ(dividend.amount, 582);
    // The 成交价格 of a dividend row is the stock's price, not the dividend per share.
    EXPECT_EQ(test::unpacked(dividend.price), 0);
    EXPECT_FALSE(reading.entry(1).record);
    EXPECT_TRUE(reading.entry(1).cashAdjustment);
    EXPECT_DOUBLE_EQ(reading.entry(1).cashEffect, -29.10);
    EXPECT_TRUE(reading.entry(2).cashAdjustment);
    EXPECT_EQ(booked(reading, 3).kind(), RecordType::BonusShares);
    EXPECT_DOUBLE_EQ(reading.entry(3).shareBalance.value(), 720);
}

TEST(BrokerStatementTest, BusinessTextsOfMarginTradesAndFunds) {
    const StatementReading reading =
        read("成交日期,证券代码,委托类别,成交数量,成交价格,成交金额,发生金额,交易市场\n"
             "20240105,600036,担保品买入,100,10,1000,-1005,沪A\n"
             "20240105,600036,融资买入,100,10,1000,-1005,沪A\n"
             "20240106,600036,卖券还款,200,11,2200,2190,沪A\n"
             "20240106,600036,担保品卖出,100,11,1100,1095,沪A\n"
             "20240107,510300,ETF申购,1000,4,4000,-4000,沪A\n"
             "20240107,510300,ETF赎回,0,0,0,0,沪A\n"
             "20240108,600036,买入,100,10,1000,-1005,沪A\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    const std::vector<RecordType> kinds = {RecordType::Buy, RecordType::Buy, RecordType::Sell,
                                           RecordType::Sell, RecordType::Buy};
    for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(booked(reading, i).kind(), kinds[i]);
    EXPECT_EQ(reading.entry(1).reason, "融资买入，按买入股票记入");
    EXPECT_EQ(reading.entry(2).reason, "卖券还款，按卖出股票记入");
    // A redemption that carries no shares books nothing.
    EXPECT_EQ(reading.entry(5).reason, "成交数量为0");
    EXPECT_EQ(booked(reading, 6).kind(), RecordType::Buy);
}

// New shares: the payment carries the subscription code, the shares arrive under the
// stock's own at the price paid.
TEST(BrokerStatementTest, NewSharesArriveAtThePricePaid) {
    const StatementReading reading =
        read("成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,发生金额\n"
             "20240510,732999,某某配号,中签缴款,500,10.50,5250.00,-5250.00\n"
             "20240520,603999,某某股份,新股入帐,500,0,0,0\n"
             "20240521,001999,另一新股,新股入账,500,0,0,0\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.entry(0).reason, "新股缴款，在新股入账时记入");
    const LedgerRecord& shares = booked(reading, 1);
    EXPECT_EQ(shares.kind(), RecordType::Buy);
    EXPECT_EQ(code(shares), "603999");
    EXPECT_DOUBLE_EQ(shares.price, 10.5);
    EXPECT_DOUBLE_EQ(shares.amount, 5250);
    // Shares without a payment are not booked at cost 0.
    EXPECT_FALSE(reading.entry(2).record);
    EXPECT_EQ(reading.entry(2).reason, "新股入账，找不到它的中签缴款，无法得知价格");
}

TEST(BrokerStatementTest, RightsPaidUnderTheSubscriptionCodeBookUnderTheStock) {
    const StatementReading reading =
        read("成交日期,证券代码,操作,成交数量,成交价格,成交金额,发生金额,股东代码\n"
             "20240305,700036,配股缴款,300,8.00,2400.00,-2400.00,A123456789\n"
             "20240306,080002,配股缴款,200,5.00,1000.00,-1000.00,0123456789\n"
             "20240312,600036,配股入帐,300,0,0,0,A123456789\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(code(booked(reading, 0)), "600036");
    EXPECT_EQ(reading.entry(0).code, "600036");
    EXPECT_EQ(code(booked(reading, 1)), "000002");
    EXPECT_FALSE(reading.entry(2).record);
    EXPECT_EQ(reading.entry(2).reason, "配股已在缴款时记入");
}

TEST(BrokerStatementTest, BeijingAndHongKongRowsAreSkippedWithTheirReason) {
    const StatementReading reading =
        read("成交日期,证券代码,操作,成交数量,成交价格,发生金额,交易市场,币种,汇率\n"
             "20240105,430047,证券买入,100,10,-1005,北交所,人民币,0\n"
             "20240105,830799,证券买入,100,10,-1005,,人民币,0\n"
             "20240105,920002,证券买入,100,10,-1005,深A,人民币,0\n"
             "20240105,00700,证券买入,100,300,-30050,港股通,港币,0.92\n"
             "20240105,00941,证券买入,100,60,-6005,,人民币,0.9213\n"
             "20240105,600036,证券买入,100,10,-1005,沪A,人民币,1\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(reading.entry(i).reason, "北交所的证券，不能记入") << i;
    EXPECT_EQ(reading.entry(3).reason, "港股通的证券，不能记入");
    EXPECT_EQ(reading.entry(4).reason, "港股通的证券，不能记入");
    EXPECT_EQ(test::unpacked(booked(reading, 5).market), 1);
    EXPECT_EQ(marketOfCell("北交所A股"), kMarketBeijing);
    EXPECT_EQ(marketOfCell("123456789"), 0);
}

TEST(BrokerStatementTest, AMissingColumnIsNamed) {
    const StatementReading reading = read(
        "资金账号:1234\n成交日期,证券代码,证券名称,成交价格,发生金额\n20240105,600036,x,1,1\n");
    EXPECT_EQ(reading.error,
              "标题行中找不到业务（操作、买卖标志、委托类别、业务名称、业务类型、业务标志、摘要、"
              "备注），数量（成交数量、发生数量、成交股数、数量）列");
}

// Figures that no record can represent are refused as the booking dialogs refuse them.
TEST(BrokerStatementTest, FiguresBeyondRepresentationAreRefused) {
    const StatementReading reading =
        read("成交日期,证券代码,操作,成交数量,成交价格,手续费,交易市场\n"
             "20240105,600036,证券买入,1000,1e306,0,沪A\n"
             "20240105,600036,证券买入,100,10,1e308,沪A\n");
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.entry(0).reason, "输入的数值太大,计算结果无法表示");
    EXPECT_EQ(reading.entry(1).reason, "输入的数值太大,计算结果无法表示");
}

}  // namespace
}  // namespace fiscora
