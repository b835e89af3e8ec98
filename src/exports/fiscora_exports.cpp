// The library's three entry points, defined against the public header so that the two
// cannot differ. Everything else in the library is hidden.

#include <fiscora.h>

#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "host/module_state.h"
#include "qt/main/main_window_runner.h"

namespace {

// Set when the library is loaded: false when the current directory could not be read, and
// then no window opens.
bool startedUp = false;

__attribute__((constructor)) void startUp() {
    try {
        startedUp = fiscora::initDefaultDataDirectory();
    } catch (...) {
        startedUp = false;  // no window rather than a host that cannot load the library
    }
}

}  // namespace

extern "C" {

// The window runs inside the host's process: whatever goes wrong ends the call, never the
// host. Memory running out is the one failure left once every file is bounded.
void PopupInvestDlg() {
    try {
        // A host without Qt gets an application object for the duration of the call.
        std::unique_ptr<QApplication> ownApplication;
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "fiscora";
            static char* argv[] = {name, nullptr};
            ownApplication = std::make_unique<QApplication>(argc, argv);
        }
        fiscora::qt::runMainWindow(startedUp);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fiscora: the window closed: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "fiscora: the window closed on an unknown error\n");
    }
}

void RegisterInvestGPInfoHq(FiscoraQuoteCallback callback) {
    fiscora::registerQuoteCallback(callback);
}

void SetPrivateInvestDir(char* path) {
    try {
        fiscora::setPrivateInvestDir(path);
    } catch (...) {
        // Only memory running out can fail here; the directory then stays as it was.
    }
}

}  // extern "C"
