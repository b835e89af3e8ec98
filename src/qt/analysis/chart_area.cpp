#include "qt/analysis/chart_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/output/canvas_picture.h"

namespace fiscora::qt {

ChartArea::ChartArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Rgb ChartArea::face() const {
    return rgbOf(palette().color(QPalette::Window));
}

bool ChartArea::compose(const Drawing& drawing) {
    bool drawn = false;
    QImage picture = canvasPicture(size(), devicePixelRatioF(), face(), [&](ReportCanvas& canvas) {
        drawn = drawing && drawing(canvas);
    });
    if (!drawn) return false;
    picture_ = std::move(picture);
    update();
    return true;
}

void ChartArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF() ||
        picture_.deviceIndependentSize() != QSizeF(size())) {
        compose(repaint_);
    }
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

void ChartArea::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->globalPosition().toPoint());
}

void ChartArea::resizeEvent(QResizeEvent*) {
    compose(repaint_);
}

}  // namespace fiscora::qt
