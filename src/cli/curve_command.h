#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The capital curve of 资金曲线: the day points' rows, or the chart area drawn into a PNG
// file.
Command curveCommand();

}  // namespace fiscora::cli
