#include "qt/widgets/hover_button.h"

#include <QImage>
#include <QPainter>

namespace fiscora::qt {

HoverButton::HoverButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize HoverButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {qMax(75, metrics.horizontalAdvance(text()) + 24), qMax(23, metrics.height() + 10)};
}

QImage HoverButton::render() const {
    QImage image(size(), QImage::Format_RGB32);
    const bool pressed = isDown() && isEnabled();
    const QColor ink = palette().color(QPalette::Active, QPalette::WindowText);
    image.fill(hovered_ && !pressed && isEnabled()
                   ? QColor(kHoverFace)
                   : palette().color(QPalette::Active, QPalette::Button));
    QPainter painter(&image);
    painter.setFont(font());
    QRect captionRect = image.rect();
    if (pressed) captionRect.translate(1, 1);
    painter.setPen(isEnabled() ? ink : QColor(kDisabledCaption));
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     text());
    painter.setPen(ink);
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

void HoverButton::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, render());
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    if (!hovered_) {
        hovered_ = true;
        update();
    }
    QPushButton::mouseMoveEvent(event);
}

void HoverButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

}  // namespace fiscora::qt
