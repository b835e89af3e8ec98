#pragma once

#include <functional>

#include "output/report_canvas.h"

namespace fiscora::ui {

// Where a chart dialog shows its pictures: each one is drawn off-screen through the canvas
// and shown in one step when the drawing answers that it drew.
class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    virtual bool compose(const std::function<bool(ReportCanvas&)>& draw) = 0;
    // The chart rectangle, from (0, 0).
    virtual ReportRect area() const = 0;
    // The dialog face colour pictures start in.
    virtual Rgb face() const = 0;
};

}  // namespace fiscora::ui
