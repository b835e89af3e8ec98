#pragma once

#include <QListWidget>
#include <vector>

#include "ui/analysis/chart_series.h"

namespace fiscora::qt {

// The chart's legend: one owner-drawn line per item, a colour swatch and blue text, on the
// dialog face colour.
class LegendList : public QListWidget {
public:
    explicit LegendList(QWidget* parent = nullptr);

    void setEntries(const std::vector<ui::LegendEntry>& entries);

    static constexpr SizedFont kFont{FontFace::Interface, 14, 0};
    static constexpr int kRowHeight = 16;
};

}  // namespace fiscora::qt
