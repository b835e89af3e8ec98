#include "cli/returns_command.h"

#include <cstdio>

#include "cli/bar_folder.h"
#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "engine/returns.h"
#include "host/quote_source.h"
#include "records/trading_terms.h"

namespace fiscora::cli {
namespace {

// A fraction with six decimals (0.069600 for 6.96%); empty, null in JSON, when there is
// nothing to measure.
Value rate(const std::optional<double>& x) {
    if (!x) return Value::none();
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", *x);
    return Value::real(*x, text);
}

Value day(const std::optional<std::int32_t>& d) {
    return d ? Value::integer(*d) : Value::none();
}

const RowFormat<ReturnsRow>& returnsFormat() {
    using R = const ReturnsRow&;
    static const RowFormat<ReturnsRow> format{{
        {{"period"}, [](R r) { return Value::text(r.period); }},
        {{"from"}, [](R r) { return day(r.figures.from); }},
        {{"to"}, [](R r) { return day(r.figures.to); }},
        {{"startValue"}, [](R r) { return Value::real(r.figures.startValue); }},
        {{"endValue"}, [](R r) { return Value::real(r.figures.endValue); }},
        {{"netFlow"}, [](R r) { return Value::real(r.figures.netFlow()); }},
        {{"cashIn"}, [](R r) { return Value::real(r.figures.cashIn); }},
        {{"cashOut"}, [](R r) { return Value::real(r.figures.cashOut); }},
        {{"irr"}, [](R r) { return rate(r.figures.irr); }},
        {{"twr"}, [](R r) { return rate(r.figures.twr); }},
        {{"twrTotal"}, [](R r) { return rate(r.figures.twrTotal); }},
        {{"maxDrawdown"}, [](R r) { return rate(r.figures.drawdown.depth); }},
        {{"peakDay"},
         [](R r) {
             const Drawdown& d = r.figures.drawdown;
             return d.depth > 0 ? day(d.peakDay) : day(std::nullopt);
         }},
        {{"troughDay"},
         [](R r) {
             const Drawdown& d = r.figures.drawdown;
             return d.depth > 0 ? day(d.troughDay) : day(std::nullopt);
         }},
        {{"recoveryDay"}, [](R r) { return day(r.figures.drawdown.recoveryDay); }},
        {{"realisedProfit"}, [](R r) { return Value::real(r.figures.activity.realisedProfit); }},
        {{"dividends"}, [](R r) { return Value::real(r.figures.activity.dividends); }},
        {{"fees"}, [](R r) { return Value::real(r.figures.activity.fees); }},
        {{"benchmark"}, [](R r) { return rate(r.figures.benchmark); }},
        {{"excess"}, [](R r) { return rate(r.figures.excess); }},
    }};
    return format;
}

std::vector<Column> returnsColumns() {
    return returnsFormat().columns();
}

// The market of a stock named without one: the first traded stock of that code decides.
constexpr std::int32_t kAnyMarket = -1;

void resolveMarket(const Ledger& ledger, StockId& stock) {
    if (stock.market != kAnyMarket) return;
    for (const StockId& traded : tradedStocks(ledger)) {
        if (traded.code == stock.code) {
            stock.market = traded.market;
            return;
        }
    }
}

// A stock named by a code option and its market option, when given; the reason otherwise.
std::string readStock(const CommandContext& c, const char* codeOption, const char* marketOption,
                      std::optional<StockId>& stock) {
    const std::string* code = optionValue(c, codeOption);
    const std::string* market = optionValue(c, marketOption);
    if (code == nullptr) {
        return market == nullptr ? std::string()
                                 : std::string(marketOption) + " goes with " + codeOption;
    }
    if (!fitsCodeBox(*code) || code->empty())
        return std::string(codeOption) + " takes at most six digits";
    std::int32_t m = kAnyMarket;
    if (market != nullptr) {
        m = marketFromText(*market);
        if (m < 0) return std::string(marketOption) + " takes " + marketChoices();
    }
    stock = StockId{m, *code};
    return {};
}

std::string readRequest(const CommandContext& c, ReturnsRequest& request) {
    for (const auto& [name, date] : {std::pair{"--from", &request.from}, {"--to", &request.to}}) {
        if (const std::string* text = optionValue(c, name)) {
            const auto day = calendarDate(*text);
            if (!day) return std::string(name) + " takes a day as YYYYMMDD";
            *date = *day;
        }
    }
    if (request.from != 0 && request.to != 0 && request.from > request.to)
        return "--from comes after --to";
    if (const std::string* by = optionValue(c, "--by")) {
        if (*by != "year" && *by != "trailing") return "--by takes year or trailing";
        request.byYear = *by == "year";
        request.trailing = *by == "trailing";
    }
    if (std::string why = readStock(c, "--stock", "--market", request.stock); !why.empty())
        return why;
    if (optionValue(c, "--benchmark") != nullptr && optionValue(c, "--benchmark-market") == nullptr)
        return "--benchmark needs --benchmark-market";
    return readStock(c, "--benchmark", "--benchmark-market", request.benchmark);
}

// What to measure and the folder of the bar files.
struct ReturnsReading {
    ReturnsRequest request;
    std::string hostDirectory;
};

int readReturns(CommandContext& c, ReturnsReading& reading) {
    if (const std::string why = readRequest(c, reading.request); !why.empty())
        return usageError(c.err, why);
    return barFolder(c, reading.hostDirectory);
}

int runReturns(CommandContext& c, ReturnsReading& reading) {
    auto& [request, hostDirectory] = reading;
    const Ledger& ledger = c.session.workspace().ledger;
    if (request.stock) resolveMarket(ledger, *request.stock);
    const std::vector<ReturnsRow> rows =
        measureReturns(ledger, {hostDirectory, latestPriceByMarket, c.services.today()}, request);
    if (rows.empty()) {
        c.err << "fiscora-cli: " << argument(c, "ACCOUNT") << " has no records to measure"
              << (request.stock ? " of " + request.stock->code : std::string()) << '\n';
        return kExitRefused;
    }
    returnsFormat().writeAll(c.out, rows, c.options.format);
    return kExitOk;
}

}  // namespace

Command returnsCommand() {
    return {
        .name = "returns",
        .arguments = "ACCOUNT",
        .summary = "measure an account's money- and time-weighted returns",
        .description =
            "Measures the account over a period (from its first record up to today unless --from\n"
            "and --to say otherwise): its value at the close of the day before and of the last\n"
            "day (cash plus positions at the day's bar close below --host-dir; a day without a\n"
            "bar takes the last earlier one), the money that came in (投入资金) and went out\n"
            "(划出资金), the money-weighted return (irr: the rate at which the start value and "
            "the\n"
            "flows grow into the end value) and the time-weighted return (twr: the growth between\n"
            "flows chained), both as a year's rate, twrTotal over the whole period, and the\n"
            "deepest fall of the time-weighted value (maxDrawdown, with its peak, trough and\n"
            "recovery days). Rates are fractions (0.069600 for 6.96%); a rate with nothing to\n"
            "measure, or that no rate solves, is empty (null in JSON). Also per period: realised\n"
            "profit (at the average cost of the shares sold), dividends and fees. --by year adds\n"
            "a row per calendar year, --by trailing the last 1, 3 and 5 years. --stock measures\n"
            "one position: its purchases and rights issues in, its sales and dividends out.\n"
            "--benchmark compares with a code's bar files: its change from the last close before\n"
            "the period to the last close in it, as a year's rate, and excess = twr - benchmark.",
        .columns = returnsColumns,
        .run = {readReturns, runReturns},
        .options = {{"--from", "YYYYMMDD", "the first day measured"},
                    {"--to", "YYYYMMDD", "the last day measured (default: today)"},
                    {"--by", "year|trailing",
                     "a row per calendar year, or for the last 1, 3, 5 years"},
                    {"--stock", "C", "one position's six-digit code"},
                    {"--market", "M", "深圳 or 上海 (with --stock; default: where it was traded)"},
                    {"--benchmark", "C", "a code with bar files to compare with"},
                    {"--benchmark-market", "M", "深圳 or 上海 (with --benchmark)"}},
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
