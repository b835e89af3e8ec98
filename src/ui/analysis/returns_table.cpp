#include "ui/analysis/returns_table.h"

#include "engine/number_format.h"
#include "output/ledger_rows.h"

namespace fiscora::ui {
namespace {

using R = const ReturnsRow&;

CellTone plain(R) {
    return CellTone::Plain;
}

std::string amount(double value) {
    return formatAmount(value);
}

}  // namespace

std::string rateText(const std::optional<double>& rate) {
    return rate ? formatPercent(*rate * 100) : std::string();
}

CellTone rateTone(const std::optional<double>& rate) {
    return rate ? toneOf(*rate * 100) : CellTone::Plain;
}

std::string periodName(const std::string& period) {
    if (period == "all") return "全部";
    if (!period.empty() && period.back() == 'y')
        return "最近" + period.substr(0, period.size() - 1) + "年";
    return period + "年";
}

const std::vector<ReturnsColumn>& returnsColumns() {
    constexpr auto kRight = ColumnAlign::Right;
    static const std::vector<ReturnsColumn> columns{
        {{"期间", 70, ColumnAlign::Center}, [](R r) { return periodName(r.period); }, plain},
        {{"起始日期", 110, ColumnAlign::Center},
         [](R r) { return ledgerDateText(r.figures.from); },
         plain},
        {{"截止日期", 110, ColumnAlign::Center},
         [](R r) { return ledgerDateText(r.figures.to); },
         plain},
        {{"期初市值", 100, kRight}, [](R r) { return amount(r.figures.startValue); }, plain},
        {{"期末市值", 100, kRight}, [](R r) { return amount(r.figures.endValue); }, plain},
        {{"净投入资金", 100, kRight}, [](R r) { return amount(r.figures.netFlow()); }, plain},
        {{"已实现盈亏", 100, kRight},
         [](R r) { return amount(r.figures.activity.realisedProfit); },
         [](R r) { return toneOf(r.figures.activity.realisedProfit); }},
        {{"红利", 80, kRight}, [](R r) { return amount(r.figures.activity.dividends); }, plain},
        {{"费用", 80, kRight}, [](R r) { return amount(r.figures.activity.fees); }, plain},
        {{"资金加权年化", 100, kRight},
         [](R r) { return rateText(r.figures.irr); },
         [](R r) { return rateTone(r.figures.irr); }},
        {{"时间加权年化", 100, kRight},
         [](R r) { return rateText(r.figures.twr); },
         [](R r) { return rateTone(r.figures.twr); }},
        {{"最大回撤", 80, kRight},
         [](R r) { return rateText(r.figures.drawdown.depth); },
         [](R r) { return rateTone(-r.figures.drawdown.depth); }},
        {{"基准年化", 90, kRight},
         [](R r) { return rateText(r.figures.benchmark); },
         [](R r) { return rateTone(r.figures.benchmark); }},
        {{"超额收益", 90, kRight},
         [](R r) { return rateText(r.figures.excess); },
         [](R r) { return rateTone(r.figures.excess); }},
    };
    return columns;
}

ListTable returnsTable(const std::vector<ReturnsRow>& rows) {
    ListTable table;
    for (const ReturnsColumn& c : returnsColumns()) table.columns.push_back(c.column);
    for (const ReturnsRow& row : rows) {
        std::vector<std::string> cells;
        for (const ReturnsColumn& c : returnsColumns()) cells.push_back(c.cell(row));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace fiscora::ui
