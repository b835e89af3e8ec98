#include "cli/book_command.h"

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/window_session.h"
#include "engine/trade_fee.h"
#include "ui/common/field_entry.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

// A kind of booking: its name on the command line, the window command it runs and the
// options it needs. Which options it takes are its dialog's fields.
struct Kind {
    const char* name;
    int command;
    std::vector<const char*> needs;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"cash-in", ui::command::kCashIn, {"--amount"}},
        {"cash-out", ui::command::kCashOut, {"--amount"}},
        {"buy", ui::command::kBuy, {"--code", "--price", "--quantity"}},
        {"sell", ui::command::kSell, {"--code", "--price", "--quantity"}},
        {"dividend", ui::command::kDividend, {"--code", "--rate"}},
        {"bonus", ui::command::kBonusShares, {"--code"}},
        {"rights", ui::command::kRightsIssue, {"--code", "--quantity", "--price"}},
    };
    return all;
}

const Kind* kindNamed(const std::string& name) {
    for (const Kind& kind : kinds()) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}

// Reads the kind and checks the options; the reason when they are not what the boxes take.
std::string checkEntries(const CommandContext& c, const Kind*& kind) {
    kind = kindNamed(argument(c, "KIND"));
    if (kind == nullptr)
        return "book takes the kind cash-in, cash-out, buy, sell, dividend, bonus or rights";
    for (const char* name : kind->needs) {
        if (optionValue(c, name) == nullptr) return std::string(kind->name) + " needs " + name;
    }
    return checkBoxEntries(c);
}

// What the dialog's fields take: every option given, named as its field.
ui::Entries fieldEntries(const CliOptions& options) {
    ui::Entries entries;
    for (const auto& [option, value] : options.commandOptions) entries[option.substr(2)] = value;
    return entries;
}

int runBook(CommandContext& c) {
    const Kind* kind = nullptr;
    if (const std::string why = checkEntries(c, kind); !why.empty()) {
        c.err << "fiscora-cli: " << why << '\n';
        return kExitUsage;
    }
    WindowSession session(c.options, c.err);
    if (const int code = openAccountWindow(c, session); code != kExitOk) return code;
    // A code is only entered for a sale, dividend, bonus or rights issue when the list holds
    // it, so every confirmed dialog books.
    if (const int code = session.run(kind->command, fieldEntries(c.options)); code != kExitOk) {
        if (!session.refusal()) return code;
        const ui::EntryRefusal& refusal = *session.refusal();
        c.err << "fiscora-cli: "
              << (refusal.reason == ui::EntryRefusal::Reason::NoSuchField
                      ? "--" + refusal.field + " does not apply to " + kind->name
                      : refusalText(refusal, argument(c, "ACCOUNT")))
              << '\n';
        return refusalExitCode(refusal);
    }
    const LedgerRecord& booked = session.window().workspace().ledger.back();
    writeTable(c.out, Table{ledgerColumns(), {ledgerRow(booked)}}, c.options.format);
    return kExitOk;
}

}  // namespace

Command bookCommand() {
    return {
        .name = "book",
        .arguments = "ACCOUNT KIND",
        .summary = "book a cash, trade or share record (writes the ledger)",
        .description =
            "Books one record as the window's 追加资金, 划出资金, 买入股票, 卖出股票, 股票分红,\n"
            "送股 and 配股 do: the entries go into the same dialog, in the order a user makes\n"
            "them (for a purchase the code box is left, the market picked, then price and\n"
            "quantity typed; the other stock dialogs pick the code from the held ones), and\n"
            "are confirmed with the same checks and messages. KIND is cash-in or cash-out\n"
            "(--amount), buy or sell (--code, --price, --quantity), dividend (--code, --rate),\n"
            "bonus (--code, --per and --grant default to 10 and 1) or rights (--code,\n"
            "--quantity, --price, --per, --grant). The date defaults to today. The account's\n"
            "password comes from the password sources. A refusal prints the dialog's message\n"
            "on stderr, exits with 1 and writes nothing; a booking rewrites the ledger file\n"
            "and prints the record as the ledger command prints it.",
        .columns = ledgerColumns,
        .run = runBook,
        .options = {{"--date", "YYYYMMDD", "trade date, default today"},
                    {"--code", "C", "six-digit stock code (every stock kind)"},
                    {"--market", "M", marketChoices() + ", where the drop-down may be changed"},
                    {"--price", "P", "price per share (buy, sell, rights)"},
                    {"--quantity", "Q", "number of shares (buy, sell, rights)"},
                    {"--rate", "R", "dividend per share (dividend)"},
                    {"--per", "N", "shares held per scheme unit, default 10 (bonus, rights)"},
                    {"--grant", "M",
                     "shares given or offered per N held, default 1 (bonus, rights)"},
                    {"--amount", "A", "sum deposited or withdrawn (cash-in, cash-out)"},
                    {"--remark", "R", "remark, at most 99 GBK bytes"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
