#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The ledger as an hledger or beancount journal, or as CSV.
Command exportCommand();

}  // namespace fiscora::cli
