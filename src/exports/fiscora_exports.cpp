// The library's three entry points. Everything else in the library is hidden.

#include <QApplication>
#include <memory>

#include "host/module_state.h"
#include "qt/main/main_window_runner.h"

#define FISCORA_EXPORT __attribute__((visibility("default")))

namespace {

// Set when the library is loaded: false when the current directory could not be read, and
// then no window opens.
bool startedUp = false;

__attribute__((constructor)) void startUp() {
    startedUp = fiscora::initDefaultDataDirectory();
}

}  // namespace

extern "C" {

FISCORA_EXPORT void PopupInvestDlg() {
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

FISCORA_EXPORT void RegisterInvestGPInfoHq(fiscora::QuoteCallback callback) {
    fiscora::registerQuoteCallback(callback);
}

FISCORA_EXPORT void SetPrivateInvestDir(char* path) {
    fiscora::setPrivateInvestDir(path);
}

}  // extern "C"
