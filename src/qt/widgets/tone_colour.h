#pragma once

#include <QVariant>

#include "output/list_table.h"

namespace fiscora::qt {

// The red and the green of gains and losses, dark enough to read on white; no colour for a
// plain figure.
QVariant toneColour(CellTone tone);

}  // namespace fiscora::qt
