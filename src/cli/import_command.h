#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// 导入交割单: a broker's statement previewed and, on --yes, booked.
Command importCommand();

}  // namespace fiscora::cli
