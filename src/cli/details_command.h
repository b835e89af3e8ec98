#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// details ACCOUNT CODE: the rows of the window's 交易明细 for one stock.
Command detailsCommand();

}  // namespace fiscora::cli
