#pragma once

#include "ui/common/headless_runner.h"

namespace fiscora::ui {

// How the command line fills every dialog of the window: one line per dialog type.
const HeadlessFillers& dialogFillers();

}  // namespace fiscora::ui
