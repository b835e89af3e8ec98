#include <QDir>
#include <QImage>
#include <QtTest>

#include "qt/output/headless_picture.h"
#include "support/temp_dir.h"
#include "ui/analysis/capital_curve_chart.h"

using namespace fiscora;

namespace {

QRgb rgb(Rgb c) {
    return qRgb(c.red, c.green, c.blue);
}

}  // namespace

class HeadlessPictureTest : public QObject {
    Q_OBJECT
private slots:
    void theCurveIsSavedAsTheWindowDrawsIt();
    void noPictureWithoutASizeADrawingOrAFolder();
    void aFailedWriteKeepsTheOldPicture();
};

void HeadlessPictureTest::theCurveIsSavedAsTheWindowDrawsIt() {
    test::TempDir dir;
    const std::string path = dir.file("curve.png");
    const DaySeries series = {{1000, 0, 500, 0, 20240101}, {1000, 0, 800, 0, 20240102}};
    ui::CapitalCurveChart chart;
    Rgb background;
    QVERIFY(qt::writePngPicture(path, 255, 100, [&](ReportCanvas& c, Rgb face) {
        background = face;
        chart.DrawCurve(c, series, ui::CurveStyle::Bars, 255, 100, face);
        return true;
    }));
    const QImage image(QString::fromStdString(path));
    QCOMPARE(image.size(), QSize(255, 100));
    QCOMPARE(image.pixel(54, 10), qRgb(255, 0, 0));   // the axis
    QCOMPARE(image.pixel(100, 90), qRgb(255, 0, 0));  // a rising bar
    QCOMPARE(image.pixel(100, 10), rgb(background));  // above it
    QCOMPARE(image.pixel(55, 90), rgb(background));   // the gap round a bar
}

void HeadlessPictureTest::noPictureWithoutASizeADrawingOrAFolder() {
    test::TempDir dir;
    auto something = [](ReportCanvas& c, Rgb) {
        c.fill({0, 0, 5, 5}, kBlack);
        return true;
    };
    QVERIFY(!qt::writePngPicture(dir.file("a.png"), 0, 100, something));
    QVERIFY(!test::fileExists(dir.file("a.png")));
    QVERIFY(!qt::writePngPicture(dir.file("missing/a.png"), 10, 10, something));
    // A drawing that answers it drew nothing leaves no file.
    QVERIFY(
        !qt::writePngPicture(dir.file("b.png"), 10, 10, [](ReportCanvas&, Rgb) { return false; }));
    QVERIFY(!test::fileExists(dir.file("b.png")));
}

// A disk that fills up midway: the picture there before is kept, and no temporary stays.
void HeadlessPictureTest::aFailedWriteKeepsTheOldPicture() {
    test::TempDir dir;
    const std::string path = dir.file("chart.png");
    auto stripes = [](ReportCanvas& c, Rgb) {
        for (int x = 0; x < 1000; x += 3)
            c.fill({x, 0, x + 1, 1000}, Rgb{static_cast<std::uint8_t>(x % 256), 0, 255});
        return true;
    };
    QVERIFY(qt::writePngPicture(path, 10, 10, stripes));
    const Bytes before = test::readBytes(path);
    {
        const test::ScopedFileSizeLimit limit(before.size() + 100);
        QVERIFY(!qt::writePngPicture(path, 1000, 1000, stripes));
    }
    QCOMPARE(test::readBytes(path), before);
    QCOMPARE(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files | QDir::Hidden),
             QStringList{"chart.png"});
}

QTEST_MAIN(HeadlessPictureTest)
#include "headless_picture_test.moc"
