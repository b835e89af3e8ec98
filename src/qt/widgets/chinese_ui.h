#pragma once

#include <QLocale>
#include <QTranslator>

#include "qt/output/file_dialogs.h"

namespace fiscora::qt {

// While it lives, Qt's own dialogs and widgets (the print and file dialogs, message box
// buttons, the date pickers' calendars) speak Chinese like the rest of the program: Qt's
// Chinese translations are installed, dates follow the China locale and file dialogs show
// their columns in it (ChineseFileDialogs). All is undone at the end, so a host's own
// application is left as it was.
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
    ChineseFileDialogs fileDialogs_;
};

}  // namespace fiscora::qt
