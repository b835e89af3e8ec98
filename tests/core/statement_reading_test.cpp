#include <gtest/gtest.h>

#include "engine/statement_entries.h"
#include "records/gbk_text.h"
#include "support/packed_field.h"

namespace fiscora {
namespace {

StatementReading read(const std::string& utf8, const StatementAccount& account = {}) {
    return readStatement(decodeStatementText(utf8), StatementLayouts{}, account);
}

std::string gbkCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return utf8ToGbk(text).value();
}

std::string code(const LedgerRecord& r) {
    return std::string(fieldBytes(r.stockCode));
}

// What a trading client's 交割单 export looks like: GBK, CR LF, a line above the header,
// quoted figures with thousands separators, the fees in four columns.
const std::vector<std::string> kDeliveryNote = {
    "资金账号:12345678,,,,",
    "成交日期,成交时间,证券代码,证券名称,操作,成交数量,成交均价,成交金额,手续费,印花税,过户费,"
    "其他费用,发生金额,剩余金额,交易市场,股东代码",
    "20240105,09:31:02,600036,招商银行,证券买入,\"1,000\",35.200,\"35,200.00\",8.80,0.00,0.35,"
    "0.10,\"-35,209.25\",\"64,790.75\",上海A股,A123456789",
    "20240108,10:00:00,000858,五粮液,证券卖出,200,142.60,\"28,520.00\",7.13,14.26,0.00,0.00,"
    "\"28,498.61\",,深圳A股,0123456789",
    "20240109,,,,银证转入,0,0,0,0,0,0,0,\"10,000.00\",,,",
    "20240110,,,,利息归本,0,0,0,0,0,0,0,1.23,,,",
};

// A file's pieces one line each, as a reader cutting at every line end gives them.
class LinePieces : public StatementPieces {
public:
    explicit LinePieces(std::string text) : text_(std::move(text)) {}
    bool appendNext(std::string& out) override {
        if (position_ >= text_.size()) return false;
        const std::size_t end = text_.find('\n', position_);
        const std::size_t next = end == std::string::npos ? text_.size() : end + 1;
        out += text_.substr(position_, next - position_);
        position_ = next;
        return true;
    }

private:
    std::string text_;
    std::size_t position_ = 0;
};

// Read a line at a time, the statement gives the entries it gives read whole, the header
// found below title lines and blank lines as many as a whole reading skips.
TEST(StatementReadingTest, AStatementReadInPiecesGivesTheEntriesOfTheWholeText) {
    std::vector<std::string> lines(60, "");
    for (int i = 0; i < 40; ++i) lines.push_back("资金账号:12345678,,,,");
    lines.insert(lines.end(), kDeliveryNote.begin() + 1, kDeliveryNote.end());
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    const StatementReading whole = readStatement(text, StatementLayouts{}, {});
    LinePieces pieces(text);
    const StatementReading read = readStatement(pieces, StatementLayouts{}, {});
    ASSERT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.entries.size(), 4u);
    ASSERT_EQ(whole.entries.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.entry(i).line, 102 + i);
        EXPECT_EQ(read.entry(i).line, whole.entry(i).line);
        EXPECT_EQ(read.entry(i).reason, whole.entry(i).reason);
        EXPECT_EQ(read.entry(i).record.has_value(), whole.entry(i).record.has_value());
    }
}

TEST(StatementReadingTest, DeliveryNoteInGbkKeepsTheBrokersFeesAndAmounts) {
    const StatementReading reading = read(gbkCrLf(kDeliveryNote));
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "交割单");
    ASSERT_EQ(reading.entries.size(), 4u);

    const StatementEntry buy = reading.entry(0);
    EXPECT_EQ(buy.line, 3u);
    EXPECT_EQ(buy.name, "招商银行");
    ASSERT_TRUE(buy.record) << buy.reason;
    EXPECT_EQ(buy.record->kind(), RecordType::Buy);
    EXPECT_EQ(test::unpacked(buy.record->cashSign), -1);
    EXPECT_EQ(test::unpacked(buy.record->date), 20240105);
    EXPECT_EQ(test::unpacked(buy.record->market), 1);
    EXPECT_EQ(code(*buy.record), "600036");
    EXPECT_EQ(test::unpacked(buy.record->quantity), 1000);
    EXPECT_DOUBLE_EQ(buy.record->price, 35.2);
    EXPECT_NEAR(buy.record->fee, 9.25, 1e-9);
    EXPECT_DOUBLE_EQ(buy.record->amount, 35209.25);

    const LedgerRecord sell = *reading.entry(1).record;
    EXPECT_EQ(sell.kind(), RecordType::Sell);
    EXPECT_EQ(test::unpacked(sell.cashSign), 1);
    EXPECT_EQ(test::unpacked(sell.market), 0);
    EXPECT_NEAR(sell.fee, 21.39, 1e-9);
    EXPECT_DOUBLE_EQ(sell.amount, 28498.61);

    const LedgerRecord deposit = *reading.entry(2).record;
    EXPECT_EQ(deposit.kind(), RecordType::CashIn);
    EXPECT_EQ(test::unpacked(deposit.market), 0);
    EXPECT_EQ(code(deposit), "");
    EXPECT_DOUBLE_EQ(deposit.amount, 10000);

    EXPECT_FALSE(reading.entry(3).record);
    // Skipped on purpose, with the cash it moved for the reconciliation.
    EXPECT_EQ(reading.entry(3).reason, "利息结算，不是交易，资金+1.230元");
    EXPECT_TRUE(reading.entry(3).cashAdjustment);
}

TEST(StatementReadingTest, AccountStatementInUtf8WithMarkAndTabs) {
    const std::string text =
        "\xEF\xBB\xBF"
        "发生日期\t业务名称\t证券代码\t证券名称\t成交价格\t成交数量\t成交金额\t佣金\t印花税\t过户费"
        "\t"
        "其他费\t发生金额\t资金余额\t股东代码\n"
        "2024-03-01\t红利入账\t600036\t招商银行\t0\t0\t0\t0\t0\t0\t0\t1,620.00\t0\tA123456789\n"
        "2024/3/2\t股息入账\t000858\t五粮液\t\t200\t\t\t\t\t\t300.00\t0\t0123456789\n"
        "2024/3/4\t红股入账\t000858\t五粮液\t0\t100\t0\t0\t0\t0\t0\t0\t0\t0123456789\n"
        "2024年3月5日\t配股缴款\t600036\t招商银行\t8.00\t300\t2,400.00\t0\t0\t0\t0\t-2,400.00\t0\t"
        "A123456789\n"
        "20240310 15:00:00\t配股入账\t600036\t招商银行\t0\t300\t0\t0\t0\t0\t0\t0\t0\tA123456789\n"
        "20240311\t银证转出\t\t\t0\t0\t0\t0\t0\t0\t0\t-500.00\t0\t\n"
        "20240312\t股息红利税补缴\t600036\t招商银行\t0\t0\t0\t0\t0\t0\t0\t-16.20\t0\tA123456789\n"
        "20240313\t新股申购\t732999\t某某申购\t10.00\t1000\t0\t0\t0\t0\t0\t0\t0\tA123456789\n";
    const StatementReading reading = read(text);
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "对账单");
    ASSERT_EQ(reading.entries.size(), 8u);

    const LedgerRecord dividend = *reading.entry(0).record;
    EXPECT_EQ(dividend.kind(), RecordType::Dividend);
    EXPECT_EQ(test::unpacked(dividend.market), 1);
    EXPECT_DOUBLE_EQ(dividend.amount, 1620);
    EXPECT_EQ(test::unpacked(dividend.fee), 0);
    // The price per share is left to the preview, which knows the holding.
    const LedgerRecord perShare = *reading.entry(1).record;
    EXPECT_EQ(test::unpacked(perShare.date), 20240302);
    EXPECT_EQ(test::unpacked(perShare.quantity), 200);
    EXPECT_EQ(test::unpacked(perShare.price), 0);
    EXPECT_DOUBLE_EQ(perShare.amount, 300);

    const LedgerRecord bonus = *reading.entry(2).record;
    EXPECT_EQ(bonus.kind(), RecordType::BonusShares);
    EXPECT_EQ(test::unpacked(bonus.cashSign), 0);
    EXPECT_EQ(test::unpacked(bonus.quantity), 100);
    EXPECT_EQ(test::unpacked(bonus.amount), 0);

    const LedgerRecord rights = *reading.entry(3).record;
    EXPECT_EQ(rights.kind(), RecordType::RightsIssue);
    EXPECT_EQ(test::unpacked(rights.date), 20240305);
    EXPECT_EQ(test::unpacked(rights.quantity), 300);
    EXPECT_DOUBLE_EQ(rights.amount, 2400);
    // The shares of the subscription arrive again later; they were booked with the payment.
    EXPECT_FALSE(reading.entry(4).record);
    EXPECT_EQ(reading.entry(4).reason, "配股已在缴款时记入");

    EXPECT_EQ(reading.entry(5).record->kind(), RecordType::CashOut);
    EXPECT_DOUBLE_EQ(reading.entry(5).record->amount, 500);
    EXPECT_EQ(reading.entry(6).reason, "税费调整，不是交易，资金-16.200元");
    EXPECT_EQ(reading.entry(7).reason, "新股申购，尚未中签");
}

TEST(StatementReadingTest, CashFlowLayoutAndEveryReasonToSkip) {
    const std::string text =
        "日期,摘要,证券代码,证券名称,发生数量,成交均价,成交金额,手续费,印花税,过户费,发生金额\n"
        "2024.04.01,证券买入,159915,创业板ETF,1000,2.500,2500.00,5.00,0,0,-2505.00\n"
        "2024.04.02,证券买入,2,万科A,100,7.50,750.00,5,0,0,\n"
        "2024.04.03,撤单,600000,浦发银行,0,0,0,0,0,0,0\n"
        "2024.04.04,证券买入,600000,浦发银行,100.5,7,0,0,0,0,0\n"
        "2024.04.05,证券卖出,600000,浦发银行,0,7,0,0,0,0,0\n"
        "2024.04.06,证券买入,60003X,某某,100,7,0,0,0,0,0\n"
        "2024-13-01,证券买入,600000,浦发银行,100,7,0,0,0,0,0\n"
        "2024.04.08,证券买入,600000,浦发银行,100,abc,0,0,0,0,0\n"
        "合计,,,,,,,,,,-3260.00\n";
    const StatementReading reading = read(text);
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "资金流水");
    ASSERT_EQ(reading.entries.size(), 9u);
    // A Shenzhen fund (159xxx), with no market column; the fee is what separates 发生金额
    // from 成交金额.
    ASSERT_TRUE(reading.entry(0).record) << reading.entry(0).reason;
    EXPECT_EQ(test::unpacked(reading.entry(0).record->market), 0);
    EXPECT_DOUBLE_EQ(reading.entry(0).record->fee, 5);
    // A code a spreadsheet shortened; no 发生金额: 成交金额 plus the fee.
    const LedgerRecord vanke = *reading.entry(1).record;
    EXPECT_EQ(code(vanke), "000002");
    EXPECT_EQ(test::unpacked(vanke.market), 0);
    EXPECT_DOUBLE_EQ(vanke.amount, 755);
    EXPECT_EQ(reading.entry(2).reason, "撤单，没有成交");
    EXPECT_EQ(reading.entry(3).reason, "成交数量不是整数");
    EXPECT_EQ(reading.entry(4).reason, "成交数量为0");
    EXPECT_EQ(reading.entry(5).reason, "证券代码不是6位数字");
    EXPECT_EQ(reading.entry(6).reason, "日期无法识别：2024-13-01");
    EXPECT_EQ(reading.entry(7).reason, "数字无法识别：abc");
    EXPECT_EQ(reading.entry(8).reason, "没有业务名称");
}

TEST(StatementReadingTest, MarketFromTheRowTheAccountOrTheCode) {
    EXPECT_EQ(marketOfCell("上海A股"), 1);
    EXPECT_EQ(marketOfCell("沪A"), 1);
    EXPECT_EQ(marketOfCell("深圳A股"), 0);
    EXPECT_EQ(marketOfCell("A123456789"), 1);
    EXPECT_EQ(marketOfCell("C900001234"), 1);
    EXPECT_EQ(marketOfCell("0123456789"), 0);
    EXPECT_EQ(marketOfCell(""), -1);
    EXPECT_EQ(marketOfCell("北京"), -2);

    const std::string header = "成交日期,证券代码,操作,成交数量,成交均价,交易市场\n";
    // The row names the market even against the code's digits.
    auto reading = read(header + "20240105,000001,证券买入,100,10,上海\n");
    EXPECT_EQ(test::unpacked(reading.entry(0).record->market), 1);
    // A B share account's market is fixed.
    reading = read(header + "20240105,200002,证券买入,100,10,\n", {0});
    EXPECT_EQ(test::unpacked(reading.entry(0).record->market), 0);
    reading = read(header + "20240105,430001,证券买入,100,10,北京\n");
    EXPECT_EQ(reading.entry(0).reason, "北交所的证券，不能记入");
}

TEST(StatementReadingTest, NumbersAndDates) {
    EXPECT_DOUBLE_EQ(statementNumber("1,234,567.89").value(), 1234567.89);
    EXPECT_DOUBLE_EQ(statementNumber(" -35,209.25 ").value(), -35209.25);
    EXPECT_DOUBLE_EQ(statementNumber("+5").value(), 5);
    EXPECT_EQ(statementNumber("").value(), 0);
    EXPECT_EQ(statementNumber("--").value(), 0);
    EXPECT_FALSE(statementNumber("1.2.3"));
    EXPECT_FALSE(statementNumber("inf"));
    EXPECT_FALSE(statementNumber("12元"));
    EXPECT_EQ(statementDate("20240229").value(), 20240229);
    EXPECT_EQ(statementDate("2024-1-5").value(), 20240105);
    EXPECT_EQ(statementDate("2024年01月05日").value(), 20240105);
    EXPECT_FALSE(statementDate("20230229"));
    EXPECT_FALSE(statementDate("05/01/2024"));
    EXPECT_FALSE(statementDate("合计"));
}

TEST(StatementReadingTest, AFileWithoutAHeaderSaysSo) {
    const StatementReading reading = read("a,b,c\n1,2,3\n");
    EXPECT_EQ(reading.error, "文件中找不到交割单的标题行");
    EXPECT_TRUE(reading.entries.empty());
}

const char* const kMapping = "# 某券商的对账单\n"
                             "格式 = 某券商对账单\n"
                             "日期 = 交收日期\n"
                             "业务 = 业务类型\n"
                             "代码 = 股票代码\n"
                             "名称 = 股票简称\n"
                             "数量 = 股数\n"
                             "价格 = 价格\n"
                             "发生金额 = 清算金额\n"
                             "费用 = 佣金，规费, 印花税   # three columns\n"
                             "市场 = 市场\n"
                             "买入股票 = 担保品买入, 新股入账\n";

TEST(StatementMappingTest, AHandWrittenMappingReadsAnyLayout) {
    const MappingResult mapping = parseStatementMapping(kMapping);
    ASSERT_TRUE(mapping.layout) << mapping.error;
    EXPECT_EQ(mapping.layout->name, "某券商对账单");
    const std::string text =
        "交收日期,业务类型,股票代码,股票简称,股数,价格,清算金额,佣金,规费,印花税,市场\n"
        "20240601,担保品买入,600519,贵州茅台,100,1600.00,\"-160,050.00\",40.00,10.00,0,沪\n"
        "20240602,新股入账,001286,某新股,500,10.00,\"-5,000.00\",0,0,0,深\n"
        "20240603,证券卖出,600519,贵州茅台,100,1650.00,\"164,800.00\",40.00,10.00,150.00,沪\n";
    const StatementReading reading =
        readStatement(text, StatementLayouts{{*mapping.layout}, false}, {});
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    EXPECT_EQ(reading.layoutName, "某券商对账单");
    ASSERT_EQ(reading.entries.size(), 3u);
    EXPECT_EQ(reading.entry(0).record->kind(), RecordType::Buy);
    EXPECT_NEAR(reading.entry(0).record->fee, 50, 1e-9);
    EXPECT_DOUBLE_EQ(reading.entry(0).record->amount, 160050);
    EXPECT_EQ(reading.entry(1).record->kind(), RecordType::Buy);
    EXPECT_EQ(test::unpacked(reading.entry(1).record->market), 0);
    // The built-in business texts still hold.
    EXPECT_EQ(reading.entry(2).record->kind(), RecordType::Sell);
    EXPECT_NEAR(reading.entry(2).record->fee, 200, 1e-9);

    // Only the mapping's layout is tried: a built-in header is not found with it.
    EXPECT_EQ(readStatement(decodeStatementText(gbkCrLf(kDeliveryNote)),
                            StatementLayouts{{*mapping.layout}, false}, {})
                  .error,
              "文件中找不到映射文件给出的列名");
}

TEST(StatementMappingTest, AColumnNameTheFileLacksIsNamed) {
    const MappingResult mapping = parseStatementMapping(
        "日期 ＝ 交收日期\n代码 = 股票代码\n业务 = 业务类别\n数量 = 股数\n价格 = 价格\n");
    ASSERT_TRUE(mapping.layout) << mapping.error;
    const StatementReading reading =
        readStatement("交收日期,业务类型,股票代码,股数,价格\n20240601,证券买入,600519,100,1600\n",
                      StatementLayouts{{*mapping.layout}, false}, {});
    EXPECT_EQ(reading.error, "标题行中找不到业务（业务类别）列");
}

TEST(StatementMappingTest, AFaultyMappingNamesItsLine) {
    EXPECT_EQ(parseStatementMapping("日期 = 交收日期\n代码 股票代码\n").error,
              "映射文件第2行：缺少“=”");
    EXPECT_EQ(parseStatementMapping("\n\n日子 = 交收日期\n").error, "映射文件第3行：不认识“日子”");
    EXPECT_EQ(parseStatementMapping("日期 = \n").error, "映射文件第1行：“日期”后面没有内容");
    EXPECT_EQ(parseStatementMapping("日期 = a\n代码 = b\n业务 = c\n数量 = d\n").error,
              "映射文件没有给出“价格”列");
}

}  // namespace
}  // namespace fiscora
