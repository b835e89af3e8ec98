#include "ui/analysis/chart_notice.h"

namespace fiscora::ui {
namespace {

constexpr SizedFont kNoticeFont{FontFace::Interface, 16, 0};
constexpr Rgb kNoticeGrey{96, 96, 96};

}  // namespace

void drawChartNotice(ReportCanvas& canvas, const ReportRect& area, Rgb face,
                     const std::string& text) {
    canvas.fill(area, face);
    TextStyle style;
    style.horizontal = ColumnAlign::Center;
    style.vertical = VerticalAlign::Center;
    style.colour = kNoticeGrey;
    canvas.text(kNoticeFont, area, text, style);
}

}  // namespace fiscora::ui
