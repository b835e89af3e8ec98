#include "qt/widgets/dialog_font.h"

#include <QStringList>

namespace fiscora::qt {

QFont dialogFont() {
    QFont font;
    // Latin letters and digits from the sans face (the Song face's own look like a
    // typewriter's), Chinese from the Song face.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(9);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace fiscora::qt
