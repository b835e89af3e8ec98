#include "cli/trade_param_commands.h"

#include "cli/dialog_options.h"
#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/window_session.h"
#include "engine/number_format.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "ui/records/trade_param_dialog.h"
#include "ui/records/trade_param_list_dialog.h"

namespace fiscora::cli {
namespace {

// A rate: a percentage in tsv, as the list shows it without its sign; the stored fraction
// in JSON.
Value rate(double fraction) {
    return Value::real(fraction, formatAmount(fraction * 100));
}

const RowFormat<TradeParam>& paramFormat() {
    using P = const TradeParam&;
    static const RowFormat<TradeParam> format{{
        {{"categoryName"}, [](P p) { return Value::text(fieldText(p.categoryName)); }},
        {{"market"}, [](P p) { return Value::text(p.market == 0 ? kShenzhen : kShanghai); }},
        {{"codePrefix"}, [](P p) { return Value::text(fieldText(p.codePrefix)); }},
        {{"commissionRate"}, [](P p) { return rate(p.commissionRate); }},
        {{"minCommission"}, [](P p) { return Value::real(p.minCommission); }},
        {{"stampDutyRate"}, [](P p) { return rate(p.stampDutyRate); }},
        {{"transferFeePer1000"}, [](P p) { return Value::real(p.transferFeePer1000); }},
        {{"minTransferFee"}, [](P p) { return Value::real(p.minTransferFee); }},
        {{"orderFee"}, [](P p) { return Value::real(p.orderFee); }},
    }};
    return format;
}

std::vector<Column> paramColumns() {
    return paramFormat().columns();
}

void writeRows(CommandContext& c, const TradeParamTable& rows) {
    paramFormat().writeAll(c.out, rows, c.options.format);
}

int usage(CommandContext& c, const std::string& why) {
    c.err << "fiscora-cli: " << why << '\n';
    return kExitUsage;
}

// The market names one of the two; everything else the row dialog's boxes take or refuse
// themselves.
std::string checkRowOptions(const CliOptions& options) {
    const auto& given = options.commandOptions;
    if (const auto market = given.find("--market");
        market != given.end() && market->second != kShenzhen && market->second != kShanghai)
        return "--market takes 深圳 or 上海";
    return {};
}

// Every option but --yes fills the row dialog's box of its name.
ui::Entries rowEntries(const CliOptions& options) {
    ui::Entries entries;
    for (const auto& [option, value] : options.commandOptions) entries[option.substr(2)] = value;
    return entries;
}

// The row whose name is NAME, first in table order, as the list finds a row by its name.
std::optional<int> rowNamed(const TradeParamTable& table, const std::string& name) {
    const auto gbkName = utf8ToGbk(name);
    for (std::size_t i = 0; gbkName && i < table.size(); ++i) {
        if (fieldBytes(table[i].categoryName) == *gbkName) return static_cast<int>(i);
    }
    return std::nullopt;
}

// The fee editor of the window the program opened, its row dialog filled from the options.
class ParamEditor {
public:
    explicit ParamEditor(CommandContext& c) : c_(c), session_(*c.window) {}

    int open() {
        list_.emplace(session_.window().workspace(), session_.window().commands().dialogs());
        const int shownBefore = session_.messages().count();
        list_->OnInitDialog();
        return session_.messages().count() == shownBefore ? kExitOk : kExitRefused;
    }
    // Selects the row named NAME in the list; refused when there is none.
    int select(const std::string& name) {
        const auto row = rowNamed(table(), name);
        if (!row) {
            c_.err << "fiscora-cli: the fee table has no row named " << name << '\n';
            return kExitRefused;
        }
        list_->pickRow(list_->params, *row);
        return kExitOk;
    }
    // Runs an action of the list whose row dialog takes the options; an option its box does
    // not take is said and is bad usage.
    int run(void (ui::TradeParamListDialog::*action)()) {
        const int code =
            session_.run([this, action] { ((*list_).*action)(); }, rowEntries(c_.options));
        if (code == kExitOk || !session_.refusal()) return code;
        c_.err << "fiscora-cli: " << refusalText(*session_.refusal(), {}) << '\n';
        return refusalExitCode(*session_.refusal());
    }

    ui::TradeParamListDialog& list() { return *list_; }
    WindowSession& session() { return session_; }
    const TradeParamTable& table() { return session_.window().workspace().tradeParams; }

private:
    CommandContext& c_;
    WindowSession& session_;
    std::optional<ui::TradeParamListDialog> list_;
};

int runAdd(CommandContext& c) {
    ParamEditor editor(c);
    if (const int code = editor.open(); code != kExitOk) return code;
    if (const int code = editor.run(&ui::TradeParamListDialog::OnAdd); code != kExitOk) return code;
    writeRows(c, {editor.table().back()});
    return kExitOk;
}

int runEdit(CommandContext& c, const std::string& name) {
    ParamEditor editor(c);
    if (const int code = editor.open(); code != kExitOk) return code;
    if (const int code = editor.select(name); code != kExitOk) return code;
    const int row = editor.list().params.selected;
    if (const int code = editor.run(&ui::TradeParamListDialog::OnModify); code != kExitOk)
        return code;
    writeRows(c, {editor.table().at(static_cast<std::size_t>(row))});
    return kExitOk;
}

int runDelete(CommandContext& c, const std::string& name) {
    ParamEditor editor(c);
    if (const int code = editor.open(); code != kExitOk) return code;
    if (const int code = editor.select(name); code != kExitOk) return code;
    const TradeParam removed =
        editor.table().at(static_cast<std::size_t>(editor.list().params.selected));
    const std::size_t before = editor.table().size();
    if (c.options.commandOptions.contains(kYesOption)) editor.session().messages().answerYes();
    // The question is the one message expected; anything more is a failure (a file that
    // could not be written).
    const int shownBefore = editor.session().messages().count();
    editor.list().OnDelete();
    if (editor.table().size() == before || editor.session().messages().count() != shownBefore + 1)
        return kExitRefused;
    writeRows(c, {removed});
    return kExitOk;
}

// Listing reads the fee table; add, edit and delete change it through the window.
Opens paramsOpens(const CliOptions& options) {
    return options.arguments.empty() ? Opens::Registry : Opens::Window;
}

int checkParams(CommandContext& c) {
    const std::vector<std::string>& args = c.options.arguments;
    const auto& given = c.options.commandOptions;
    if (args.empty()) {
        if (!given.empty()) return usage(c, "params lists the fee table and takes no options");
        return kExitOk;
    }
    const std::string& action = args[0];
    const bool named = action == "edit" || action == "delete";
    if (!(action == "add" || named) || args.size() != (named ? 2u : 1u))
        return usage(c, "params takes add, edit NAME or delete NAME");
    if (action == "delete") {
        for (const auto& [option, value] : given) {
            if (option != kYesOption) return usage(c, "params delete takes only --yes");
        }
        return kExitOk;
    }
    if (given.contains(kYesOption)) return usage(c, "--yes is for params delete");
    if (const std::string why = checkRowOptions(c.options); !why.empty()) return usage(c, why);
    if (action == "add") {
        for (const char* required : {"--market", "--prefix", "--name"}) {
            if (!given.contains(required))
                return usage(c, std::string("params add needs ") + required);
        }
    }
    return kExitOk;
}

int runParams(CommandContext& c) {
    const std::vector<std::string>& args = c.options.arguments;
    if (args.empty()) {
        writeRows(c, c.session.workspace().tradeParams);
        return kExitOk;
    }
    if (args[0] == "add") return runAdd(c);
    return args[0] == "edit" ? runEdit(c, args[1]) : runDelete(c, args[1]);
}

// The row dialog's boxes (add, edit), then --yes (delete).
std::vector<CommandOption> paramsOptions() {
    std::vector<CommandOption> options;
    for (const FieldOption& field :
         fieldOptionsOf([](Messages& m) { return ui::TradeParamDialog(m); })) {
        CommandOption option = field.option();
        option.help += " (add, edit)";
        option.neededByArgument = true;
        options.push_back(option);
    }
    options.push_back({kYesOption, "", "answer the question Yes (delete)"});
    return options;
}

}  // namespace

Command paramsCommand() {
    return {
        .name = "params",
        .arguments = "[add|edit NAME|delete NAME]",
        .summary = "list or change the fee table (add, edit, delete write it)",
        .description =
            "Without arguments, lists the rows of the trade parameter file in table order.\n"
            "Rates are percentages in tsv and the stored fractions in JSON.\n"
            "\n"
            "params add, params edit NAME and params delete NAME change the table as the window's\n"
            "参数设置 does, through its 增加, 修改 and 删除 and the same row dialog: the same "
            "checks\n"
            "and messages, the file rewritten at once. add needs --market, --prefix and --name;\n"
            "the boxes not given stay 0, as the dialog opens. edit changes the row named NAME;\n"
            "the boxes not given keep their values. --commission and --stamp-duty are\n"
            "percentages, as the dialog's boxes take them. delete answers the question\n"
            "\"真的要删除此项交易参数吗?\" No unless --yes is given. A refusal prints the "
            "message,\n"
            "exits with 1 and leaves the file as it was; a change prints the row added, edited\n"
            "or deleted.",
        .columns = paramColumns,
        .run = {checkParams, runParams},
        .options = paramsOptions(),
        .opensFor = paramsOpens,
        .variableArguments = true,
    };
}

}  // namespace fiscora::cli
