#include "qt/analysis/chart_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "qt/analysis/legend_list.h"
#include "qt/analysis/profit_chart_area.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

constexpr int kDialogWidth = 453;  // dialog units
constexpr int kDialogHeight = 295;
constexpr int kSideWidth = 120;

}  // namespace

ChartView::ChartView(ui::ChartDialog& model, QWidget* parent)
    : DialogView(model, parent), model_(model), area_(new ProfitChartArea(this)),
      legend_(new LegendList(this)) {
    const DialogUnits dlu(font());
    const QSize client = dlu.size(kDialogWidth, kDialogHeight);
    const int side = dlu.x(kSideWidth);
    area_->setFixedSize(client.width() - side - 10, client.height() - 5);
    model_.attach(*area_);
    area_->setRepaint([this](ReportCanvas& canvas) { return model_.Repaint(canvas); });
    connect(area_, &ProfitChartArea::mouseMoved, this, [this](QPoint at, QPoint global) {
        const auto text = model_.OnMouseMove({at.x(), at.y()});
        if (text) {
            QToolTip::showText(global, QString::fromStdString(*text), area_);
        } else {
            QToolTip::hideText();
        }
    });

    auto* sideColumn = new QVBoxLayout;
    sideColumn->addWidget(legend_, 1);
    for (ui::ChoiceField* radios : {&model.kindRadios, &model.scopeRadios}) {
        auto* box = new QGroupBox(this);
        auto* column = new QVBoxLayout(box);
        for (QRadioButton* radio : radioButtons(*radios)) column->addWidget(radio);
        sideColumn->addWidget(box);
    }
    // 前移一项 and 后移一项 in the first column, the pages in the second.
    auto* pagingBox = new QGroupBox(this);
    auto* pagingGrid = new QGridLayout(pagingBox);
    for (std::size_t i = 0; i < actionButtons().size(); ++i)
        pagingGrid->addWidget(actionButtons()[i], static_cast<int>(i % 2), static_cast<int>(i / 2));
    sideColumn->addWidget(pagingBox);
    sideColumn->addWidget(okButton(), 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, dlu.x(4), 5);
    layout->setSpacing(10);
    layout->addWidget(area_, 0, Qt::AlignTop | Qt::AlignLeft);
    layout->addLayout(sideColumn);
    legend_->setFixedWidth(side - dlu.x(4));
    setFixedSize(client);
}

void ChartView::refresh() {
    DialogView::refresh();
    legend_->setEntries(model_.legend());
}

}  // namespace fiscora::qt
