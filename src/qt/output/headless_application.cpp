#include "qt/output/headless_application.h"

#include <cstdio>

namespace fiscora::qt {
namespace {

void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

HeadlessApplication::HeadlessApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    previous_ = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fiscora";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

HeadlessApplication::~HeadlessApplication() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previous_);
}

}  // namespace fiscora::qt
