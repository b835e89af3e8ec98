#include "qt/widgets/chinese_ui.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace fiscora::qt {

ChineseUi::ChineseUi() {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Without the translations (Debian's qt6-translations-l10n) Qt's texts stay English.
    if (translator_.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed_ = QCoreApplication::installTranslator(&translator_);
}

ChineseUi::~ChineseUi() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
    QLocale::setDefault(previousLocale_);
}

}  // namespace fiscora::qt
