#include "qt/analysis/trade_details_view.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

QFrame* rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

TradeDetailsView::TradeDetailsView(ui::TradeDetailsDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    const DialogUnits dlu(font());
    const QIcon icon = applicationIcon();
    QTableView* history = table(model.history, [icon](int) { return icon; });
    QPlainTextEdit* remark = textEdit(model.remark);

    // Three figures of the position above the rule, the profits and their rates below it.
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(dlu.x(4));
    const auto place = [this, figures, &dlu](ui::TextField& field, int row, int pair) {
        QLineEdit* box = lineEdit(field);
        box->setMinimumWidth(dlu.x(70));
        figures->addWidget(captionOf(box), row, pair * 2, Qt::AlignRight);
        figures->addWidget(box, row, pair * 2 + 1);
    };
    place(model.heldQty, 0, 0);
    place(model.averagePrice, 0, 1);
    place(model.buyAmount, 0, 2);
    figures->addWidget(rule(this), 1, 0, 1, 6);
    place(model.realisedProfit, 2, 0);
    place(model.realisedRate, 2, 1);
    place(model.currentProfit, 3, 0);
    place(model.currentRate, 3, 1);
    for (int column : {1, 3, 5}) figures->setColumnStretch(column, 1);

    // The remark box as tall as the three buttons stacked beside it.
    auto* buttons = new QVBoxLayout;
    std::vector<QPushButton*> stacked(actionButtons().begin(), actionButtons().end());
    stacked.push_back(okButton());
    for (QPushButton* button : stacked) {
        button->setMinimumWidth(dlu.x(60));
        buttons->addWidget(button);
    }
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(dlu.x(8));
    bottom->addWidget(remark, 1);
    bottom->addLayout(buttons);
    remark->setFixedHeight(buttons->sizeHint().height());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(6), dlu.x(7), dlu.y(6));
    layout->setSpacing(dlu.y(4));
    layout->addLayout(figures);
    layout->addWidget(rule(this));
    layout->addWidget(captionOf(history));
    layout->addWidget(history, 1);
    layout->addWidget(captionOf(remark));
    layout->addLayout(bottom);
    resize(dlu.size(490, 265));
}

}  // namespace fiscora::qt
