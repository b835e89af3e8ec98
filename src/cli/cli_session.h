#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/session_quotes.h"
#include "cli/terminal_messages.h"
#include "engine/workspace.h"

namespace fiscora::cli {

// The data one command works on: the quotes standing in for the host, and the
// workspace opened read-only, so that nothing is ever created or written.
class CliSession {
public:
    CliSession(const CliOptions& options, std::ostream& err);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Installs the quotes and reads the registry and the fee table.
    // kExitOk, or the exit code of the failure with its message on the error stream.
    int open();

    // Finds the account by its UTF-8 name, checks its password and loads its ledger (and,
    // unless skipped, its holdings) into the workspace. kExitOk with `account` set, or the
    // failure's exit code.
    int openLedger(const std::string& name, const AccountInfo*& account,
                   HoldingsOnLoad holdingsOnLoad = HoldingsOnLoad::Computed);

    Workspace& workspace() { return workspace_; }

private:
    const CliOptions& options_;
    std::ostream& err_;
    TerminalMessages messages_;
    SessionQuotes quotes_;
    Workspace workspace_;
};

}  // namespace fiscora::cli
