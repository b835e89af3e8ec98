#include <QImage>
#include <QTest>

#include "qt/widgets/chart_area.h"
#include "qt_test_registry.h"

using fiscora::CanvasPoint;
using fiscora::ReportCanvas;
using fiscora::Rgb;
using fiscora::qt::ChartArea;

class ChartAreaTest : public QObject {
    Q_OBJECT

private slots:
    void drawsTheModelsPictureOnTheFaceColour() {
        ChartArea area;
        area.resize(120, 80);
        QImage blank = area.render();
        QCOMPARE(blank.size(), QSize(120, 80));
        QCOMPARE(QColor(blank.pixel(5, 5)), area.palette().color(QPalette::Window));
        area.setDraw([](ReportCanvas& canvas, int width, int height, Rgb face) {
            canvas.fill({0, 0, width, height}, face);
            canvas.fill({10, 10, 20, height}, Rgb{255, 0, 0});
        });
        const QImage drawn = area.render();
        QCOMPARE(drawn.pixel(15, 79), qRgb(255, 0, 0));
        QCOMPARE(QColor(drawn.pixel(25, 79)), area.palette().color(QPalette::Window));
    }

    void readOutsAndRightClicksReachTheModelWithThePoint() {
        ChartArea area;
        area.resize(120, 80);
        area.setReadOut([](CanvasPoint p) -> std::optional<std::string> {
            if (p.x < 60) return std::nullopt;
            return "时间:" + std::to_string(p.x);
        });
        QCOMPARE(area.readOutAt({30, 5}), QString());
        QCOMPARE(area.readOutAt({70, 5}), QStringLiteral("时间:70"));
        CanvasPoint clicked{-1, -1};
        area.setRightClick([&](CanvasPoint p, QPoint) { clicked = p; });
        QTest::mouseClick(&area, Qt::LeftButton, {}, {30, 40});
        QCOMPARE(clicked.x, -1);
        QTest::mouseClick(&area, Qt::RightButton, {}, {30, 40});
        QCOMPARE(clicked.x, 30);
        QCOMPARE(clicked.y, 40);
    }
};

FISCORA_QT_TEST(ChartAreaTest)
#include "chart_area_test.moc"
