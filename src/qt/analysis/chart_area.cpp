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

void ChartArea::refresh() {
    picture_ = canvasPicture(size(), devicePixelRatioF(), face(), [this](ReportCanvas& canvas) {
        if (drawing_) drawing_(canvas);
    });
    update();
}

void ChartArea::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF()) refresh();
    QPainter(this).drawImage(0, 0, picture_);
}

void ChartArea::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->globalPosition().toPoint());
}

void ChartArea::resizeEvent(QResizeEvent*) {
    refresh();
}

}  // namespace fiscora::qt
