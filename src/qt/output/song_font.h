#pragma once

#include <QFont>

namespace fiscora::qt {

// The Song face the reports and dialogs are set in: "AR PL UMing CN", else any face that
// writes Simplified Chinese, else the default face.
QFont songFont(qreal pointSize);

}  // namespace fiscora::qt
