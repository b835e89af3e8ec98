#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// Commands over one account's ledger, which need the account's password.
Command ledgerCommand();
Command holdingsCommand();
Command summaryCommand();

}  // namespace fiscora::cli
