#include "qt/main/split_pane_area.h"

#include <QMouseEvent>
#include <QPainter>

namespace fiscora::qt {

namespace {

QRect qRect(const ui::PixelRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

SplitPaneArea::SplitPaneArea(ui::Splitter& splitter, QWidget* parent)
    : QWidget(parent), splitter_(splitter), feedback_(new QWidget(this)) {
    setMouseTracking(true);
    feedback_->setAutoFillBackground(true);
    QPalette dark = feedback_->palette();
    dark.setColor(QPalette::Window, palette().color(QPalette::Dark));
    feedback_->setPalette(dark);
    feedback_->hide();
}

void SplitPaneArea::setPanes(QWidget* tree, QWidget* list) {
    tree_ = tree;
    list_ = list;
    tree_->setParent(this);
    list_->setParent(this);
    feedback_->raise();
}

ui::PixelRect SplitPaneArea::content() const {
    return {0, ui::kContentGapBelowToolbar, width(), height()};
}

void SplitPaneArea::startSplitter() {
    splitter_.start(content());
    placePanes();
}

void SplitPaneArea::placePanes() {
    if (tree_ == nullptr) return;
    const auto panes = splitter_.paneRects();
    tree_->setGeometry(qRect(panes.tree));
    list_->setGeometry(qRect(panes.list));
    update();
}

void SplitPaneArea::showFeedback() {
    if (!splitter_.dragging()) {
        feedback_->hide();
        return;
    }
    const auto c = content();
    feedback_->setGeometry(splitter_.splitPos(), c.top, ui::Splitter::kWidth, c.bottom - c.top);
    feedback_->show();
    feedback_->raise();
}

void SplitPaneArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const auto c = content();
    painter.fillRect(rect(), palette().color(QPalette::Button));
    // The 3-D line between the toolbar and the panes.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(c.left, c.top - ui::kContentGapBelowToolbar, c.right - 1,
                     c.top - ui::kContentGapBelowToolbar);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(c.left, c.top - ui::kContentGapBelowToolbar + 1, c.right - 1,
                     c.top - ui::kContentGapBelowToolbar + 1);
}

void SplitPaneArea::resizeEvent(QResizeEvent*) {
    splitter_.resize(content());
    placePanes();
}

void SplitPaneArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && splitter_.mouseDown(event->position().toPoint().x()))
        showFeedback();
}

void SplitPaneArea::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (splitter_.dragging()) {
        splitter_.mouseMove(x);
        if (!splitter_.dragging()) placePanes();
        showFeedback();
    }
    setCursor(splitter_.showsResizeCursor(x) ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void SplitPaneArea::mouseReleaseEvent(QMouseEvent* event) {
    if (!splitter_.dragging()) return;
    splitter_.mouseUp(event->position().toPoint().x());
    showFeedback();
    placePanes();
}

}  // namespace fiscora::qt
