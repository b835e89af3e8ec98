#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The profit charts of 图表分析: the items' rows, or the chart area drawn into a PNG file.
Command chartCommand();

}  // namespace fiscora::cli
