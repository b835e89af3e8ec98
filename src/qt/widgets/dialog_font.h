#pragma once

#include <QFont>

namespace fiscora::qt {

// The dialogs' face: a Song (Ming) face for Chinese text, then any CJK face the machine
// has; Latin text in the sans face.
QFont dialogFont();

}  // namespace fiscora::qt
