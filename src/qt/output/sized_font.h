#pragma once

#include <QFont>
#include <QStringList>

#include "output/report_canvas.h"

namespace fiscora::qt {

// The faces of the dialogs: Latin letters and digits from the sans face (the Song face's
// own look like a typewriter's), Chinese from the Song face, then any CJK face.
QStringList interfaceFamilies();

// The font whose lines are at most `font.height` pixels high and, when a width is asked
// for, whose average character is stretched to that width.
QFont sizedFont(const SizedFont& font);

}  // namespace fiscora::qt
