#include "cli/command.h"

#include <algorithm>
#include <stdexcept>

#include "cli/account_cli_commands.h"
#include "cli/account_identity_cli_commands.h"
#include "cli/book_command.h"
#include "cli/chart_command.h"
#include "cli/curve_command.h"
#include "cli/delete_stock_command.h"
#include "cli/details_command.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/ledger_commands.h"
#include "cli/record_commands.h"
#include "cli/report_command.h"
#include "cli/returns_command.h"
#include "cli/trade_param_commands.h"

namespace fiscora::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        accountsCommand(),      ledgerCommand(),         holdingsCommand(), summaryCommand(),
        detailsCommand(),       reportCommand(),         verifyCommand(),   createAccountCommand(),
        renameAccountCommand(), changePasswordCommand(), bookCommand(),     deleteStockCommand(),
        editRecordCommand(),    deleteRecordCommand(),   chartCommand(),    curveCommand(),
        paramsCommand(),        importCommand(),         returnsCommand(),  exportCommand()};
    return all;
}

Synopsis::Synopsis(const char* text) : text_(text) {
    std::string name;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == '\0') {
            if (!name.empty()) names_.push_back(name);
            name.clear();
            if (*p == '\0') break;
        } else {
            name += *p;
        }
    }
}

const std::string* optionValue(const CommandContext& c, const char* name) {
    const auto it = c.options.commandOptions.find(name);
    return it != c.options.commandOptions.end() ? &it->second : nullptr;
}

const std::string& argument(const CommandContext& c, const char* name) {
    const std::vector<std::string>& names = c.command->arguments.names();
    const auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end()) throw std::logic_error(std::string("no argument ") + name);
    return c.options.arguments.at(static_cast<std::size_t>(at - names.begin()));
}

const Command* findCommand(const std::string& name) {
    for (const Command& c : commands()) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

}  // namespace fiscora::cli
