#pragma once

#include <QPageSize>
#include <QString>
#include <string>

#include "host/messages.h"
#include "output/list_output.h"
#include "output/list_table.h"
#include "qt/output/report_printer.h"

class QWidget;

namespace fiscora::qt {

// The print command of a list: the print dialog, then the report titled `title`. A PDF is
// suggested in `pdfFolder` (the data directory when empty), which is then set to the folder
// printed to.
void PrintList(const ListTable& list, const std::string& title, QWidget* parent, Messages& messages,
               QString& pdfFolder);

// The whole report straight into a PDF file on pages of `pageSize`, without any dialog.
ReportPrinter::JobResult printListToPdf(const ListTable& list, const std::string& title,
                                        const QString& path,
                                        const QPageSize& pageSize = QPageSize(QPageSize::A4),
                                        ReportPrinter::Clock clock = &QDateTime::currentDateTime);

// Opens a saved text file in the desktop's text editor: the one the desktop opens text files
// with, else the first common graphical editor installed. False when none could be started.
bool openInTextEditor(const std::string& path);

// The window's list output: the print dialog over `parent`, messages through `messages`.
class QtListOutput : public ListOutput {
public:
    QtListOutput(QWidget* parent, Messages& messages) : parent_(parent), messages_(messages) {}

    void printList(const ListTable& list, const std::string& title) override {
        PrintList(list, title, parent_, messages_, pdfFolder_);
    }
    bool openInTextEditor(const std::string& path) override { return qt::openInTextEditor(path); }

private:
    QWidget* parent_;
    Messages& messages_;
    QString pdfFolder_;  // where the last PDF went, for the next one
};

}  // namespace fiscora::qt
