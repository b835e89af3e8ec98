#pragma once

// A feature folder that reaches up to the main window: the layer check refuses it.
#include "ui/common/dialog_model.h"
#include "ui/main/main_window_model.h"
