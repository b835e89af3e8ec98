#include "qt/output/list_print.h"

#include <QDesktopServices>
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

void PrintList(const ListTable& list, const std::string& title, QWidget* parent,
               Messages& messages) {
    reportOf(list, title, &QDateTime::currentDateTime).Print(parent, messages);
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

void openInTextEditor(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace fiscora::qt
