#pragma once

#include <QFont>

namespace fiscora::qt {

// The dialogs' face: a Song (Ming) face for Chinese text, then any CJK face the machine
// has; Latin text in the sans face.
QFont dialogFont();
// The sans face of the charts and reports ("DejaVu Sans", then a CJK sans face).
QFont sansFont(int pointSize);

}  // namespace fiscora::qt
