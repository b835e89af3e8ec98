#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/records/ledger_view_dialog.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace fiscora::qt {

class HoverButton;

// 个人流水帐: the trade type and currency, the three filters with their check boxes and
// 显示流水帐, the list, the cash balance and the buttons 数据存盘, 数据打印, 修改, 删除 and
// 关闭. A click on a 备注 cell shows the remark, a double-click edits the row, a right click
// on a row offers 删除 and 修改.
class LedgerView : public DialogView {
public:
    LedgerView(ui::LedgerViewDialog& model, QWidget* parent);

    QCheckBox* timeBox() const { return byTime_; }
    QCheckBox* kindBox() const { return byKind_; }
    QCheckBox* codeBox() const { return byCode_; }
    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QComboBox* kindList() const { return kind_; }
    QLineEdit* codeEdit() const { return code_; }
    QTableView* list() const { return list_; }
    QLabel* balanceLabel() const { return balance_; }
    HoverButton* showButton() const { return show_; }
    HoverButton* saveButton() const { return save_; }
    HoverButton* printButton() const { return print_; }
    HoverButton* modifyButton() const { return modify_; }
    HoverButton* deleteButton() const { return delete_; }
    // The context menu of a row: 删除, 修改.
    QMenu* rowMenu() const { return menu_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A button that runs one of the model's commands.
    HoverButton* command(const char* caption, void (ui::LedgerViewDialog::*action)());
    void run(void (ui::LedgerViewDialog::*action)());
    QLayout* filterRows();
    QLayout* bottomRow();

    ui::LedgerViewDialog& model_;
    QCheckBox* byTime_;
    QCheckBox* byKind_;
    QCheckBox* byCode_;
    QDateEdit* from_;
    QDateEdit* to_;
    QComboBox* kind_;
    QLineEdit* code_;
    QTableView* list_;
    QLabel* tradeType_;
    QLabel* currency_;
    QLabel* balance_;
    HoverButton* show_;
    HoverButton* save_;
    HoverButton* print_;
    HoverButton* modify_;
    HoverButton* delete_;
    QMenu* menu_;
};

}  // namespace fiscora::qt
