#include "qt/output/list_print.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace fiscora::qt {
namespace {

ReportPrinter reportOf(const ListTable& list, const std::string& title,
                       ReportPrinter::Clock clock) {
    ReportPrinter printer(std::move(clock));
    printer.setTitle(title);
    printer.setList(list);
    return printer;
}

}  // namespace

void PrintList(const ListTable& list, const std::string& title, QWidget* parent, Messages& messages,
               QString& pdfFolder) {
    ReportPrinter printer = reportOf(list, title, &QDateTime::currentDateTime);
    printer.setPdfFolder(pdfFolder);
    printer.Print(parent, messages);
    pdfFolder = printer.pdfFolder();
}

ReportPrinter::JobResult printListToPdf(const ListTable& list, const std::string& title,
                                        const QString& path, const QPageSize& pageSize,
                                        ReportPrinter::Clock clock) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(pageSize);
    return reportOf(list, title, std::move(clock)).printJob(printer);
}

bool openInTextEditor(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file))) return true;
    // Without a launcher (no xdg-open) the desktop cannot say which editor it uses.
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed",
                               "pluma", "featherpad", "leafpad"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!program.isEmpty() && QProcess::startDetached(program, {file})) return true;
    }
    return false;
}

}  // namespace fiscora::qt
