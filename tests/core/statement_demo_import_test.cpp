#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>

#include "engine/dates.h"
#include "engine/statement_import.h"
#include "records/gbk_text.h"
#include "support/temp_dir.h"
#include "tools/demo/demo_workspace.h"

namespace fiscora {
namespace {

using Position = std::pair<std::int32_t, std::string>;  // market, code

double cents(double value) {
    return std::round(value * 100) / 100;
}

std::string money(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string digits = text;
    // Thousands separators, as the trading clients write them, and the cell then quoted.
    const std::size_t point = digits.find('.');
    const std::size_t firstDigit = digits[0] == '-' ? 1 : 0;
    for (std::size_t at = point; at > firstDigit + 3; at -= 3) digits.insert(at - 3, ",");
    return "\"" + digits + "\"";
}

// A year of a broker's 交割单 (GBK, CR LF) trading the demo account's stocks and two new
// ones after the demo's history: a deposit, then fills that sell only what is held. It
// keeps its own tally of the positions, starting from those the demo account holds.
class StatementWriter {
public:
    explicit StatementWriter(const Holdings& opening) {
        for (const Holding& h : opening) closing[{h.market, h.stockCode}] = h.heldQty();
        closing[{1, "600000"}] += 0;
        closing[{0, "000002"}] += 0;
    }

    std::string write(int fills, std::int32_t firstDay) {
        text_ = "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,手续费,印花税,过户费,"
                "发生金额,交易市场\r\n";
        std::time_t day = timeFromDate(firstDay) + 43200;
        line({dateFromTime(day), "", "银证转入", -1, 0, 0, 0, 0, 0, 0, 2000000.00});
        std::mt19937 random(19);
        for (int i = 0; i < fills; ++i) {
            if (i % 3 == 0) day += 86400;
            const std::int32_t date = dateFromTime(day);
            auto stock = closing.begin();
            std::advance(stock, static_cast<long>(random() % closing.size()));
            const auto& [market, code] = stock->first;
            std::int64_t& held = stock->second;
            const double price = cents(5 + static_cast<double>(random() % 5000) / 100.0);
            const bool sell = held >= 100 && random() % 2 == 0;
            const std::int32_t lots = 1 + static_cast<std::int32_t>(random() % 10);
            const auto quantity = static_cast<std::int32_t>(
                sell ? std::min<std::int64_t>(held, lots * 100) : lots * 100);
            const double value = cents(quantity * price);
            const double commission = std::max(5.0, cents(value * 0.00025));
            const double stamp = sell ? cents(value * 0.001) : 0;
            const double transfer = cents(value * 0.00001);
            const double fees = commission + stamp + transfer;
            const double net = sell ? cents(value - fees) : -cents(value + fees);
            line({date, code, sell ? "证券卖出" : "证券买入", market, quantity, price, value,
                  commission, stamp, transfer, net});
            held += sell ? -quantity : quantity;
            if (i % 50 == 0) line({date, "", "利息归本", -1, 0, 0, 0, 0, 0, 0, 1.5});
        }
        return utf8ToGbk(text_).value();
    }

    std::map<Position, std::int64_t> closing;

private:
    struct Fill {
        std::int32_t date;
        std::string code;
        const char* action;
        std::int32_t market;  // -1 for cash lines
        std::int32_t quantity;
        double price, value, commission, stamp, transfer, net;
    };

    void line(const Fill& f) {
        char figures[40];
        std::snprintf(figures, sizeof figures, "%d,%.2f", f.quantity, f.price);
        text_ += std::to_string(f.date) + "," + f.code + ",," + f.action + "," + figures + "," +
                 money(f.value) + "," + money(f.commission) + "," + money(f.stamp) + "," +
                 money(f.transfer) + "," + money(f.net) + "," +
                 (f.market < 0    ? ""
                  : f.market == 1 ? "上海A股"
                                  : "深圳A股") +
                 "\r\n";
    }

    std::string text_;
};

TEST(StatementDemoImportTest, AYearOfFillsLeavesTheStatementsClosingPositions) {
    test::TempDir dir;
    test::RecordingMessages messages;
    constexpr std::int32_t kToday = 20240603;
    ASSERT_TRUE(demo::writeDemoWorkspace(dir.path(), kToday, messages));
    test::ScopedCurrentDirectory cwd(dir.path());
    Workspace workspace(messages);
    workspace.open(dir.path() + "invest/", std::nullopt);
    AccountInfo& account = workspace.accounts.at(0);
    ASSERT_EQ(fieldText(account.name), demo::kDemoAccount);
    ASSERT_EQ(workspace.loadLedgerOf(account), LedgerStatus::Ok);
    const std::size_t demoRecords = workspace.ledger.size();

    StatementWriter writer(workspace.holdings);
    const std::string file = writer.write(400, kToday + 1);
    const StatementReading reading =
        readStatement(decodeStatementText(file), StatementLayouts{},
                      statementAccountOf(fieldText(account.tradeType)));
    ASSERT_TRUE(reading.error.empty()) << reading.error;
    const ImportPreview preview = previewImport(workspace.ledger, reading);
    EXPECT_EQ(preview.count(ImportOutcome::Booked), 401u);
    EXPECT_EQ(preview.count(ImportOutcome::Skipped), 8u);
    EXPECT_EQ(preview.count(ImportOutcome::Refused), 0u);
    ASSERT_TRUE(bookImport(workspace, account, preview));

    // The file as a fresh window reads it.
    Ledger reread;
    ASSERT_EQ(loadLedger(workspace.ledgerStore(), account, reread), LedgerStatus::Ok);
    EXPECT_EQ(reread.size(), demoRecords + 401);
    std::map<Position, std::int64_t> held;
    for (const Holding& h : computeHoldings(reread, 0, -1))
        held[{h.market, h.stockCode}] = h.heldQty();
    std::map<Position, std::int64_t> expected;
    for (const auto& [position, quantity] : writer.closing)
        if (quantity != 0) expected[position] = quantity;
    EXPECT_EQ(held, expected);
    EXPECT_GE(cashBalance(reread), 0);

    // The same statement again books nothing.
    const ImportPreview again = previewImport(reread, reading);
    EXPECT_EQ(again.count(ImportOutcome::Duplicate), 401u);
    EXPECT_TRUE(again.bookingOrder.empty());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace fiscora
