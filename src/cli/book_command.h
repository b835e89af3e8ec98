#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// book ACCOUNT KIND: one deposit, withdrawal, purchase or sale, entered into the window's
// own dialog and confirmed through the window's own command.
Command bookCommand();

}  // namespace fiscora::cli
