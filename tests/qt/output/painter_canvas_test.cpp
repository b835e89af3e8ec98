#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include "qt/output/canvas_picture.h"
#include "qt/output/painter_report_canvas.h"

using namespace fiscora;
using namespace fiscora::qt;

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGrey{200, 200, 200};

QRgb rgb(Rgb c) {
    return qRgb(c.red, c.green, c.blue);
}

// A 200 x 100 picture cleared to grey, drawn on through the canvas.
struct Picture {
    Picture() : image(blank()), painter(&image) {}
    static QImage blank() {
        QImage cleared(200, 100, QImage::Format_RGB32);
        cleared.fill(rgb(kGrey));
        return cleared;
    }
    QRgb at(int x, int y) {
        if (painter.isActive()) painter.end();
        return image.pixel(x, y);
    }
    QImage image;
    QPainter painter;
    ReportFonts fonts;
    PainterReportCanvas canvas{painter, fonts};
};

}  // namespace

class PainterCanvasTest : public QObject {
    Q_OBJECT
private slots:
    void fillsAndColouredLinesKeepTheirEdges();
    void pieSectorsRunCounterClockwiseBetweenTheirRays();
    void textSitsInItsRectangleOnItsBackground();
    void sizedFontsKeepTheirLineHeight();
    void picturesAreDrawnAtTheirPixelRatio();
};

void PainterCanvasTest::fillsAndColouredLinesKeepTheirEdges() {
    Picture p;
    p.canvas.fill({10, 10, 20, 30}, kRed);
    p.canvas.line(50, 5, 50, 40, kBlue);
    p.canvas.line(60, 5, 60, 40);
    p.canvas.ellipse({100, 10, 111, 21}, kRed, kBlue);
    QCOMPARE(p.at(10, 10), rgb(kRed));
    QCOMPARE(p.at(19, 29), rgb(kRed));
    QCOMPARE(p.at(20, 29), rgb(kGrey));
    QCOMPARE(p.at(19, 30), rgb(kGrey));
    QCOMPARE(p.at(50, 20), rgb(kBlue));
    QCOMPARE(p.at(60, 20), rgb(kBlack));
    QCOMPARE(p.at(105, 15), rgb(kRed));
    QCOMPARE(p.at(100, 10), rgb(kGrey));
}

void PainterCanvasTest::pieSectorsRunCounterClockwiseBetweenTheirRays() {
    // Centre (50, 50), radius 40: from three o'clock counter-clockwise to twelve o'clock is
    // the upper right quarter.
    Picture p;
    p.canvas.pie({10, 10, 91, 91}, {90, 50}, {50, 10}, kRed);
    // Both rays at twelve o'clock: the whole circle.
    p.canvas.pie({110, 10, 191, 91}, {150, 10}, {150, 10}, kBlue);
    QCOMPARE(p.at(70, 30), rgb(kRed));
    QCOMPARE(p.at(30, 30), rgb(kGrey));
    QCOMPARE(p.at(30, 70), rgb(kGrey));
    QCOMPARE(p.at(70, 70), rgb(kGrey));
    QCOMPARE(p.at(130, 70), rgb(kBlue));
    QCOMPARE(p.at(170, 30), rgb(kBlue));
}

void PainterCanvasTest::textSitsInItsRectangleOnItsBackground() {
    Picture p;
    const SizedFont font{FontFace::Sans, 15, 5};
    p.canvas.text(font, {10, 10, 190, 90}, "8888",
                  {ColumnAlign::Right, VerticalAlign::Bottom, kBlue, kWhite});
    const TextExtent extent = p.canvas.measure(font, "8888");
    // The white background covers the text's extent at the bottom right, nothing more.
    QCOMPARE(p.at(190 - extent.width - 2, 89), rgb(kGrey));
    QCOMPARE(p.at(189, 90 - extent.height - 2), rgb(kGrey));
    bool blue = false, white = false;
    for (int x = 190 - extent.width; x < 190; ++x) {
        for (int y = 90 - extent.height; y < 90; ++y) {
            blue |= qBlue(p.image.pixel(x, y)) > 200 && qRed(p.image.pixel(x, y)) < 100;
            white |= p.image.pixel(x, y) == rgb(kWhite);
        }
    }
    QVERIFY(blue);
    QVERIFY(white);
}

void PainterCanvasTest::sizedFontsKeepTheirLineHeight() {
    Picture p;
    for (int height : {9, 13, 15, 24}) {
        QVERIFY(p.canvas.measure(SizedFont{FontFace::Interface, height, 0}, "招商银行").height <=
                height);
        QVERIFY(p.canvas.measure(SizedFont{FontFace::Sans, height, 0}, "8").height >= height - 2);
    }
    // A narrow width narrows the text.
    const int narrow = p.canvas.measure(SizedFont{FontFace::Sans, 15, 5}, "12345.678").width;
    const int natural = p.canvas.measure(SizedFont{FontFace::Sans, 15, 0}, "12345.678").width;
    QVERIFY2(narrow < natural, qPrintable(QStringLiteral("%1 %2").arg(narrow).arg(natural)));
}

void PainterCanvasTest::picturesAreDrawnAtTheirPixelRatio() {
    const QImage picture = canvasPicture({100, 50}, 2.0, kGrey, [](ReportCanvas& c) {
        c.fill({10, 10, 20, 20}, kRed);
    });
    QCOMPARE(picture.size(), QSize(200, 100));
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(100, 50));
    QCOMPARE(picture.pixel(20, 20), rgb(kRed));
    QCOMPARE(picture.pixel(39, 39), rgb(kRed));
    QCOMPARE(picture.pixel(40, 40), rgb(kGrey));
    QCOMPARE(picture.pixel(19, 19), rgb(kGrey));
}

QTEST_MAIN(PainterCanvasTest)
#include "painter_canvas_test.moc"
