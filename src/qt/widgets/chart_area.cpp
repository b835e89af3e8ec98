#include "qt/widgets/chart_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "qt/output/canvas_picture.h"

namespace fiscora::qt {
namespace {

CanvasPoint canvasPoint(QPoint p) {
    return {p.x(), p.y()};
}

}  // namespace

ChartArea::ChartArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage ChartArea::picture(qreal pixelRatio) const {
    const Rgb face = rgbOf(palette().color(QPalette::Window));
    return canvasPicture(size(), pixelRatio, face, [&](ReportCanvas& canvas) {
        if (draw_) draw_(canvas, width(), height(), face);
    });
}

QImage ChartArea::render() const {
    return picture(1);
}

QString ChartArea::readOutAt(QPoint point) const {
    if (!readOut_) return {};
    const auto text = readOut_(canvasPoint(point));
    return text ? QString::fromStdString(*text) : QString();
}

void ChartArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture(devicePixelRatioF()));
}

void ChartArea::mouseMoveEvent(QMouseEvent* event) {
    const QString text = readOutAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this, {}, kReadOutMilliseconds);
}

void ChartArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && rightClick_)
        rightClick_(canvasPoint(event->position().toPoint()), event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

}  // namespace fiscora::qt
