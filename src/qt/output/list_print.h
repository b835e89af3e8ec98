#pragma once

#include <QPageSize>
#include <QString>
#include <string>

#include "host/messages.h"
#include "output/list_table.h"
#include "qt/output/report_printer.h"

class QWidget;

namespace fiscora {

// The print command of a list: the print dialog, then the report titled `title`.
void PrintList(const ListTable& list, const std::string& title, QWidget* parent, Messages& messages);

// The whole report straight into a PDF file on pages of `pageSize`, without any dialog.
ReportPrinter::JobResult printListToPdf(const ListTable& list, const std::string& title, const QString& path,
                                        const QPageSize& pageSize = QPageSize(QPageSize::A4),
                                        ReportPrinter::Clock clock = &QDateTime::currentDateTime);

// Opens a saved text file in the desktop's text editor.
void openInTextEditor(const std::string& path);

}  // namespace fiscora
