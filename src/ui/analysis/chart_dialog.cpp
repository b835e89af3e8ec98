#include "ui/analysis/chart_dialog.h"

namespace fiscora::ui {
namespace {

// The face the pictures start in until a view says its own.
constexpr Rgb kDefaultFace{240, 240, 240};

}  // namespace

ChartDialog::ChartDialog(Messages& messages, const std::string& accountName,
                         std::vector<HoldingRow> rows, ChartKind requested)
    : DialogModel(messages), charts_(std::move(rows), kDefaultFace), requested_(requested) {
    setCaption("图表分析-[" + accountName + "]");
    setButtons({.confirm = "关闭", .cancel = ""});
    declare(kindRadios, "kind");
    kindRadios.items = {"显示投资赢利额条状图", "显示投资赢利率条状图", "显示净资产分布饼图",
                        "显示净赢利分布饼图"};
    kindRadios.selected = static_cast<int>(ChartKind::Profit);
    declare(scopeRadios, "scope");
    scopeRadios.items = {"股票", "帐户"};
    scopeRadios.selected = static_cast<int>(ChartScope::Stock);
    setKeyNavigation(false);
    onChange(kindRadios, [this] { OnKindChanged(); });
    onChange(scopeRadios, [this] { OnKindChanged(); });
    addAction({.caption = "前移一项",
               .run = [this] { OnPaging(false, false); },
               .enabled = [this] { return paging_.previousItem; },
               .keys = {"Left"}});
    addAction({.caption = "后移一项",
               .run = [this] { OnPaging(false, true); },
               .enabled = [this] { return paging_.nextItem; },
               .keys = {"Right"}});
    addAction({.caption = "向前翻页",
               .run = [this] { OnPaging(true, false); },
               .enabled = [this] { return paging_.previousPage; },
               .keys = {"PgUp", "Up"}});
    addAction({.caption = "向后翻页",
               .run = [this] { OnPaging(true, true); },
               .enabled = [this] { return paging_.nextPage; },
               .keys = {"PgDown", "Down"}});
}

void ChartDialog::attach(ChartSurface& surface) {
    surface_ = &surface;
    charts_.setFace(surface.face());
}

bool ChartDialog::compose(const std::function<bool(ReportCanvas&)>& draw) {
    return surface_ != nullptr && surface_->compose(draw);
}

// The stock bars of kind 0 first, then the kind the command asked for.
void ChartDialog::OnInitDialog() {
    DialogModel::OnInitDialog();
    paging_ = {};
    kindRadios.selected = static_cast<int>(ChartKind::Profit);
    scopeRadios.selected = static_cast<int>(ChartScope::Stock);
    OnKindChanged();
    kindRadios.selected = static_cast<int>(requested_);
    OnKindChanged();
}

void ChartDialog::OnKindChanged() {
    if (!surface_) return;
    const ReportRect area = surface_->area();
    compose([&](ReportCanvas& canvas) { return charts_.Draw(canvas, area, kind(), scope()); });
    UpdatePagingButtons();
}

void ChartDialog::OnPaging(bool page, bool forward) {
    compose([&](ReportCanvas& canvas) {
        return page ? charts_.StepPage(canvas, forward) : charts_.StepItem(canvas, forward);
    });
    UpdatePagingButtons();
}

std::optional<std::string> ChartDialog::OnMouseMove(CanvasPoint point) const {
    return charts_.TooltipAt(point);
}

bool ChartDialog::Repaint(ReportCanvas& canvas) {
    return charts_.Repaint(canvas);
}

}  // namespace fiscora::ui
