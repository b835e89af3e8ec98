#include "cli/command.h"

#include "cli/account_cli_commands.h"
#include "cli/account_identity_commands.h"
#include "cli/book_command.h"
#include "cli/delete_stock_command.h"
#include "cli/import_command.h"
#include "cli/ledger_commands.h"
#include "cli/record_commands.h"
#include "cli/report_command.h"

namespace fiscora::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        accountsCommand(),       ledgerCommand(), holdingsCommand(),      summaryCommand(),
        reportCommand(),         verifyCommand(), createAccountCommand(), renameAccountCommand(),
        changePasswordCommand(), bookCommand(),   deleteStockCommand(),   editRecordCommand(),
        deleteRecordCommand(),   importCommand()};
    return all;
}

const Command* findCommand(const std::string& name) {
    for (const Command& c : commands()) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

}  // namespace fiscora::cli
