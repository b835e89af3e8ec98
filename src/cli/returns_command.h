#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// Money-weighted and time-weighted returns, drawdown and a benchmark of an account or one
// of its positions: a row for the period asked for, then one per year or trailing period.
Command returnsCommand();

}  // namespace fiscora::cli
