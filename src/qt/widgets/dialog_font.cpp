#include "qt/widgets/dialog_font.h"

#include "qt/output/sized_font.h"

namespace fiscora::qt {

QFont dialogFont() {
    QFont font;
    font.setFamilies(interfaceFamilies());
    font.setPointSize(9);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace fiscora::qt
