#include "qt/output/headless_pdf.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "qt/output/list_print.h"

namespace fiscora::qt {
namespace {

// Qt's notes (a missing runtime folder and the like) are not the program's output; only
// real failures reach the terminal.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

bool writePdfReport(const ListTable& list, const std::string& title, const std::string& path) {
    std::unique_ptr<QGuiApplication> app;
    QtMessageHandler previous = nullptr;
    if (QCoreApplication::instance() == nullptr) {
        previous = qInstallMessageHandler(quietHandler);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fiscora";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const bool written = printListToPdf(list, title, QString::fromStdString(path)) ==
                         ReportPrinter::JobResult::Printed;
    if (app) {
        app.reset();
        qInstallMessageHandler(previous);
    }
    return written;
}

}  // namespace fiscora::qt
