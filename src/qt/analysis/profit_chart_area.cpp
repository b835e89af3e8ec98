#include "qt/analysis/profit_chart_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/output/canvas_picture.h"

namespace fiscora::qt {

ProfitChartArea::ProfitChartArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Rgb ProfitChartArea::face() const {
    return rgbOf(palette().color(QPalette::Window));
}

bool ProfitChartArea::compose(const Drawing& drawing) {
    bool drawn = false;
    QImage picture = canvasPicture(size(), devicePixelRatioF(), face(), [&](ReportCanvas& canvas) {
        drawn = drawing && drawing(canvas);
    });
    if (!drawn) return false;
    picture_ = std::move(picture);
    update();
    return true;
}

void ProfitChartArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF() ||
        picture_.deviceIndependentSize() != QSizeF(size())) {
        compose(repaint_);
    }
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

void ProfitChartArea::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->globalPosition().toPoint());
}

void ProfitChartArea::resizeEvent(QResizeEvent*) {
    compose(repaint_);
}

}  // namespace fiscora::qt
