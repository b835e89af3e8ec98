#include "tools/demo/demo_workspace.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "engine/dates.h"
#include "engine/workspace.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "store/account_registry.h"
#include "store/day_bar_file.h"
#include "store/ledger_file.h"
#include "store/trade_param_file.h"

namespace fiscora::demo {

namespace {

struct SampleStock {
    const char* code;
    std::int32_t market;
    const char* name;
    double latest;
    double prevClose;
};

// Invented prices of real listings, enough for both demo accounts and the charts.
const SampleStock kStocks[] = {
    {"600036", 1, "招商银行", 35.42, 35.18},     {"601318", 1, "中国平安", 46.85, 47.12},
    {"600519", 1, "贵州茅台", 1612.00, 1598.50}, {"600900", 1, "长江电力", 28.36, 28.20},
    {"601888", 1, "中国中免", 71.90, 72.65},     {"600030", 1, "中信证券", 21.47, 21.30},
    {"000001", 0, "平安银行", 11.38, 11.25},     {"000858", 0, "五粮液", 142.60, 140.95},
    {"000333", 0, "美的集团", 63.05, 62.48},     {"002415", 0, "海康威视", 31.12, 31.74},
    {"300750", 0, "宁德时代", 201.30, 198.50},   {"200002", 0, "万科Ｂ", 3.86, 3.91},
    {"900901", 1, "云赛Ｂ股", 0.412, 0.409},
};

TradeParam feeRow(std::int32_t market, const char* prefix, const char* category, double commission,
                  double minCommission, double stampDuty, double transferPer1000,
                  double minTransfer, double orderFee) {
    TradeParam row{};
    row.market = market;
    storeBytes(row.codePrefix, prefix);
    storeText(row.categoryName, category);
    row.commissionRate = commission;
    row.minCommission = minCommission;
    row.stampDutyRate = stampDuty;
    row.transferFeePer1000 = transferPer1000;
    row.minTransferFee = minTransfer;
    row.orderFee = orderFee;
    return row;
}

// Shanghai and Shenzhen A shares, B shares, funds and bonds. Rows "6" and "600" overlap:
// the longer prefix wins for main-board codes.
TradeParamTable demoFeeTable() {
    return {
        feeRow(1, "6", "沪市A股", 0.003, 5, 0.001, 1, 1, 0),
        feeRow(1, "600", "沪市主板", 0.0025, 5, 0.001, 1, 1, 1),
        feeRow(1, "688", "科创板", 0.003, 5, 0.001, 1, 1, 0),
        feeRow(1, "900", "沪市B股", 0.003, 1, 0.001, 0, 0, 0),
        feeRow(1, "5", "沪市基金", 0.0025, 5, 0, 0, 0, 0),
        feeRow(1, "01", "沪市国债", 0.0002, 1, 0, 0, 0, 0),
        feeRow(0, "00", "深市A股", 0.003, 5, 0.001, 0, 0, 0),
        feeRow(0, "30", "创业板", 0.003, 5, 0.001, 0, 0, 0),
        feeRow(0, "200", "深市B股", 0.003, 5, 0.001, 0, 0, 0),
        feeRow(0, "15", "深市基金", 0.0025, 5, 0, 0, 0, 0),
        feeRow(0, "10", "深市国债", 0.0002, 1, 0, 0, 0, 0),
    };
}

bool writeText(const std::string& path, const std::string& text, Messages& messages) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        messages.error("不能写入文件" + path);
        return false;
    }
    return true;
}

std::string quoteSnapshotText() {
    std::string text = "# code\tmarket (0 深圳, 1 上海)\tname\tlatest\tprevious close\n";
    char line[160];
    for (const auto& s : kStocks) {
        std::snprintf(line, sizeof line, "%s\t%d\t%s\t%.3f\t%.3f\n", s.code, s.market, s.name,
                      s.latest, s.prevClose);
        text += line;
    }
    return text;
}

// Noon of the day `back` days before `date`, clear of any daylight-saving shift.
std::time_t noonBefore(std::int32_t date, int back) {
    constexpr std::time_t kDay = 86400;  // seconds
    return timeFromDate(date) - back * kDay + kDay / 2;
}

bool isWeekday(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_wday != 0 && local.tm_wday != 6;
}

// The weekdays of the last `calendarDays` days before `today`, oldest first.
std::vector<std::int32_t> tradingDays(std::int32_t today, int calendarDays) {
    std::vector<std::int32_t> days;
    for (int back = calendarDays; back >= 1; --back)
        if (isWeekday(noonBefore(today, back)))
            days.push_back(dateFromTime(noonBefore(today, back)));
    return days;
}

// A random walk that ends at the stock's previous close, written backwards from it.
bool writeDayBars(const std::string& folder, const SampleStock& stock,
                  const std::vector<std::int32_t>& days, Messages& messages) {
    std::mt19937 random(static_cast<unsigned>(std::stoi(stock.code) + 7));
    std::normal_distribution<double> move(0.0, 0.014);
    std::uniform_real_distribution<double> spread(0.0, 0.012);
    const double unit = std::pow(10.0, priceDecimals(stock.code));
    std::vector<DayBar> bars(days.size());
    double close = stock.prevClose;
    for (std::size_t i = days.size(); i-- > 0;) {
        const double open = close * (1 + move(random) * 0.5);
        const double high = std::max(open, close) * (1 + spread(random));
        const double low = std::min(open, close) * (1 - spread(random));
        DayBar& bar = bars[i];
        bar = DayBar{};
        bar.date = days[i];
        const double prices[4] = {open, high, low, close};
        for (int k = 0; k < 4; ++k)
            bar.prices[k] = static_cast<std::uint32_t>(std::lround(prices[k] * unit));
        close = std::max(close / (1 + move(random)), 1.0 / unit * 10);
    }
    const std::string path = dayBarPath(folder, stock.market, stock.code);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bars.data()),
              static_cast<std::streamsize>(bars.size() * sizeof(DayBar)));
    if (!out.flush()) {
        messages.error("不能写入文件" + path);
        return false;
    }
    return true;
}

double threeDecimals(double value) {
    return std::round(value * 1000) / 1000;
}

// Builds records the way the dialogs do: the fee from the stock's fee row, the amounts as
// the boxes show them with three decimals.
class HistoryBuilder {
public:
    HistoryBuilder(const Workspace& workspace, Ledger& ledger)
        : workspace_(workspace), ledger_(ledger) {}

    void cash(RecordType kind, std::int32_t date, double amount, const char* remark = "") {
        LedgerRecord r = makeRecord(kind, date);
        r.amount = amount;
        storeText(r.remark, remark);
        ledger_.push_back(r);
    }

    void trade(RecordType kind, std::int32_t date, const char* code, std::int32_t quantity,
               double price, const char* remark = "") {
        const std::int32_t market = marketOf(code);
        LedgerRecord r = stockRecord(kind, date, code, market, quantity, remark);
        r.price = price;
        r.fee = threeDecimals(tradeFee(price, static_cast<std::uint32_t>(quantity),
                                       workspace_.feeRowFor(market, code)));
        r.amount = threeDecimals(kind == RecordType::Sell ? quantity * price - r.fee
                                                          : quantity * price + r.fee);
        ledger_.push_back(r);
    }

    void dividend(std::int32_t date, const char* code, std::int32_t held, double perShare) {
        LedgerRecord r = stockRecord(RecordType::Dividend, date, code, marketOf(code), held, "");
        r.price = perShare;
        r.amount = held * perShare;
        ledger_.push_back(r);
    }

    void bonus(std::int32_t date, const char* code, std::int32_t shares) {
        ledger_.push_back(
            stockRecord(RecordType::BonusShares, date, code, marketOf(code), shares, "送股"));
    }

private:
    static std::int32_t marketOf(const char* code) {
        for (const auto& s : kStocks)
            if (std::string(s.code) == code) return s.market;
        return 0;
    }

    static LedgerRecord stockRecord(RecordType kind, std::int32_t date, const char* code,
                                    std::int32_t market, std::int32_t quantity,
                                    const char* remark) {
        LedgerRecord r = makeRecord(kind, date);
        r.market = market;
        storeBytes(r.stockCode, code);
        r.quantity = quantity;
        storeText(r.remark, remark);
        return r;
    }

    const Workspace& workspace_;
    Ledger& ledger_;
};

// The first weekday on or after the day `days` before `today` (yesterday at the latest).
std::int32_t tradingDay(std::int32_t today, int days) {
    int back = days;
    while (back > 1 && !isWeekday(noonBefore(today, back))) --back;
    return dateFromTime(noonBefore(today, back));
}

AccountInfo makeAccount(const char* name, const char* password, const char* tradeType,
                        double capital, std::int32_t created, const char* remark) {
    AccountInfo a{};
    storeText(a.name, name);
    storeText(a.password, password);
    storeText(a.tradeType, tradeType);
    a.initialCapital = capital;
    a.createdDate = created;
    storeText(a.remark, remark);
    return a;
}

void demoHistory(HistoryBuilder& b, std::int32_t today) {
    auto day = [today](int back) { return tradingDay(today, back); };
    b.cash(RecordType::CashIn, day(400), 300000, "开户资金");
    b.trade(RecordType::Buy, day(395), "600036", 2000, 30.85);
    b.trade(RecordType::Buy, day(380), "000858", 300, 128.40);
    b.trade(RecordType::Buy, day(352), "601318", 1500, 41.96, "分批建仓");
    b.trade(RecordType::Buy, day(310), "000001", 3000, 10.62);
    b.dividend(day(240), "600036", 2000, 1.972);
    b.trade(RecordType::Sell, day(221), "601318", 500, 48.35, "部分止盈");
    b.cash(RecordType::CashIn, day(200), 50000, "追加投资");
    b.trade(RecordType::Buy, day(186), "300750", 200, 176.20);
    b.bonus(day(150), "000001", 300);
    b.trade(RecordType::Buy, day(120), "601888", 400, 78.30);
    b.trade(RecordType::Sell, day(95), "600036", 1000, 36.12);
    b.trade(RecordType::Buy, day(75), "600900", 600, 25.10);
    b.cash(RecordType::CashOut, day(60), 20000, "生活支出");
    b.trade(RecordType::Buy, day(45), "002415", 500, 34.60);
    b.trade(RecordType::Buy, day(30), "000333", 500, 60.75);
    b.trade(RecordType::Buy, day(20), "600030", 800, 20.35);
    b.trade(RecordType::Buy, day(12), "600036", 500, 34.80, "逢低加仓");
}

void secondHistory(HistoryBuilder& b, std::int32_t today) {
    auto day = [today](int back) { return tradingDay(today, back); };
    b.cash(RecordType::CashIn, day(300), 80000, "长期持有");
    b.trade(RecordType::Buy, day(290), "600900", 1500, 24.60);
    b.trade(RecordType::Buy, day(270), "002415", 800, 29.15);
    b.dividend(day(180), "600900", 1500, 0.943);
    b.trade(RecordType::Buy, day(90), "600030", 1000, 19.88);
}

bool writeAccounts(const std::string& folder, std::int32_t today, Messages& messages) {
    Workspace workspace(messages);
    workspace.open(folder + "invest/", folder + kTradeParamFileName);
    struct Plan {
        AccountInfo account;
        void (*history)(HistoryBuilder&, std::int32_t);
    };
    const Plan plans[] = {
        {makeAccount(kDemoAccount, kDemoPassword, kAShares.text, 300000, tradingDay(today, 400),
                     "演示用的沪深A股帐户"),
         demoHistory},
        {makeAccount(kSecondAccount, kSecondPassword, kAShares.text, 80000, tradingDay(today, 300),
                     "稳健型长期投资"),
         secondHistory},
    };
    workspace.accounts.clear();
    for (const auto& plan : plans) workspace.accounts.push_back(plan.account);
    if (!saveRegistry(workspace.dataDirectory(), workspace.accounts, workspace.scrambler(),
                      messages))
        return false;
    for (const auto& plan : plans) {
        Ledger ledger;
        HistoryBuilder builder(workspace, ledger);
        plan.history(builder, today);
        const auto password = utf8ToGbk(fieldText(plan.account.password));
        if (!writeLedgerHeader(workspace.ledgerStore(), plan.account, password.value_or("")) ||
            !saveLedger(workspace.ledgerStore(), plan.account, ledger))
            return false;
    }
    return true;
}

}  // namespace

bool writeDemoWorkspace(const std::string& folder, std::int32_t today, Messages& messages) {
    std::filesystem::create_directories(folder);
    if (!writeText(folder + kQuotesFileName, quoteSnapshotText(), messages)) return false;
    if (!saveTradeParams(folder + kTradeParamFileName, demoFeeTable(), messages)) return false;
    const auto days = tradingDays(today, 460);
    for (const auto& stock : kStocks)
        if (!writeDayBars(folder, stock, days, messages)) return false;
    return writeAccounts(folder, today, messages);
}

}  // namespace fiscora::demo
