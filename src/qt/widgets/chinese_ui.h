#pragma once

#include <QLocale>
#include <QTranslator>

namespace fiscora::qt {

// While it lives, Qt's own dialogs and widgets (the print and file dialogs, message box
// buttons, the date pickers' calendars) speak Chinese like the rest of the program: Qt's
// Chinese translations are installed and dates follow the China locale. Both are undone
// at the end, so a host's own application is left as it was.
class ChineseUi {
public:
    ChineseUi();
    ~ChineseUi();
    ChineseUi(const ChineseUi&) = delete;
    ChineseUi& operator=(const ChineseUi&) = delete;

private:
    QLocale previousLocale_;
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace fiscora::qt
