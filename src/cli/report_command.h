#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The holdings list as the window prints and saves it: a PDF report, a text export, or both.
Command reportCommand();

}  // namespace fiscora::cli
