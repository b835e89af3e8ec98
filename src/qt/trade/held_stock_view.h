#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/held_stock_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace fiscora::qt {

// The frame of the dialogs that act on a held stock: date, market, the held codes with the
// stock's name, and the shares held; a scheme of M for every N reads as one line.
class HeldStockView : public TransactionView {
public:
    QComboBox* marketBox() const { return market_; }
    QComboBox* codeBox() const { return code_; }
    QLabel* nameLabel() const { return name_; }
    QLineEdit* heldBox() const { return held_; }

protected:
    HeldStockView(ui::HeldStockDialog& model, QWidget* parent);

    // Date, market, code and name, in that order.
    void addStockRows();
    // The scheme as one line of text: caption(N) [N] note(N) [M] note(M).
    void addSchemeRow(QLineEdit* per, QLineEdit* grant);

private:
    QComboBox* market_;
    QComboBox* code_;
    QLabel* name_;
    QLineEdit* held_;
};

}  // namespace fiscora::qt
