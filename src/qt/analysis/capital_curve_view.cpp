#include "qt/analysis/capital_curve_view.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/widgets/chart_area.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

CapitalCurveView::CapitalCurveView(ui::CapitalCurveDialog& model, QWidget* parent)
    : DialogView(model, parent), chart_(new ChartArea(this)) {
    const DialogUnits dlu(font());
    chart_->setDraw([&model](ReportCanvas& canvas, int width, int height, Rgb face) {
        model.curve().draw(canvas, width, height, face);
    });
    chart_->setReadOut([&model](CanvasPoint p) { return model.curve().tooltipAt(p); });
    chart_->setRightClick([this, &model](CanvasPoint p, QPoint at) {
        if (model.OnRightClick(p)) contextMenu()->exec(at);
    });

    auto* group = new QGroupBox(this);
    auto* radios = new QVBoxLayout(group);
    for (QRadioButton* radio : radioButtons(model.drawing)) radios->addWidget(radio);

    auto* controls = new QVBoxLayout;
    controls->setContentsMargins(dlu.x(4), dlu.y(7), dlu.x(7), dlu.y(7));
    controls->addWidget(listBox(model.stocks), 1);
    controls->addWidget(group);
    controls->addWidget(checkBox(model.total));
    controls->addSpacing(dlu.y(6));
    controls->addWidget(okButton());
    auto* side = new QWidget(this);
    side->setLayout(controls);
    side->setFixedWidth(ui::CapitalCurveDialog::kControlsWidth);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chart_, 1);
    layout->addWidget(side);
    resize(dlu.x(472), dlu.y(315));
}

void CapitalCurveView::refresh() {
    DialogView::refresh();
    chart_->update();
}

}  // namespace fiscora::qt
