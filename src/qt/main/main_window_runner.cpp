#include "qt/main/main_window_runner.h"

#include "qt/main/main_window_view.h"
#include "qt/widgets/chinese_ui.h"
#include "qt/widgets/qt_messages.h"

namespace fiscora::qt {

void runMainWindow(bool startedUp) {
    const ChineseUi chinese;
    if (!startedUp) {
        QtMessages().plain("找不到当前路径！");
        return;
    }
    MainWindowView window;
    window.exec();
}

}  // namespace fiscora::qt
