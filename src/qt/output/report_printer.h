#pragma once

#include <QDateTime>
#include <QPainter>
#include <QPrinter>
#include <functional>
#include <string>

#include "host/messages.h"
#include "output/list_table.h"
#include "output/report_layout.h"
#include "output/report_page.h"
#include "qt/output/painter_report_canvas.h"

class QWidget;

namespace fiscora::qt {

// Prints a list as a paged table report: the title and page number on top, the column
// headers and a full grid of rows on every page, the product name and the time the job
// started at the bottom. All drawing is in the painter's device units, so the same pages go
// to a printer, into a PDF file or onto an image.
class ReportPrinter {
public:
    static constexpr const char* kJobName = "查询清单";
    static constexpr double kMarginMillimetres = 10;

    using Clock = std::function<QDateTime()>;

    enum class JobResult { Printed, NothingToPrint, CannotStart, Aborted };

    explicit ReportPrinter(Clock clock = &QDateTime::currentDateTime);

    void setTitle(std::string title) { title_ = std::move(title); }
    void setList(ListTable list) { list_ = std::move(list); }
    // Where a PDF is suggested (the data directory when empty). After a job printed to a
    // file, the folder it went to.
    void setPdfFolder(QString folder) { pdfFolder_ = std::move(folder); }
    const QString& pdfFolder() const { return pdfFolder_; }

    // The print command: the print dialog (page range, print to file), a file name when
    // printing to a file without one, then the job. An empty list, or one without columns,
    // does nothing; a cancelled dialog ends silently; a job that cannot start is reported.
    void Print(QWidget* parent, Messages& messages);

    // The job on a printer already set up: its chosen page range on the printer's whole
    // printable area, one page after the other. The footer's time is taken now.
    JobResult printJob(QPrinter& printer);

    // Measures the fonts on the painter's device and lays the pages out; the footer's time
    // is taken now unless a job already took it.
    void LayOut(QPainter& painter);
    // Draws page `page` (1 .. layout().lastPage) after LayOut on the same device.
    void PrintPage(QPainter& painter, int page);
    const ReportLayout& layout() const { return layout_; }

    // Gives the report the printer's whole printable area (the page margins are the report's),
    // and a PDF the resolution of a common laser printer.
    static void setUpPage(QPrinter& printer);

private:
    bool hasContent() const { return !list_.rows.empty() && !list_.columns.empty(); }
    bool PreparePrinting(QPrinter& printer, QWidget* parent);
    void stampFooter();
    JobResult runJob(QPrinter& printer);
    // The pages themselves, on the printer as it is set up.
    JobResult drawJob(QPrinter& printer);
    ReportContent content() const { return {title_, footer_, &list_}; }

    QString defaultPdfPath() const;

    Clock clock_;
    std::string title_;
    QString pdfFolder_;
    ListTable list_;
    std::string footer_;
    ReportFonts fonts_;
    ReportLayout layout_;
};

}  // namespace fiscora::qt
