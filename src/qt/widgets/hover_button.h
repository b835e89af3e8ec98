#pragma once

#include <QPushButton>

namespace fiscora::qt {

// The flat push button of every dialog: a face in the dialog colour with a one-pixel frame
// in the text colour, (181,189,214) under the mouse, the caption one pixel right and down
// while pressed, grey when disabled. Each picture is drawn off-screen and copied at once.
class HoverButton : public QPushButton {
public:
    explicit HoverButton(const QString& caption, QWidget* parent = nullptr);

    bool isHovered() const { return hovered_; }
    // The button's picture in its current state.
    QImage render() const;

    QSize sizeHint() const override;

    static constexpr QRgb kHoverFace = qRgb(181, 189, 214);
    static constexpr QRgb kDisabledCaption = qRgb(128, 128, 128);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
};

}  // namespace fiscora::qt
