#include "cli/curve_command.h"

#include "cli/bar_folder.h"
#include "cli/exit_codes.h"
#include "cli/list_files.h"
#include "cli/picture_options.h"
#include "cli/usage.h"
#include "host/quote_source.h"
#include "records/trading_terms.h"
#include "ui/analysis/capital_curve.h"

namespace fiscora::cli {
namespace {

constexpr const char* kStyleOption = "--style";

// The window's chart area with its dialog font.
constexpr PictureSize kCurveAreaSize{698, 552};

const RowFormat<DayPoint>& curveFormat() {
    using P = const DayPoint&;
    static const RowFormat<DayPoint> format{{
        {{"day"}, [](P p) { return Value::integer(p.day); }},
        {{"open"}, [](P p) { return Value::real(p.open); }},
        {{"high"}, [](P p) { return Value::real(p.high); }},
        {{"low"}, [](P p) { return Value::real(p.low); }},
        {{"close"}, [](P p) { return Value::real(p.close); }},
    }};
    return format;
}

std::vector<Column> curveColumns() {
    return curveFormat().columns();
}

// Which series the options choose: a stock (market and code as typed), the whole account,
// or the window's first choice (the stock list's first entry).
struct CurveChoice {
    std::optional<std::string> code;
    std::string market;  // 深圳 or 上海, with a code
    bool total = false;
    ui::CurveStyle style = ui::CurveStyle::Curve;
};

std::string readChoice(const CommandContext& c, CurveChoice& choice) {
    const std::string* code = optionValue(c, "--code");
    const std::string* market = optionValue(c, "--market");
    choice.total = optionValue(c, kTotalOption) != nullptr;
    if ((code == nullptr) != (market == nullptr)) return "--code and --market go together";
    if (code != nullptr) {
        if (choice.total) return "--total shows the whole account, not a stock";
        if (marketFromText(*market) < 0) return "--market takes 深圳 or 上海";
        choice.code = *code;
        choice.market = *market;
    }
    if (const std::string* style = optionValue(c, kStyleOption)) {
        if (*style != "curve" && *style != "bars") return "--style takes curve or bars";
        choice.style = *style == "curve" ? ui::CurveStyle::Curve : ui::CurveStyle::Bars;
    }
    return {};
}

// Selects the chosen stock in the curve's stock list; false when the account holds none.
bool selectStock(ui::CapitalCurve& curve, const CurveChoice& choice) {
    if (choice.total) {
        curve.setTotal(true);
        return true;
    }
    if (!choice.code) return true;
    // The list shows the market text followed directly by the code.
    const std::string entry = choice.market + *choice.code;
    const std::vector<std::string>& entries = curve.stockEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == entry) {
            curve.selectStock(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

// The curve asked for, the size of its picture and the folder of the bar files.
struct CurveRequest {
    CurveChoice choice;
    PictureSize size;
    std::string hostDirectory;
};

int readCurve(CommandContext& c, CurveRequest& request) {
    if (const std::string why = readChoice(c, request.choice); !why.empty())
        return usageError(c.err, why);
    if (!readPictureOptions(c, {kSizeOption, kStyleOption}, kCurveAreaSize, request.size))
        return kExitUsage;
    return barFolder(c, request.hostDirectory);
}

int runCurve(CommandContext& c, CurveRequest& request) {
    const CurveChoice& choice = request.choice;
    const PictureSize& size = request.size;
    const std::string& hostDirectory = request.hostDirectory;
    ui::CapitalCurve curve(c.session.workspace().ledger,
                           {hostDirectory, latestPriceByMarket, c.services.today()});
    if (!selectStock(curve, choice)) {
        c.err << "fiscora-cli: " << argument(c, "ACCOUNT") << " holds no " << *choice.code << " in "
              << choice.market << '\n';
        return kExitRefused;
    }
    curve.setStyle(choice.style);
    const DaySeries& series = curve.series();
    if (optionValue(c, kPngOption) == nullptr) {
        curveFormat().writeAll(c.out, series, c.options.format);
        return kExitOk;
    }
    return writePngPicture(
        c, size,
        [&](ReportCanvas& canvas, Rgb face) {
            curve.draw(canvas, size.width, size.height, face);
            return !series.empty();
        },
        choice.total ? "the account never held a stock" : "the account holds no stocks");
}

}  // namespace

Command curveCommand() {
    return {
        .name = "curve",
        .arguments = "ACCOUNT",
        .summary = "list or draw an account's capital curve",
        .description =
            "Lists the window's 资金曲线: one row per calendar day from the first record up to\n"
            "today, with what the position was worth at the day's open, high, low and close (the\n"
            "shares held that day times the day's bar prices; a weekend takes Friday's bar, a day\n"
            "without a bar is 0, today without one takes the latest price of --quotes). The\n"
            "stock is the stock list's first entry (the first open position) unless --code and\n"
            "--market name another held one; --total shows the whole account, cash included.\n"
            "The bar files are read below --host-dir. With --png the chart area is drawn as the\n"
            "window draws it into a PNG file instead, as a curve or as bars (--style); nothing\n"
            "is printed then. Without days to draw no file is written (exit 1).",
        .columns = curveColumns,
        .run = {readCurve, runCurve},
        .options = {{"--code", "C", "the stock's six-digit code (with --market)"},
                    {"--market", "M", "深圳 or 上海 (with --code)"},
                    {kTotalOption, "", "the whole account instead of one stock"},
                    {kStyleOption, "curve|bars", "the picture's drawing (default: curve)"},
                    {kPngOption, "FILE", "draw the chart area into this PNG file"},
                    {kSizeOption, "WxH", "the picture's size in pixels (default: 698x552)"}},
        .needsPassword = true,
        .needsHoldings = false,
    };
}

}  // namespace fiscora::cli
