#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "output/report_canvas.h"

namespace fiscora::qt {

// Shows a chart composed off-screen at the screen's pixel ratio and copied in one step, and
// reports the mouse moving over it.
class ChartArea : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(ReportCanvas&)>;

    explicit ChartArea(QWidget* parent = nullptr);

    // What the area shows: drawn again on `refresh` and whenever the pixel ratio changes.
    void setDrawing(Drawing drawing) { drawing_ = std::move(drawing); }
    void refresh();
    const QImage& picture() const { return picture_; }
    // The dialog face colour the picture starts in.
    Rgb face() const;

    QSize sizeHint() const override { return {400, 300}; }

signals:
    void mouseMoved(QPoint position, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Drawing drawing_;
    QImage picture_;
};

}  // namespace fiscora::qt
