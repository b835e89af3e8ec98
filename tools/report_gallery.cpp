// Writes the holdings report as the window prints it, into PDF files on A4 and Letter paper,
// their pages as PNG pictures (when poppler's pdftoppm is installed) and the text export, so
// they can be looked at. Usage: report_gallery OUTPUT_FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

#include "engine/number_format.h"
#include "output/holding_rows.h"
#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "qt/output/list_print.h"

namespace {

using namespace fiscora;
using namespace fiscora::qt;

// Sixty holdings: two A4 pages, the second partly empty.
ListTable sampleHoldings() {
    const char* names[] = {"招商银行", "万科A",    "浦发银行", "深发展A",
                           "贵州茅台", "中国石化", "",         "长江电力"};
    ListTable table{holdingColumns(), {}};
    for (int i = 0; i < 60; ++i) {
        const bool shanghai = i % 3 != 1;
        char code[8];
        std::snprintf(code, sizeof code, "%06d", shanghai ? 600000 + 17 * i : 2 + 13 * i);
        const int quantity = 100 * (1 + i % 9);
        const double average = 4.5 + 0.37 * i;
        const double latest = average * (1 + ((i % 7) - 3) * 0.021);
        const double fees = 12.5 + i * 0.3;
        table.rows.push_back({shanghai ? "上海" : "深圳", code, names[i % 8],
                              formatQuantity(quantity), formatAmount(quantity * latest),
                              formatAmount(quantity * (latest - average) - fees),
                              formatAmount(average), formatAmount(latest),
                              formatAmount(average + 2 * fees / quantity),
                              formatPercent(100 * (latest - average) / average)});
    }
    return table;
}

QDateTime galleryTime() {
    return {QDate(2026, 12, 8), QTime(9, 5)};
}

bool writePdf(const ListTable& list, const QDir& out, const QString& name, const QPageSize& size) {
    const QString path = out.filePath(name + ".pdf");
    if (printListToPdf(list, kHoldingsReport.title, path, size, galleryTime) !=
        ReportPrinter::JobResult::Printed) {
        std::fprintf(stderr, "cannot print %s\n", qPrintable(path));
        return false;
    }
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (!pdftoppm.isEmpty()) {
        QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("110"),
                                     QStringLiteral("-png"), path, out.filePath(name)});
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: report_gallery OUTPUT_FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) return 1;

    const ListTable holdings = sampleHoldings();
    bool ok =
        writePdf(holdings, out, QStringLiteral("report-holdings-a4"), QPageSize(QPageSize::A4));
    ListTable shortList = holdings;
    shortList.rows.resize(5);
    ok = writePdf(shortList, out, QStringLiteral("report-holdings-letter"),
                  QPageSize(QPageSize::Letter)) &&
         ok;
    ok = SaveListAsText(holdings,
                        out.filePath(QString::fromUtf8(kHoldingsReport.fileName)).toStdString()) &&
         ok;
    return ok ? 0 : 1;
}
