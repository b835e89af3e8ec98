#include <QImage>
#include <QtTest>

#include "qt/output/headless_png.h"
#include "support/temp_dir.h"
#include "ui/analysis/capital_curve_chart.h"

using namespace fiscora;

class HeadlessPngTest : public QObject {
    Q_OBJECT
private slots:
    void theCurveIsSavedAsTheWindowDrawsIt();
    void noPictureWithoutASizeOrAFolder();
};

void HeadlessPngTest::theCurveIsSavedAsTheWindowDrawsIt() {
    test::TempDir dir;
    const std::string path = dir.file("curve.png");
    const DaySeries series = {{1000, 0, 500, 0, 20240101}, {1000, 0, 800, 0, 20240102}};
    ui::CapitalCurveChart chart;
    const Rgb face{240, 240, 240};
    QVERIFY(qt::writePngPicture(
        255, 100,
        [&](ReportCanvas& c) { chart.DrawCurve(c, series, ui::CurveStyle::Bars, 255, 100, face); },
        path));
    const QImage image(QString::fromStdString(path));
    QCOMPARE(image.size(), QSize(255, 100));
    QCOMPARE(image.pixel(54, 10), qRgb(255, 0, 0));       // the axis
    QCOMPARE(image.pixel(100, 90), qRgb(255, 0, 0));      // a rising bar
    QCOMPARE(image.pixel(100, 10), qRgb(240, 240, 240));  // above it
    QCOMPARE(image.pixel(55, 90), qRgb(240, 240, 240));   // the gap round a bar
}

void HeadlessPngTest::noPictureWithoutASizeOrAFolder() {
    test::TempDir dir;
    auto nothing = [](ReportCanvas&) {};
    QVERIFY(!qt::writePngPicture(0, 100, nothing, dir.file("a.png")));
    QVERIFY(!test::fileExists(dir.file("a.png")));
    QVERIFY(!qt::writePngPicture(10, 10, nothing, dir.file("missing/a.png")));
}

QTEST_MAIN(HeadlessPngTest)
#include "headless_png_test.moc"
