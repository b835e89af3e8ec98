#pragma once

#include "ui/common/dialog_registry.h"

class QWidget;

namespace fiscora::qt {

// Shows a dialog model in its window, owned by `owner`; true when confirmed.
using DialogViews = ui::DialogRegistry<bool(ui::DialogModel&, QWidget* owner)>;

// The window of every dialog: one line per dialog type.
const DialogViews& dialogViews();

}  // namespace fiscora::qt
