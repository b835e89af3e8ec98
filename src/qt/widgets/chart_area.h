#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "output/report_canvas.h"

namespace fiscora::qt {

// A chart drawn by a model on the canvas: each picture is composed off-screen at the
// widget's size and copied in one step. The mouse's position gets the model's read-out as a
// tooltip; a right click is handed on with the point and the cursor's screen position.
class ChartArea : public QWidget {
public:
    using Draw = std::function<void(ReportCanvas& canvas, int width, int height, Rgb face)>;
    using ReadOut = std::function<std::optional<std::string>(CanvasPoint point)>;
    using RightClick = std::function<void(CanvasPoint point, QPoint globalPosition)>;

    // The read-out stays up this long, as the tooltips of the charts always did.
    static constexpr int kReadOutMilliseconds = 34464;

    explicit ChartArea(QWidget* parent = nullptr);

    void setDraw(Draw draw) { draw_ = std::move(draw); }
    void setReadOut(ReadOut readOut) { readOut_ = std::move(readOut); }
    void setRightClick(RightClick rightClick) { rightClick_ = std::move(rightClick); }

    // The picture as the next repaint draws it.
    QImage render() const;
    // The read-out at a point, as the tooltip shows it.
    QString readOutAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture(qreal pixelRatio) const;

    Draw draw_;
    ReadOut readOut_;
    RightClick rightClick_;
};

}  // namespace fiscora::qt
