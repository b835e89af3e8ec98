#include "cli/book_command.h"

#include <algorithm>
#include <optional>

#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/window_session.h"
#include "engine/dates.h"
#include "engine/trade_fee.h"
#include "ui/common/field_entry.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

enum class Kind { CashIn, CashOut, Buy, Sell };

std::optional<Kind> kindNamed(const std::string& name) {
    if (name == "cash-in") return Kind::CashIn;
    if (name == "cash-out") return Kind::CashOut;
    if (name == "buy") return Kind::Buy;
    if (name == "sell") return Kind::Sell;
    return std::nullopt;
}

int commandOf(Kind kind) {
    switch (kind) {
    case Kind::CashIn: return ui::command::kCashIn;
    case Kind::CashOut: return ui::command::kCashOut;
    case Kind::Buy: return ui::command::kBuy;
    case Kind::Sell: return ui::command::kSell;
    }
    return 0;
}

// A YYYYMMDD that names a calendar day.
std::optional<std::int32_t> calendarDate(const std::string& text) {
    if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::int32_t date = std::stoi(text);
    if (dateFromTime(timeFromDate(date)) != date) return std::nullopt;
    return date;
}

// Reads the kind and checks the options; the reason when they are not what the boxes take.
std::string checkEntries(const CliOptions& options, Kind& kind) {
    const auto named = kindNamed(options.arguments.at(1));
    if (!named) return "book takes the kind cash-in, cash-out, buy or sell";
    kind = *named;
    const auto& given = options.commandOptions;
    const auto option = [&given](const char* name) -> std::optional<std::string> {
        const auto it = given.find(name);
        return it != given.end() ? std::optional<std::string>(it->second) : std::nullopt;
    };
    const bool cash = kind == Kind::CashIn || kind == Kind::CashOut;
    for (const char* name :
         cash ? std::vector<const char*>{"--code", "--market", "--price", "--quantity"}
              : std::vector<const char*>{"--amount"}) {
        if (option(name))
            return std::string(name) + " does not apply to " + options.arguments.at(1);
    }
    for (const char* name : cash ? std::vector<const char*>{"--amount"}
                                 : std::vector<const char*>{"--code", "--price", "--quantity"}) {
        if (!option(name)) return options.arguments.at(1) + " needs " + name;
    }
    if (const auto date = option("--date"); date && !calendarDate(*date))
        return "--date takes a day as YYYYMMDD";
    const std::string code = option("--code").value_or("");
    if (code.size() > 6 || code.find_first_not_of("0123456789") != std::string::npos)
        return "--code takes at most six digits";
    const auto market = option("--market");
    if (market && *market != kShenzhen && *market != kShanghai)
        return "--market takes 深圳 or 上海";
    for (const char* number : {"--price", "--quantity", "--amount"}) {
        if (option(number).value_or("").size() > ui::kNumberBoxChars)
            return "number boxes take at most 19 characters";
    }
    return {};
}

// What the dialog's fields take: every option given, named as its field.
ui::Entries fieldEntries(const CliOptions& options) {
    ui::Entries entries;
    for (const auto& [option, value] : options.commandOptions) entries[option.substr(2)] = value;
    return entries;
}

// Why the dialog could not take an entry, as the user is told.
std::string refusalText(const ui::EntryRefusal& refusal, const std::string& account) {
    switch (refusal.reason) {
    case ui::EntryRefusal::Reason::OutOfReach:
        return "--date lies beyond the 10,000 days the date picker reaches";
    case ui::EntryRefusal::Reason::Fixed:
        return "the " + refusal.field + " is fixed to " + refusal.shown + " here";
    case ui::EntryRefusal::Reason::NotListed: break;
    }
    return account + " holds no " + refusal.entry;
}

int runBook(CommandContext& c) {
    Kind kind = Kind::CashIn;
    if (const std::string why = checkEntries(c.options, kind); !why.empty()) {
        c.err << "fiscora-cli: " << why << '\n';
        return kExitUsage;
    }
    const std::string& account = c.options.arguments.at(0);
    WindowSession session(c.options, c.err);
    if (const int code = session.open(); code != kExitOk) return code;
    if (const int code = session.login(account); code != kExitOk) return code;
    // A sale is only entered for a code the list holds, so every confirmed dialog books.
    if (const int code = session.run(commandOf(kind), fieldEntries(c.options)); code != kExitOk) {
        if (session.refusal())
            c.err << "fiscora-cli: " << refusalText(*session.refusal(), account) << '\n';
        return code;
    }
    const LedgerRecord& booked = session.window().workspace().ledger.back();
    writeTable(c.out, Table{ledgerColumns(), {ledgerRow(booked)}}, c.options.format);
    return kExitOk;
}

}  // namespace

Command bookCommand() {
    Command c{"book",
              "ACCOUNT KIND",
              "book a deposit, withdrawal, purchase or sale (writes the ledger)",
              "Books one record as the window's 追加资金, 划出资金, 买入股票 and 卖出股票 do: the\n"
              "entries go into the same dialog, in the order a user makes them (for a purchase\n"
              "the code box is left, the market picked, then price and quantity typed; for a\n"
              "sale the code is picked from the held ones), and are confirmed with the same\n"
              "checks and messages. KIND is cash-in or cash-out (--amount), buy or sell (--code,\n"
              "--price, --quantity). The date defaults to today. The account's password comes\n"
              "from the password sources. A refusal prints the dialog's message on stderr, exits\n"
              "with 1 and writes nothing; a booking rewrites the ledger file and prints the\n"
              "record as the ledger command prints it.",
              true,
              ledgerColumns,
              runBook};
    c.options = {{"--date", "YYYYMMDD", "trade date, default today"},
                 {"--code", "C", "six-digit stock code (buy, sell)"},
                 {"--market", "M", "深圳 or 上海, where the drop-down may be changed"},
                 {"--price", "P", "price per share (buy, sell)"},
                 {"--quantity", "Q", "number of shares (buy, sell)"},
                 {"--amount", "A", "sum deposited or withdrawn (cash-in, cash-out)"},
                 {"--remark", "R", "remark, at most 99 GBK bytes"}};
    c.writes = true;
    return c;
}

}  // namespace fiscora::cli
