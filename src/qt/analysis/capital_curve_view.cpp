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
    : DialogView(model, parent), model_(model), chart_(new ChartArea(this)),
      menu_(new QMenu(this)) {
    const DialogUnits dlu(font());
    chart_->setDraw([this](ReportCanvas& canvas, int width, int height, Rgb face) {
        model_.curve().draw(canvas, width, height, face);
    });
    chart_->setReadOut([this](CanvasPoint p) { return model_.curve().tooltipAt(p); });
    QAction* dayLedger =
        menu_->addAction(QString::fromUtf8(ui::CapitalCurveDialog::kDayLedgerItem));
    dayLedger->setEnabled(model_.canShowDayLedger());
    connect(dayLedger, &QAction::triggered, this, [this] {
        model_.ShowDayLedger();
        chart_->update();
    });
    chart_->setRightClick([this](CanvasPoint p, QPoint at) {
        if (model_.OnRightClick(p)) menu_->exec(at);
    });

    QListWidget* stocks = stocks_ = listBox(model.stocks);
    auto* group = new QGroupBox(this);
    auto* radios = new QVBoxLayout(group);
    radios_ = radioButtons(model.drawing);
    for (QRadioButton* radio : radios_) {
        radios->addWidget(radio);
        connect(radio, &QRadioButton::clicked, chart_, qOverload<>(&QWidget::update));
    }
    QCheckBox* total = total_ = checkBox(model.total);
    connect(stocks, &QListWidget::currentRowChanged, chart_, qOverload<>(&QWidget::update));
    connect(total, &QCheckBox::clicked, chart_, qOverload<>(&QWidget::update));

    auto* controls = new QVBoxLayout;
    controls->setContentsMargins(dlu.x(4), dlu.y(7), dlu.x(7), dlu.y(7));
    controls->addWidget(stocks, 1);
    controls->addWidget(group);
    controls->addWidget(total);
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

}  // namespace fiscora::qt
