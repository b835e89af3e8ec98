#include "qt/widgets/tone_colour.h"

#include <QColor>

namespace fiscora::qt {

QVariant toneColour(CellTone tone) {
    switch (tone) {
    case CellTone::Gain: return QColor(204, 0, 0);
    case CellTone::Loss: return QColor(0, 128, 0);
    case CellTone::Plain: break;
    }
    return {};
}

}  // namespace fiscora::qt
