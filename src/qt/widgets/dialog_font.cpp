#include "qt/widgets/dialog_font.h"

#include <QStringList>

namespace fiscora::qt {

QFont dialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(10);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont sansFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("AR PL UMing CN")});
    font.setPointSize(pointSize);
    return font;
}

}  // namespace fiscora::qt
