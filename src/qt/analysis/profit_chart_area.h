#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "output/report_canvas.h"
#include "ui/analysis/chart_surface.h"

namespace fiscora::qt {

// Shows a chart composed off-screen at the screen's pixel ratio and copied in one step, and
// reports the mouse moving over it. A drawing answers whether it drew; one that did not
// leaves the picture shown as it was.
class ProfitChartArea : public QWidget, public ui::ChartSurface {
    Q_OBJECT
public:
    using Drawing = std::function<bool(ReportCanvas&)>;

    explicit ProfitChartArea(QWidget* parent = nullptr);

    // Draws a new picture now and shows it when something was drawn.
    bool compose(const Drawing& drawing) override;
    ReportRect area() const override { return {0, 0, width(), height()}; }
    // What is drawn again when the picture no longer matches the pixel ratio or the size.
    void setRepaint(Drawing repaint) { repaint_ = std::move(repaint); }
    const QImage& picture() const { return picture_; }
    // The dialog face colour the picture starts in.
    Rgb face() const override;

    QSize sizeHint() const override { return {400, 300}; }

signals:
    void mouseMoved(QPoint position, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Drawing repaint_;
    QImage picture_;
};

}  // namespace fiscora::qt
