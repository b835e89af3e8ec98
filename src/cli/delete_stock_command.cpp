#include "cli/delete_stock_command.h"

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/window_session.h"
#include "engine/trade_fee.h"
#include "records/gbk_text.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

const RowFormat<std::size_t>& removedFormat() {
    static const RowFormat<std::size_t> format{{
        {{"removedRecords"},
         [](const std::size_t& n) { return Value::integer(static_cast<std::int64_t>(n)); }},
    }};
    return format;
}

std::vector<Column> removedColumns() {
    return removedFormat().columns();
}

// The row of the holdings list showing the position (market, code), or -1.
int rowOf(const ui::MainWindowModel& window, std::int32_t market, const std::string& code) {
    const auto gbkCode = utf8ToGbk(code);
    const auto& rows = window.holdingRows();
    for (std::size_t i = 0; gbkCode && i < rows.size(); ++i) {
        const Holding& h = rows[i].holding;
        if (h.market == market && h.stockCode == *gbkCode) return static_cast<int>(i);
    }
    return -1;
}

int readDeleteStock(CommandContext& c, std::int32_t& market) {
    market = marketFromText(*optionValue(c, "--market"));
    if (market < 0) {
        c.err << "fiscora-cli: --market takes " << marketChoices() << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

int runDeleteStock(CommandContext& c, std::int32_t& market) {
    const std::string& code = *optionValue(c, "--code");
    const std::string& marketName = *optionValue(c, "--market");
    WindowSession& session = *c.window;
    ui::MainWindowModel& window = session.window();
    const int row = rowOf(window, market, code);
    if (row < 0) {
        c.err << "fiscora-cli: " << argument(c, "ACCOUNT") << " holds no " << code << " in "
              << marketName << '\n';
        return kExitRefused;
    }
    window.holdingList().selected = row;
    if (optionValue(c, kYesOption) != nullptr) session.messages().answerYes();
    // The question is the one message expected; anything more is a failure (a file that
    // could not be written).
    const int shownBefore = session.messages().count();
    const std::size_t before = window.workspace().ledger.size();
    window.OnCommand(ui::command::kDeleteStockRecords);
    const std::size_t removed = before - window.workspace().ledger.size();
    if (removed == 0 || session.messages().count() != shownBefore + 1) return kExitRefused;
    writeTable(c.out, Table{removedColumns(), {removedFormat().values(removed)}}, c.options.format);
    return kExitOk;
}

}  // namespace

Command deleteStockCommand() {
    return {
        .name = "delete-stock",
        .arguments = "ACCOUNT",
        .summary = "remove every record of one held stock (writes the ledger)",
        .description =
            "Removes every purchase, sale, dividend, bonus and rights record of the stock, as\n"
            "the window's 删除记录 does on the holdings list's row of that market and code:\n"
            "the same question, the ledger file rewritten. The question is answered Yes only\n"
            "with --yes; without it the answer is No, the question goes to stderr, nothing\n"
            "changes and the exit code is 1. Prints how many records were removed.",
        .columns = removedColumns,
        .run = {readDeleteStock, runDeleteStock},
        .options = {{"--code", "C", "six-digit stock code", true},
                    {"--market", "M", marketChoices(), true},
                    {kYesOption, "", "answer the question Yes"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
