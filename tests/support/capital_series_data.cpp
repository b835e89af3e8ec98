#include "support/capital_series_data.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>

#include "records/gbk_text.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

using namespace std::chrono;

double threeDecimals(double v) {
    return std::round(v * 1000) / 1000;
}

}  // namespace

sys_days daysOf(std::int32_t date) {
    return sys_days(year(date / 10000) / month(static_cast<unsigned>(date / 100 % 100)) /
                    day(static_cast<unsigned>(date % 100)));
}

std::int32_t dateOf(sys_days d) {
    const year_month_day ymd(d);
    return static_cast<int>(ymd.year()) * 10000 + static_cast<int>(unsigned(ymd.month())) * 100 +
           static_cast<int>(unsigned(ymd.day()));
}

std::vector<DayBar> weekdayBars(std::int32_t from, std::int32_t to, unsigned seed,
                                int holidayEvery) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uint32_t> price(100, 500'000);
    std::vector<DayBar> bars;
    int weekdayCount = 0;
    for (sys_days d = daysOf(from); d <= daysOf(to); d += days(1)) {
        if (weekday(d) == Saturday || weekday(d) == Sunday) continue;
        if (holidayEvery > 0 && ++weekdayCount % holidayEvery == 0) continue;
        DayBar bar{};
        bar.date = dateOf(d);
        for (auto& p : bar.prices) p = price(random);
        bars.push_back(bar);
    }
    return bars;
}

void writeDayBarFile(const std::string& hostDirectory, const StockId& stock,
                     const std::vector<DayBar>& bars, std::size_t extraBytes) {
    const std::string path = dayBarPath(hostDirectory, stock.market, stock.code);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Bytes bytes(bars.size() * sizeof(DayBar) + extraBytes, 0);
    if (!bars.empty()) std::memcpy(bytes.data(), bars.data(), bars.size() * sizeof(DayBar));
    writeBytes(path, bytes);
}

Ledger randomLedger(const LedgerShape& shape) {
    std::mt19937 random(shape.seed);
    const int span = static_cast<int>((daysOf(shape.to) - daysOf(shape.from)).count());
    std::uniform_int_distribution<int> dayOffset(0, span);
    std::uniform_int_distribution<std::size_t> pick(0, shape.stocks.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> lots(1, 30);
    std::uniform_real_distribution<double> money(1, 100'000);

    std::vector<std::int32_t> dates;
    for (int i = 0; i < shape.records; ++i)
        dates.push_back(dateOf(daysOf(shape.from) + days(dayOffset(random))));
    if (shape.dateOrder) std::sort(dates.begin(), dates.end());

    std::map<std::size_t, std::int32_t> held;
    Ledger ledger;
    for (std::int32_t date : dates) {
        const int roll = percent(random);
        if (roll < 2) date = date / 100 * 100 + 31 + (date / 100 % 100 == 2 ? 0 : 1);  // 31st/32nd
        LedgerRecord r;
        const std::size_t s = pick(random);
        if (roll < 20) {
            r = makeRecord(roll < 15 ? RecordType::CashIn : RecordType::CashOut, date);
            r.amount = threeDecimals(money(random));
            ledger.push_back(r);
            continue;
        }
        RecordType kind = RecordType::Buy;
        std::int32_t quantity = 100 * lots(random);
        if (roll < 45) {
            kind = RecordType::Sell;
            // Mostly the whole position, so positions close and open again; now and then
            // shares never bought.
            if (roll < 35 && held[s] > 0) quantity = held[s];
        } else if (roll < 52) {
            kind = RecordType::BonusShares;
        } else if (roll < 57) {
            kind = RecordType::RightsIssue;
        } else if (roll < 62) {
            kind = RecordType::Dividend;
        }
        r = makeRecord(kind, date);
        r.market = shape.stocks[s].market;
        storeBytes(r.stockCode, shape.stocks[s].code);
        r.quantity = quantity;
        r.price = threeDecimals(money(random) / 1000);
        r.fee = threeDecimals(r.price * quantity * 0.003);
        r.amount = threeDecimals(r.price * quantity + (kind == RecordType::Sell ? -r.fee : r.fee));
        if (kind == RecordType::Sell) held[s] -= quantity;
        if (kind != RecordType::Sell && kind != RecordType::Dividend) held[s] += quantity;
        ledger.push_back(r);
    }
    return ledger;
}

LedgerShape barsOfManyStocks(const std::string& hostDirectory, int stocks, int records,
                             std::int32_t from, std::int32_t to) {
    LedgerShape shape;
    for (int i = 0; i < stocks; ++i) {
        char code[12];
        std::snprintf(code, sizeof code, "%06d", i % 2 ? 600000 + i : 1 + i);
        const StockId stock{i % 2, code};
        shape.stocks.push_back(stock);
        writeDayBarFile(hostDirectory, stock, weekdayBars(from, to, static_cast<unsigned>(i), 40));
    }
    shape.from = from;
    shape.to = to;
    shape.records = records;
    shape.seed = 7;
    shape.dateOrder = true;
    return shape;
}

}  // namespace fiscora::test
