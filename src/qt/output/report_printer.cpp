#include "qt/output/report_printer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <string_view>

#include "host/module_state.h"
#include "output/list_reports.h"
#include "output/report_texts.h"
#include "qt/output/file_dialogs.h"
#include "qt/output/song_font.h"
#include "store/temporary_file.h"

namespace fiscora::qt {
namespace {

constexpr qreal kHeadingPoints = 12;
constexpr qreal kTablePoints = 12;
constexpr qreal kFooterPoints = 9;
// The print dialog's page range runs from 1; the last page is only known once the job lays
// the report out on the chosen printer, so the range is open upwards.
constexpr int kLastSelectablePage = 9999;
// A PDF is laid out in the dots of a common laser printer, so the gaps and lines given in
// device units look on it as they do on paper.
constexpr int kPdfDotsPerInch = 600;

// The job's start time, for its footer.
ReportTime reportTime(const QDateTime& t) {
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

int millimetresToUnits(double mm, int dotsPerInch) {
    return static_cast<int>(mm * dotsPerInch / 25.4);
}

// Whether the file ends in the trailer a PDF writer puts last: the PDF engine does not
// report every failed write, but a cut file lacks it.
bool endsAsPdf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 16) return false;
    char tail[16] = {};
    if (::pread(fd, tail, sizeof tail, st.st_size - static_cast<off_t>(sizeof tail)) !=
        static_cast<ssize_t>(sizeof tail))
        return false;
    return std::string_view(tail, sizeof tail).find("%%EOF") != std::string_view::npos;
}

}  // namespace

ReportPrinter::ReportPrinter(Clock clock) : clock_(std::move(clock)) {}

// The PDF suggested: named after the report, in the folder last printed to, else the data
// directory.
QString ReportPrinter::defaultPdfPath() const {
    const QString folder =
        pdfFolder_.isEmpty() ? QString::fromStdString(dataDirectory()) : pdfFolder_;
    return QDir(folder).filePath(QString::fromStdString(title_) + ".pdf");
}

void ReportPrinter::setUpPage(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setResolution(kPdfDotsPerInch);
    printer.setFullPage(false);
    const QPageLayout page = printer.pageLayout();
    printer.setPageMargins(page.minimumMargins(), page.units());
}

bool ReportPrinter::PreparePrinting(QPrinter& printer, QWidget* parent) {
    printer.setDocName(QString::fromUtf8(kJobName));
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(defaultPdfPath());
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, kLastSelectablePage);
    if (dialog.exec() != QDialog::Accepted) return false;

    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        const QString file = chooseFileToSave(parent, QString::fromStdString(title_),
                                              defaultPdfPath(), QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) return false;
        printer.setOutputFileName(file);
    }
    if (!printer.outputFileName().isEmpty())
        pdfFolder_ = QFileInfo(printer.outputFileName()).absolutePath();
    return printer.isValid();
}

void ReportPrinter::Print(QWidget* parent, Messages& messages) {
    if (!hasContent()) return;
    // The footer tells when the user asked for the report, not when the dialog closed.
    stampFooter();
    QPrinter printer(QPrinter::HighResolution);
    if (!PreparePrinting(printer, parent)) return;
    if (runJob(printer) == JobResult::CannotStart) messages.plain(kPrintJobFailedMessage);
}

ReportPrinter::JobResult ReportPrinter::printJob(QPrinter& printer) {
    stampFooter();
    return runJob(printer);
}

void ReportPrinter::stampFooter() {
    footer_ = reportFooterText(reportTime(clock_()));
}

ReportPrinter::JobResult ReportPrinter::runJob(QPrinter& printer) {
    if (!hasContent()) return JobResult::NothingToPrint;
    // A PDF file is written beside its target and renamed over it only when complete, so a
    // job that fails midway (a full disk) keeps the old file.
    const QString target =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (target.isEmpty()) return drawJob(printer);
    TemporaryFile temp;
    if (temp.create(target.toStdString()) != FileError::None) return JobResult::CannotStart;
    printer.setOutputFileName(QString::fromStdString(temp.path()));
    JobResult result = drawJob(printer);
    printer.setOutputFileName(target);
    if (result == JobResult::Printed && (!endsAsPdf(temp.fd()) || temp.commit() != FileError::None))
        result = JobResult::Aborted;
    return result;
}

ReportPrinter::JobResult ReportPrinter::drawJob(QPrinter& printer) {
    printer.setDocName(QString::fromUtf8(kJobName));
    setUpPage(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return JobResult::CannotStart;
    LayOut(painter);

    // The painter starts on the first page; each further page is started before it is drawn.
    // Between pages the window keeps repainting, but takes no input while the job runs.
    const bool range = printer.printRange() == QPrinter::PageRange;
    bool firstPage = true;
    for (int page : pagesToPrint(range ? printer.fromPage() : 0, range ? printer.toPage() : 0,
                                 layout_.lastPage)) {
        if (!firstPage && !printer.newPage()) {
            printer.abort();
            painter.end();
            return JobResult::Aborted;
        }
        firstPage = false;
        PrintPage(painter, page);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) return JobResult::Aborted;
    return JobResult::Printed;
}

void ReportPrinter::LayOut(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    fonts_ = {QFont(songFont(kHeadingPoints), device), QFont(songFont(kTablePoints), device),
              QFont(songFont(kFooterPoints), device)};
    if (footer_.empty()) stampFooter();
    const int mx = millimetresToUnits(kMarginMillimetres, device->logicalDpiX());
    const int my = millimetresToUnits(kMarginMillimetres, device->logicalDpiY());
    PainterReportCanvas canvas(painter, fonts_);
    layout_ = layOutReport(canvas, content(), device->width(), device->height(), {mx, my, mx, my});
}

void ReportPrinter::PrintPage(QPainter& painter, int page) {
    PainterReportCanvas canvas(painter, fonts_);
    drawReportPage(canvas, layout_, content(), page);
}

}  // namespace fiscora::qt
