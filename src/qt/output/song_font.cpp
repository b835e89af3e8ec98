#include "qt/output/song_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace fiscora::qt {
namespace {

QString songFamily() {
    static const QString family = [] {
        QString preferred = QStringLiteral("AR PL UMing CN");
        if (QFontDatabase::hasFamily(preferred)) return preferred;
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        return chinese.isEmpty() ? QString() : chinese.first();
    }();
    return family;
}

}  // namespace

QFont songFont(qreal pointSize) {
    QFont font;
    const QString family = songFamily();
    if (!family.isEmpty()) font.setFamily(family);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace fiscora::qt
