// The library's three entry points, defined against the public header so that the two
// cannot differ. Everything else in the library is hidden.

#include <fiscora.h>

#include <QApplication>
#include <memory>

#include "host/module_state.h"
#include "qt/main/main_window_runner.h"

namespace {

// Set when the library is loaded: false when the current directory could not be read, and
// then no window opens.
bool startedUp = false;

__attribute__((constructor)) void startUp() {
    startedUp = fiscora::initDefaultDataDirectory();
}

}  // namespace

extern "C" {

void PopupInvestDlg() {
    // A host without Qt gets an application object for the duration of the call.
    std::unique_ptr<QApplication> ownApplication;
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "fiscora";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    fiscora::qt::runMainWindow(startedUp);
}

void RegisterInvestGPInfoHq(FiscoraQuoteCallback callback) {
    fiscora::registerQuoteCallback(callback);
}

void SetPrivateInvestDir(char* path) {
    fiscora::setPrivateInvestDir(path);
}

}  // extern "C"
