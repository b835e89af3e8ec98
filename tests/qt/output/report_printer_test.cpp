#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "host/module_state.h"
#include "qt/output/list_print.h"
#include "qt/output/report_printer.h"
#include "qt/output/song_font.h"
#include "support/temp_dir.h"

using namespace fiscora;
using namespace fiscora::qt;

namespace {

constexpr int kDotsPerInch = 150;

QDateTime fixedTime() {
    return {QDate(2026, 12, 8), QTime(9, 5)};
}

ListTable threeColumns(int rows) {
    ListTable list{{{"代码", 60, ColumnAlign::Left},
                    {"名称", 120, ColumnAlign::Center},
                    {"金额", 60, ColumnAlign::Right}},
                   {}};
    for (int i = 0; i < rows; ++i) list.rows.push_back({"600036", "招商银行", "12.000"});
    return list;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of the dark pixels strictly inside `r`, empty when there are none.
QRect ink(const QImage& image, const ReportRect& r) {
    QRect box;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x)
            if (dark(image, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return int(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// Rows a page holds on a PDF printer with `size` paper.
int pdfRowsPerPage(const QString& scratch, const QPageSize& size) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(scratch);
    printer.setPageSize(size);
    ReportPrinter::setUpPage(printer);
    ReportPrinter report(fixedTime);
    report.setTitle("盈亏明细打印");
    report.setList(threeColumns(1));
    QPainter painter(&printer);
    report.LayOut(painter);
    return report.layout().rowsPerPage;
}

// Answers the next modal dialog: accepts or rejects it, and notes that one was shown.
class DialogAnswer {
public:
    explicit DialogAnswer(bool accept) {
        QTimer::singleShot(50, [this, accept] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            shown = true;
            accept ? dialog->accept() : dialog->reject();
        });
    }
    bool shown = false;
};

}  // namespace

class ReportPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pageOnAnImageFollowsTheLayout();
    void pdfPagesFollowTheRowCount();
    void nothingToPrintAndUnwritableFiles();
    void aFailedWriteKeepsTheOldPdf();
    void printCommandWithoutPrinterGivesAPdfAndEndsSilentlyWhenCancelled();
    void footerTimeIsTakenBeforeThePrintDialog();
};

void ReportPrinterTest::pageOnAnImageFollowsTheLayout() {
    QImage image(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dots per inch
    image.setDotsPerMeterX(qRound(kDotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(kDotsPerInch / 0.0254));
    image.fill(Qt::white);

    ReportPrinter report(fixedTime);
    report.setTitle("盈亏明细打印");
    report.setList(threeColumns(3));
    QPainter painter(&image);
    report.LayOut(painter);
    report.PrintPage(painter, 1);
    painter.end();

    const ReportLayout& layout = report.layout();
    QCOMPARE(layout.area.left, 59);  // 10 mm
    QCOMPARE(layout.area.bottom, 1754 - 59);
    QCOMPARE(layout.rowHeight, QFontMetrics(QFont(songFont(12), &image), &image).height() + 4);
    QCOMPARE(layout.columnEdges, (std::vector<int>{0, 280, 841, 1122}));
    QCOMPARE(layout.lastPage, 1);

    const int left = layout.area.left;
    const int right = left + layout.columnEdges.back() - 1;
    const int rowsTop = layout.area.top + layout.headingHeight + kHeadingGap + layout.rowHeight;
    const int stride = layout.rowHeight + 1;
    auto cellRect = [&](int column, int row) {
        const int y = rowsTop + row * stride;
        return ReportRect{left + layout.columnEdges[column], y,
                          left + layout.columnEdges[column + 1], y + layout.rowHeight};
    };

    // Every row of the page has its grid, down to the closing line.
    for (int k = 0; k < layout.rowsPerPage; ++k) {
        const int y = rowsTop + k * stride;
        QVERIFY2(dark(image, left + 10, y) && dark(image, left + 300, y),
                 qPrintable(QString::number(k)));
        QVERIFY(dark(image, left, y + stride / 2));
        QVERIFY(dark(image, left + layout.columnEdges[1], y + stride / 2));
        QVERIFY(dark(image, right, y + stride / 2));
    }
    const int closing = rowsTop + layout.rowsPerPage * stride;
    QVERIFY(dark(image, left + 500, closing));
    QVERIFY(!dark(image, left + 500, closing + 3));

    // Cells are aligned like their columns; rows past the list stay empty.
    const QRect code = ink(image, cellRect(0, 0));
    const QRect name = ink(image, cellRect(1, 0));
    const QRect amount = ink(image, cellRect(2, 0));
    QVERIFY(!code.isEmpty() && !name.isEmpty() && !amount.isEmpty());
    QVERIFY(code.left() - cellRect(0, 0).left < 8);
    QVERIFY(cellRect(2, 0).right - amount.right() < 10);
    const ReportRect middle = cellRect(1, 0);
    QVERIFY(qAbs((name.left() + name.right()) / 2 - (middle.left + middle.right) / 2) <= 3);
    QVERIFY(ink(image, cellRect(1, 3)).isEmpty());
    QVERIFY(ink(image, cellRect(0, layout.rowsPerPage - 1)).isEmpty());

    // The page text at the top right, the title at the top left, the footer at the bottom.
    const int headingBottom = layout.area.top + layout.headingHeight;
    const QRect pageText =
        ink(image, {left + 900, layout.area.top - 2, layout.area.right, headingBottom});
    QVERIFY(!pageText.isEmpty() && layout.area.right - pageText.right() < 8);
    QVERIFY(!ink(image, {left - 2, layout.area.top - 2, left + 300, headingBottom}).isEmpty());
    const QRect footer = ink(image, {left - 2, layout.area.bottom - layout.footerReserve,
                                     left + 600, layout.area.bottom});
    QVERIFY(!footer.isEmpty() && footer.left() - left < 6);
    QVERIFY(ink(image, {left, closing + 3, layout.area.right,
                        layout.area.bottom - layout.footerReserve - 2})
                .isEmpty());
}

void ReportPrinterTest::pdfPagesFollowTheRowCount() {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("report.pdf"));
    const QString scratch = QString::fromStdString(dir.file("scratch.pdf"));
    for (const QPageSize& size : {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)}) {
        const int perPage = pdfRowsPerPage(scratch, size);
        QVERIFY(perPage > 20);
        QCOMPARE(printListToPdf(threeColumns(perPage), "盈亏明细打印", path, size, fixedTime),
                 ReportPrinter::JobResult::Printed);
        QCOMPARE(pdfPageCount(path), 1);
        QCOMPARE(printListToPdf(threeColumns(perPage + 1), "盈亏明细打印", path, size, fixedTime),
                 ReportPrinter::JobResult::Printed);
        QCOMPARE(pdfPageCount(path), 2);
    }
    QCOMPARE(printListToPdf(threeColumns(1000), "盈亏明细打印", path, QPageSize(QPageSize::A4),
                            fixedTime),
             ReportPrinter::JobResult::Printed);
    QCOMPARE(pdfPageCount(path), (1000 + pdfRowsPerPage(scratch, QPageSize(QPageSize::A4)) - 1) /
                                     pdfRowsPerPage(scratch, QPageSize(QPageSize::A4)));
}

void ReportPrinterTest::nothingToPrintAndUnwritableFiles() {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("report.pdf"));
    QCOMPARE(printListToPdf(threeColumns(0), "t", path), ReportPrinter::JobResult::NothingToPrint);
    ListTable noColumns{{}, {{"x"}}};
    QCOMPARE(printListToPdf(noColumns, "t", path), ReportPrinter::JobResult::NothingToPrint);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(printListToPdf(threeColumns(2), "t",
                            QString::fromStdString(dir.file("missing/report.pdf"))),
             ReportPrinter::JobResult::CannotStart);
}

// A disk that fills up midway (every write beyond a size fails): the PDF there before is
// kept whole, and no temporary stays.
void ReportPrinterTest::aFailedWriteKeepsTheOldPdf() {
    test::TempDir dir;
    const std::string path = dir.file("report.pdf");
    const QString file = QString::fromStdString(path);
    QCOMPARE(printListToPdf(threeColumns(2), "t", file), ReportPrinter::JobResult::Printed);
    const Bytes before = test::readBytes(path);
    {
        const test::ScopedFileSizeLimit limit(before.size() + 1000);
        QVERIFY(printListToPdf(threeColumns(1000), "t", file) != ReportPrinter::JobResult::Printed);
    }
    QCOMPARE(test::readBytes(path), before);
    QCOMPARE(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files | QDir::Hidden),
             QStringList{"report.pdf"});
}

void ReportPrinterTest::printCommandWithoutPrinterGivesAPdfAndEndsSilentlyWhenCancelled() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed");
    test::TempDir dir;
    const std::string previous = dataDirectory();
    setPrivateInvestDir(dir.path().c_str());
    const QString pdf = QString::fromStdString(dir.file("盈亏明细打印.pdf"));
    test::RecordingMessages messages;
    QString folder;

    {
        DialogAnswer cancel(false);
        PrintList(threeColumns(3), "盈亏明细打印", nullptr, messages, folder);
        QVERIFY(cancel.shown);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(folder.isEmpty());
    }
    {
        DialogAnswer confirm(true);
        PrintList(threeColumns(3), "盈亏明细打印", nullptr, messages, folder);
        QVERIFY(confirm.shown);
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(folder, QFileInfo(pdf).absolutePath());
    }
    {
        // The next PDF is suggested in the folder the last one went to.
        QVERIFY(QDir().mkpath(QString::fromStdString(dir.file("reports"))));
        folder = QString::fromStdString(dir.file("reports"));
        DialogAnswer confirm(true);
        PrintList(threeColumns(3), "交易明细打印", nullptr, messages, folder);
        QCOMPARE(pdfPageCount(QString::fromStdString(dir.file("reports/交易明细打印.pdf"))), 1);
    }
    {
        DialogAnswer none(false);
        PrintList(threeColumns(0), "盈亏明细打印", nullptr, messages, folder);
        QTest::qWait(100);
        QVERIFY(!none.shown);
    }
    QVERIFY(messages.shown.empty());
    setPrivateInvestDir(previous.c_str());
}

void ReportPrinterTest::footerTimeIsTakenBeforeThePrintDialog() {
    test::TempDir dir;
    const std::string previous = dataDirectory();
    setPrivateInvestDir(dir.path().c_str());
    test::RecordingMessages messages;
    std::vector<bool> dialogShownAtClock;
    DialogAnswer* answer = nullptr;
    ReportPrinter report([&] {
        dialogShownAtClock.push_back(answer != nullptr && answer->shown);
        return fixedTime();
    });
    report.setTitle("盈亏明细打印");
    report.setList(threeColumns(3));
    DialogAnswer cancel(false);
    answer = &cancel;
    report.Print(nullptr, messages);
    QVERIFY(cancel.shown);
    QCOMPARE(dialogShownAtClock, std::vector<bool>{false});
    setPrivateInvestDir(previous.c_str());
}

QTEST_MAIN(ReportPrinterTest)
#include "report_printer_test.moc"
