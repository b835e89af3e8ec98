#include "qt/analysis/returns_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/chart_area.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

ReturnsView::ReturnsView(ui::ReturnsDialog& model, QWidget* parent)
    : DialogView(model, parent), chart_(new ChartArea(this)) {
    const DialogUnits dlu(font());
    chart_->setDraw([&model](ReportCanvas& canvas, int width, int height, Rgb face) {
        model.draw(canvas, width, height, face);
    });
    chart_->setMinimumHeight(dlu.y(110));

    auto* choices = new QHBoxLayout;
    choices->setSpacing(dlu.x(3));
    const auto choice = [this, choices, &dlu](QWidget* box) {
        choices->addWidget(captionOf(box));
        choices->addWidget(box);
        choices->addSpacing(dlu.x(4));
    };
    choice(datePicker(model.from));
    choice(datePicker(model.to));
    choice(dropDown(model.periods));
    choice(dropDown(model.stock));
    QLineEdit* code = lineEdit(model.benchmarkCode);
    code->setFixedWidth(dlu.x(36));
    choice(code);
    choice(dropDown(model.benchmarkMarket));
    choices->addStretch(1);

    // Four figures a row: the values, the returns, the drawdown, the benchmark.
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(dlu.x(4));
    ui::TextField* const placed[3][4] = {
        {&model.startValue, &model.endValue, &model.netFlow, &model.irr},
        {&model.twr, &model.maxDrawdown, &model.peakDay, &model.troughDay},
        {&model.recoveryDay, &model.benchmark, &model.excess, nullptr}};
    for (int row = 0; row < 3; ++row) {
        for (int pair = 0; pair < 4; ++pair) {
            if (placed[row][pair] == nullptr) continue;
            QLineEdit* box = lineEdit(*placed[row][pair]);
            box->setMinimumWidth(dlu.x(62));
            figures->addWidget(captionOf(box), row, pair * 2, Qt::AlignRight);
            figures->addWidget(box, row, pair * 2 + 1);
        }
    }
    for (int column : {1, 3, 5, 7}) figures->setColumnStretch(column, 1);

    QTableView* periods = table(model.table, {}, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (HoverButton* button : actionButtons()) buttons->addWidget(button);
    buttons->addWidget(okButton());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(6), dlu.x(7), dlu.y(6));
    layout->setSpacing(dlu.y(4));
    layout->addLayout(choices);
    layout->addLayout(figures);
    // The chart takes most of the height the table does not need.
    layout->addWidget(chart_, 3);
    layout->addWidget(captionOf(periods));
    layout->addWidget(periods, 1);
    layout->addLayout(buttons);
    resize(dlu.size(560, 360));
}

void ReturnsView::refresh() {
    DialogView::refresh();
    chart_->update();
}

}  // namespace fiscora::qt
