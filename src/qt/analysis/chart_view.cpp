#include "qt/analysis/chart_view.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QShortcut>
#include <QToolTip>
#include <QVBoxLayout>

#include "qt/analysis/legend_list.h"
#include "qt/analysis/profit_chart_area.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

using Paging = ui::ChartDialog::Paging;
using Key = ui::ChartDialog::Key;

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

    auto* kindBox = new QGroupBox(this);
    kinds_ = radios(model_.kindRadios, kindBox);
    auto* scopeBox = new QGroupBox(this);
    scopes_ = radios(model_.scopeRadios, scopeBox);

    auto* pagingBox = new QGroupBox(this);
    auto* pagingGrid = new QGridLayout(pagingBox);
    const char* captions[] = {"前移一项", "后移一项", "向前翻页", "向后翻页"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new HoverButton(QString::fromUtf8(captions[i]), pagingBox);
        paging_[i] = button;
        pagingGrid->addWidget(button, i % 2, i / 2);
        connect(button, &QAbstractButton::clicked, this, [this, i] {
            model_.OnPaging(Paging(i));
            showChart();
        });
    }

    const std::pair<int, Key> keys[] = {
        {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_Up, Key::Up},     {Qt::Key_PageDown, Key::PageDown},
        {Qt::Key_Down, Key::Down},     {Qt::Key_Left, Key::Left}, {Qt::Key_Right, Key::Right}};
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, action] {
            model_.OnKey(action);
            showChart();
        });
    }

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
    sideColumn->addWidget(kindBox);
    sideColumn->addWidget(scopeBox);
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

// The dialog opens after OnInitDialog drew its first chart.
void ChartView::showEvent(QShowEvent* event) {
    DialogView::showEvent(event);
    showChart();
}

QButtonGroup* ChartView::radios(ui::ChoiceField& field, QWidget* box) {
    auto* group = new QButtonGroup(this);
    auto* column = new QVBoxLayout(box);
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromStdString(field.items[i]), box);
        radio->setFocusPolicy(Qt::NoFocus);
        column->addWidget(radio);
        group->addButton(radio, static_cast<int>(i));
    }
    connect(group, &QButtonGroup::idClicked, this, [this, &field](int index) {
        model_.pickItem(field, index);
        showChart();
    });
    return group;
}

// Model -> widgets: the radios, the legend and the paging buttons as the model has them.
void ChartView::showChart() {
    if (auto* kind = kinds_->button(model_.kindRadios.selected)) kind->setChecked(true);
    if (auto* scope = scopes_->button(model_.scopeRadios.selected)) scope->setChecked(true);
    legend_->setEntries(model_.legend());
    const ui::PagingButtons& enabled = model_.pagingButtons();
    paging_[int(Paging::PreviousItem)]->setEnabled(enabled.previousItem);
    paging_[int(Paging::NextItem)]->setEnabled(enabled.nextItem);
    paging_[int(Paging::PreviousPage)]->setEnabled(enabled.previousPage);
    paging_[int(Paging::NextPage)]->setEnabled(enabled.nextPage);
}

}  // namespace fiscora::qt
