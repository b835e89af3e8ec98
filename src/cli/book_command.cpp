#include "cli/book_command.h"

#include <algorithm>
#include <optional>

#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/window_session.h"
#include "engine/dates.h"
#include "engine/trade_fee.h"
#include "ui/main/command_ids.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::cli {
namespace {

enum class Kind { CashIn, CashOut, Buy, Sell };

// What the user would type, as the texts the boxes would hold.
struct Entries {
    Kind kind = Kind::CashIn;
    std::optional<std::int32_t> date;
    std::string code;
    std::optional<std::string> market;
    std::string price;
    std::string quantity;
    std::string amount;
    std::string remark;
};

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

// Reads the options into the entries; the reason when they are not what the boxes take.
std::string readEntries(const CliOptions& options, Entries& e) {
    const auto kind = kindNamed(options.arguments.at(1));
    if (!kind) return "book takes the kind cash-in, cash-out, buy or sell";
    e.kind = *kind;
    const auto& given = options.commandOptions;
    const auto option = [&given](const char* name) -> std::optional<std::string> {
        const auto it = given.find(name);
        return it != given.end() ? std::optional<std::string>(it->second) : std::nullopt;
    };
    const bool cash = e.kind == Kind::CashIn || e.kind == Kind::CashOut;
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
    if (const auto date = option("--date")) {
        e.date = calendarDate(*date);
        if (!e.date) return "--date takes a day as YYYYMMDD";
    }
    e.code = option("--code").value_or("");
    if (e.code.size() > 6 || e.code.find_first_not_of("0123456789") != std::string::npos)
        return "--code takes at most six digits";
    e.market = option("--market");
    if (e.market && *e.market != kShenzhen && *e.market != kShanghai)
        return "--market takes 深圳 or 上海";
    e.price = option("--price").value_or("");
    e.quantity = option("--quantity").value_or("");
    e.amount = option("--amount").value_or("");
    for (const std::string* number : {&e.price, &e.quantity, &e.amount}) {
        if (number->size() > ui::kNumberBoxChars) return "number boxes take at most 19 characters";
    }
    e.remark = option("--remark").value_or("");
    return {};
}

// Picks the day, if one was given, as the picker allows it.
bool pickDate(ui::TransactionDialog& d, const Entries& e, std::ostream& err) {
    if (!e.date) return true;
    const std::time_t day = timeFromDate(*e.date);
    if (dateFromTime(day) < dateFromTime(d.tradeDate.earliest) ||
        dateFromTime(day) > dateFromTime(d.tradeDate.latest)) {
        err << "fiscora-cli: --date lies beyond the 10,000 days the date picker reaches\n";
        return false;
    }
    d.tradeDate.date = *e.date;
    return true;
}

// Picks the market as the user would in the drop-down: only while it is enabled.
// `picked` runs when the choice changed.
template <typename Picked>
bool pickMarket(ui::ChoiceField& market, const Entries& e, std::ostream& err, Picked picked) {
    if (!e.market || *e.market == market.selectedText()) return true;
    if (!market.enabled) {
        err << "fiscora-cli: the market is fixed to " << market.selectedText() << " here\n";
        return false;
    }
    market.selected = static_cast<int>(
        std::find(market.items.begin(), market.items.end(), *e.market) - market.items.begin());
    picked();
    return true;
}

bool fillCash(ui::CashDialog& d, const Entries& e, std::ostream& err) {
    if (!pickDate(d, e, err)) return false;
    d.amount.text = e.amount;
    d.remark.text = e.remark;
    return true;
}

// Date, then the code typed and left with Enter, the market picked, price and quantity
// typed (each change updating the figures), the remark.
bool fillBuy(ui::BuyDialog& d, const Entries& e, std::ostream& err) {
    if (!pickDate(d, e, err)) return false;
    d.focusChangedTo(&d.code);
    d.code.text = e.code;
    d.onKey(ui::NavKey::Enter);
    if (!pickMarket(d.market, e, err, [&d] { d.OnMarketSelected(); })) return false;
    d.price.text = e.price;
    d.UpdateFigures();
    d.quantity.text = e.quantity;
    d.UpdateFigures();
    d.remark.text = e.remark;
    return true;
}

// Date (which recomputes the shares sellable), the code picked from the list, the
// market, quantity and price typed, the remark.
bool fillSell(ui::SellDialog& d, const Entries& e, const std::string& account, std::ostream& err) {
    if (!pickDate(d, e, err)) return false;
    if (e.date) d.OnDateChanged();
    const auto found = std::find(d.code.items.begin(), d.code.items.end(), e.code);
    if (found == d.code.items.end()) {
        err << "fiscora-cli: " << account << " holds no " << e.code << '\n';
        return false;
    }
    const int index = static_cast<int>(found - d.code.items.begin());
    if (index != d.code.selected) {
        d.code.selected = index;
        d.OnCodeSelected();
    }
    if (!pickMarket(d.market, e, err, [&d] { d.OnCodeSelected(); })) return false;
    d.sellQuantity.text = e.quantity;
    d.UpdateFigures();
    d.price.text = e.price;
    d.UpdateFigures();
    d.remark.text = e.remark;
    return true;
}

int runBook(CommandContext& c) {
    Entries entries;
    if (const std::string why = readEntries(c.options, entries); !why.empty()) {
        c.err << "fiscora-cli: " << why << '\n';
        return kExitUsage;
    }
    const std::string& account = c.options.arguments.at(0);
    std::ostream& err = c.err;
    WindowSession session(c.options, c.err, [&](ui::DialogModel& dialog) {
        if (auto* d = dynamic_cast<ui::CashDialog*>(&dialog)) return fillCash(*d, entries, err);
        if (auto* d = dynamic_cast<ui::BuyDialog*>(&dialog)) return fillBuy(*d, entries, err);
        if (auto* d = dynamic_cast<ui::SellDialog*>(&dialog))
            return fillSell(*d, entries, account, err);
        return false;
    });
    if (const int code = session.open(); code != kExitOk) return code;
    if (const int code = session.login(account); code != kExitOk) return code;
    // A sale is only entered for a code the list holds, so every confirmed dialog books.
    if (const int code = session.run(commandOf(entries.kind)); code != kExitOk) return code;
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
