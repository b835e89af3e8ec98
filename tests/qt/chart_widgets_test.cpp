#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "qt/analysis/legend_list.h"
#include "qt/analysis/profit_chart_area.h"
#include "qt_test_registry.h"

using namespace fiscora;
using namespace fiscora::qt;

class ChartWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void chartAreaShowsItsDrawingAndReportsTheMouse() {
        ProfitChartArea area;
        area.resize(120, 80);
        QVERIFY(area.compose([](ReportCanvas& canvas) {
            canvas.fill({10, 10, 30, 30}, {255, 0, 0});
            return true;
        }));
        // A drawing that draws nothing keeps the picture.
        QVERIFY(!area.compose([](ReportCanvas& canvas) {
            canvas.fill({0, 0, 120, 80}, {0, 0, 255});
            return false;
        }));
        const QImage& picture = area.picture();
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(120, 80));
        const qreal ratio = picture.devicePixelRatio();
        QCOMPARE(picture.pixel(int(15 * ratio), int(15 * ratio)), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(int(50 * ratio), int(50 * ratio)),
                 area.palette().color(QPalette::Window).rgb());

        QSignalSpy moved(&area, &ProfitChartArea::mouseMoved);
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 25), area.mapToGlobal(QPointF(20, 25)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&area, &move);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.last().at(0).toPoint(), QPoint(20, 25));
    }

    void legendDrawsSwatchesAndBlueText() {
        LegendList legend;
        legend.resize(200, 100);
        legend.setEntries(
            {{"[600036]招商银行:60.0%", {255, 0, 0}}, {"[000002]万科A:40.0%", {0, 255, 0}}});
        QCOMPARE(legend.count(), 2);
        legend.show();
        QVERIFY(QTest::qWaitForWindowExposed(&legend));
        const QImage image = legend.viewport()->grab().toImage();
        const QRect second = legend.visualItemRect(legend.item(1));
        QCOMPARE(second.height(), LegendList::kRowHeight);
        QCOMPARE(image.pixel(second.left() + 6, second.top() + 8), qRgb(0, 255, 0));
        bool blue = false;
        for (int x = second.left() + LegendList::kRowHeight + 2; x < second.right(); ++x) {
            for (int y = second.top(); y <= second.bottom(); ++y) {
                const QRgb p = image.pixel(x, y);
                blue |= qBlue(p) > 200 && qRed(p) < 120 && qGreen(p) < 120;
            }
        }
        QVERIFY(blue);
    }
};

FISCORA_QT_TEST(ChartWidgetsTest)
#include "chart_widgets_test.moc"
