#pragma once

#include <QWidget>

#include "ui/main/splitter.h"

namespace fiscora::qt {

// The area below the toolbar holding the account tree and the holdings list side by
// side. It feeds the splitter its content rectangle and the mouse, and places the two
// panes where the splitter says.
class SplitPaneArea : public QWidget {
public:
    SplitPaneArea(ui::Splitter& splitter, QWidget* parent);

    void setPanes(QWidget* tree, QWidget* list);
    // Puts the splitter at its starting place for the current size.
    void startSplitter();

    // The content rectangle: the area less the 4 pixels at its top.
    ui::PixelRect content() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void placePanes();
    void showFeedback();

    ui::Splitter& splitter_;
    QWidget* tree_ = nullptr;
    QWidget* list_ = nullptr;
    QWidget* feedback_;
};

}  // namespace fiscora::qt
