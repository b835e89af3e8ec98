#include "cli/book_command.h"

#include <algorithm>
#include <sstream>

#include "cli/dialog_options.h"

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/terminal_messages.h"
#include "cli/window_session.h"
#include "engine/trade_fee.h"
#include "engine/workspace.h"
#include "ui/common/field_entry.h"
#include "ui/main/command_ids.h"
#include "ui/trade/bonus_shares_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/dividend_dialog.h"
#include "ui/trade/rights_issue_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::cli {
namespace {

// A kind of booking: its name on the command line, the window command it runs and the
// options it takes, which are its dialog's fields.
struct Kind {
    const char* name;
    int command;
    std::vector<FieldOption> options;

    const FieldOption* option(const std::string& optionName) const {
        const auto it = std::find_if(options.begin(), options.end(),
                                     [&](const FieldOption& o) { return o.name == optionName; });
        return it != options.end() ? &*it : nullptr;
    }
};

// Each kind's options are read from its dialog as it is made for an empty account.
const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = [] {
        const Ledger ledger;
        const TradeParamTable fees;
        std::ostringstream unshown;
        TerminalMessages quiet(unshown);
        const Workspace emptyAccount(quiet);
        using Cash = ui::CashDialog;
        const auto cash = [](Cash::Mode mode) {
            return fieldOptionsOf([mode](Messages& m) { return Cash(m, mode, "", "", 0); });
        };
        return std::vector<Kind>{
            {"cash-in", ui::command::kCashIn, cash(Cash::Mode::Deposit)},
            {"cash-out", ui::command::kCashOut, cash(Cash::Mode::Withdrawal)},
            {"buy", ui::command::kBuy,
             fieldOptionsOf([&](Messages& m) { return ui::BuyDialog(m, "", "", 0, fees); })},
            {"sell", ui::command::kSell,
             fieldOptionsOf([&](Messages& m) { return ui::SellDialog(m, "", "", emptyAccount); })},
            {"dividend", ui::command::kDividend,
             fieldOptionsOf([&](Messages& m) { return ui::DividendDialog(m, "", "", ledger); })},
            {"bonus", ui::command::kBonusShares,
             fieldOptionsOf([&](Messages& m) { return ui::BonusSharesDialog(m, "", "", ledger); })},
            {"rights", ui::command::kRightsIssue, fieldOptionsOf([&](Messages& m) {
                 return ui::RightsIssueDialog(m, "", "", 0, ledger, fees);
             })},
        };
    }();
    return all;
}

const Kind* kindNamed(const std::string& name) {
    for (const Kind& kind : kinds()) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}

// "a, b, c".
std::string joined(const std::vector<std::string>& texts, const char* separator) {
    std::string s;
    for (const std::string& text : texts) s += (s.empty() ? "" : separator) + text;
    return s;
}

// One option for every field of some kind: the fields' labels, the box's limit, and the
// kinds that need or take it.
CommandOption bookOption(const FieldOption& first) {
    std::vector<std::string> labels;
    std::vector<std::string> needing;
    std::vector<std::string> taking;
    for (const Kind& kind : kinds()) {
        const FieldOption* own = kind.option(first.name);
        if (own == nullptr) continue;
        if (!own->label.empty() &&
            std::find(labels.begin(), labels.end(), own->label) == labels.end())
            labels.push_back(own->label);
        (own->required ? needing : taking).push_back(kind.name);
    }
    FieldOption shown = first;
    shown.label = joined(labels, "/");
    CommandOption option = shown.option();
    std::vector<std::string> uses;
    if (!needing.empty()) uses.push_back("needed by " + joined(needing, ", "));
    if (!taking.empty())
        uses.push_back(taking.size() == kinds().size() ? "every kind" : joined(taking, ", "));
    option.help += " (" + joined(uses, "; ") + ")";
    option.required = false;  // checkEntries asks for it where the kind needs it
    option.neededByArgument = true;
    return option;
}

std::vector<CommandOption> bookOptions() {
    std::vector<CommandOption> options;
    for (const Kind& kind : kinds()) {
        for (const FieldOption& field : kind.options) {
            if (std::none_of(options.begin(), options.end(),
                             [&](const CommandOption& o) { return o.name == field.name; }))
                options.push_back(bookOption(field));
        }
    }
    return options;
}

// Reads the kind and checks the options: every one the kind needs given, none it does not
// take; the reason when they are not what the boxes take.
std::string checkEntries(const CommandContext& c, const Kind*& kind) {
    kind = kindNamed(argument(c, "KIND"));
    if (kind == nullptr)
        return "book takes the kind cash-in, cash-out, buy, sell, dividend, bonus or rights";
    for (const FieldOption& o : kind->options) {
        if (o.required && optionValue(c, o.name.c_str()) == nullptr)
            return std::string(kind->name) + " needs " + o.name;
    }
    for (const auto& [name, value] : c.options.commandOptions) {
        if (kind->option(name) == nullptr) return name + " does not apply to " + kind->name;
    }
    return checkBoxEntries(c);
}

// What the dialog's fields take: every option given, named as its field.
ui::Entries fieldEntries(const CliOptions& options) {
    ui::Entries entries;
    for (const auto& [option, value] : options.commandOptions) entries[option.substr(2)] = value;
    return entries;
}

int readBook(CommandContext& c, const Kind*& kind) {
    if (const std::string why = checkEntries(c, kind); !why.empty()) {
        c.err << "fiscora-cli: " << why << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

int runBook(CommandContext& c, const Kind*& kind) {
    WindowSession& session = *c.window;
    // A code is only entered for a sale, dividend, bonus or rights issue when the list holds
    // it, so every confirmed dialog books.
    if (const int code = session.run(kind->command, fieldEntries(c.options)); code != kExitOk) {
        if (!session.refusal()) return code;
        const ui::EntryRefusal& refusal = *session.refusal();
        c.err << "fiscora-cli: " << refusalText(refusal, argument(c, "ACCOUNT")) << '\n';
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
            "are confirmed with the same checks and messages. KIND is cash-in, cash-out, buy,\n"
            "sell, dividend, bonus or rights; the options are the fields of its dialog, and\n"
            "below each says which kinds need it and which take it (a bonus's --per and\n"
            "--grant default to 10 and 1). The date defaults to today. The account's\n"
            "password comes from the password sources. A refusal prints the dialog's message\n"
            "on stderr, exits with 1 and writes nothing; a booking rewrites the ledger file\n"
            "and prints the record as the ledger command prints it.",
        .columns = ledgerColumns,
        .run = {readBook, runBook},
        .options = bookOptions(),
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
