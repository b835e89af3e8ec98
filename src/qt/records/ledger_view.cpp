#include "qt/records/ledger_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {
namespace {

// The toolbar's 查看流水帐 picture marks every row.
constexpr int kLedgerImage = 2;

QLabel* caption(const ui::Field& field, QWidget* parent) {
    return new QLabel(QString::fromStdString(field.label), parent);
}

}  // namespace

LedgerView::LedgerView(ui::LedgerViewDialog& model, QWidget* parent)
    : DialogView(model, parent), model_(model), byTime_(checkBox(model.byTime)),
      byKind_(checkBox(model.byKind)), byCode_(checkBox(model.byCode)),
      from_(datePicker(model.fromDate)), to_(datePicker(model.toDate)), kind_(dropDown(model.kind)),
      code_(lineEdit(model.code)),
      list_(table(model.list, [](int) { return toolbarIcon(kLedgerImage); })),
      tradeType_(text(model.tradeType)), currency_(text(model.currency)),
      balance_(text(model.balance)),
      show_(command("显示流水帐", &ui::LedgerViewDialog::OnShowLedger)),
      save_(command("数据存盘", &ui::LedgerViewDialog::OnSave)),
      print_(command("数据打印", &ui::LedgerViewDialog::OnPrint)),
      modify_(command("修改", &ui::LedgerViewDialog::OnModify)),
      delete_(command("删除", &ui::LedgerViewDialog::OnDelete)), menu_(new QMenu(this)) {
    connect(menu_->addAction(QStringLiteral("删除")), &QAction::triggered, this,
            [this] { run(&ui::LedgerViewDialog::OnDelete); });
    connect(menu_->addAction(QStringLiteral("修改")), &QAction::triggered, this,
            [this] { run(&ui::LedgerViewDialog::OnModify); });

    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = list_->indexAt(at);
        if (!index.isValid()) return;
        model_.pickRow(model_.list, index.row());
        refresh();
        menu_->exec(QCursor::pos());
    });
    connect(list_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        model_.OnRemarkClick(index.row(), index.column());
        refresh();
    });
    connect(list_, &QAbstractItemView::doubleClicked, this,
            [this] { run(&ui::LedgerViewDialog::OnDoubleClick); });

    const DialogUnits dlu(font());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(7), dlu.y(7), dlu.x(7), dlu.y(7));
    layout->setSpacing(dlu.y(5));
    auto* top = new QHBoxLayout;
    auto* account = new QGridLayout;
    account->addWidget(caption(model.tradeType, this), 0, 0);
    account->addWidget(tradeType_, 0, 1);
    account->addWidget(caption(model.currency, this), 1, 0);
    account->addWidget(currency_, 1, 1);
    account->setRowStretch(2, 1);
    top->addLayout(account);
    top->addSpacing(dlu.x(20));
    top->addLayout(filterRows(), 1);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(bottomRow());

    resize(sizeHint().width(), dlu.y(300));
}

// The columns are fitted to the rows when the list is filled, after the layout was made:
// the window opens wide enough to show every column.
void LedgerView::showEvent(QShowEvent* event) {
    const int listWidth = list_->horizontalHeader()->length() + 2 * list_->frameWidth() +
                          list_->verticalScrollBar()->sizeHint().width();
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    if (width() < listWidth + margins) resize(listWidth + margins, height());
    DialogView::showEvent(event);
}

QLayout* LedgerView::filterRows() {
    const DialogUnits dlu(font());
    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(dlu.x(4));
    filters->addWidget(new QLabel(QStringLiteral("查看条件："), this), 0, 0);
    filters->addWidget(byTime_, 0, 1);
    filters->addWidget(captionOf(from_), 0, 2, Qt::AlignRight);
    filters->addWidget(from_, 0, 3);
    filters->addWidget(captionOf(to_), 0, 4);
    filters->addWidget(to_, 0, 5);
    filters->addWidget(byKind_, 1, 1);
    filters->addWidget(kind_, 1, 3);
    filters->addWidget(byCode_, 2, 1);
    filters->addWidget(captionOf(code_), 2, 2, Qt::AlignRight);
    filters->addWidget(code_, 2, 3);
    filters->addWidget(show_, 2, 5);
    filters->setColumnStretch(6, 1);
    code_->setMaximumWidth(from_->sizeHint().width());
    return filters;
}

QLayout* LedgerView::bottomRow() {
    const DialogUnits dlu(font());
    auto* row = new QHBoxLayout;
    row->addWidget(caption(model_.balance, this));
    row->addWidget(balance_);
    row->addStretch(1);
    for (QWidget* button : {static_cast<QWidget*>(save_), static_cast<QWidget*>(print_),
                            static_cast<QWidget*>(modify_), static_cast<QWidget*>(delete_),
                            static_cast<QWidget*>(okButton())}) {
        row->addSpacing(dlu.x(4));
        row->addWidget(button);
    }
    return row;
}

HoverButton* LedgerView::command(const char* caption, void (ui::LedgerViewDialog::*action)()) {
    auto* button = new HoverButton(QString::fromUtf8(caption), this);
    connect(button, &QPushButton::clicked, this, [this, action] { run(action); });
    return button;
}

void LedgerView::run(void (ui::LedgerViewDialog::*action)()) {
    (model_.*action)();
    refresh();
}

}  // namespace fiscora::qt
