#include "qt/records/ledger_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

// The toolbar's 查看流水帐 picture marks every row.
constexpr int kLedgerImage = 2;
constexpr int kVisibleRows = 12;

QLabel* caption(const ui::Field& field, QWidget* parent) {
    return new QLabel(QString::fromStdString(field.label), parent);
}

}  // namespace

LedgerView::LedgerView(ui::LedgerViewDialog& model, QWidget* parent) : DialogView(model, parent) {
    QTableView* list = table(
        model.list, [](int) { return toolbarIcon(kLedgerImage); }, kVisibleRows);
    connect(list, &QAbstractItemView::clicked, this, [this, &model](const QModelIndex& index) {
        model.OnRemarkClick(index.row(), index.column());
        refresh();
    });
    QWidget* show = actionButtons().front();

    const DialogUnits dlu(font());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(7), dlu.x(7), dlu.y(7));
    layout->setSpacing(dlu.y(5));
    auto* top = new QHBoxLayout;
    auto* account = new QGridLayout;
    account->addWidget(caption(model.tradeType, this), 0, 0);
    account->addWidget(text(model.tradeType), 0, 1);
    account->addWidget(caption(model.currency, this), 1, 0);
    account->addWidget(text(model.currency), 1, 1);
    account->setRowStretch(2, 1);
    top->addLayout(account);
    top->addSpacing(dlu.x(20));
    top->addLayout(filterRows(model, show), 1);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    layout->addLayout(bottomRow(model, show));

    resize(sizeHint().width(), dlu.y(300));
}

QLayout* LedgerView::filterRows(ui::LedgerViewDialog& model, QWidget* show) {
    const DialogUnits dlu(font());
    QDateEdit* from = datePicker(model.fromDate);
    QDateEdit* to = datePicker(model.toDate);
    QLineEdit* code = lineEdit(model.code);
    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(dlu.x(4));
    filters->addWidget(new QLabel(QStringLiteral("查看条件："), this), 0, 0);
    filters->addWidget(checkBox(model.byTime), 0, 1);
    filters->addWidget(captionOf(from), 0, 2, Qt::AlignRight);
    filters->addWidget(from, 0, 3);
    filters->addWidget(captionOf(to), 0, 4);
    filters->addWidget(to, 0, 5);
    filters->addWidget(checkBox(model.byKind), 1, 1);
    filters->addWidget(dropDown(model.kind), 1, 3);
    filters->addWidget(checkBox(model.byCode), 2, 1);
    filters->addWidget(captionOf(code), 2, 2, Qt::AlignRight);
    filters->addWidget(code, 2, 3);
    filters->addWidget(show, 2, 5);
    filters->setColumnStretch(6, 1);
    code->setMaximumWidth(from->sizeHint().width());
    return filters;
}

QLayout* LedgerView::bottomRow(ui::LedgerViewDialog& model, QWidget* show) {
    const DialogUnits dlu(font());
    auto* row = new QHBoxLayout;
    row->addWidget(caption(model.balance, this));
    row->addWidget(text(model.balance));
    row->addStretch(1);
    for (QWidget* button : actionButtons()) {
        if (button == show) continue;
        row->addSpacing(dlu.x(4));
        row->addWidget(button);
    }
    row->addSpacing(dlu.x(4));
    row->addWidget(okButton());
    return row;
}

}  // namespace fiscora::qt
