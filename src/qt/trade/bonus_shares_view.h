#pragma once

#include "qt/trade/held_stock_view.h"
#include "ui/trade/bonus_shares_dialog.h"

class QLineEdit;

namespace fiscora::qt {

// 送股: date, market, the held codes and the name, the shares held, the scheme, the bonus
// count and the remark.
class BonusSharesView : public HeldStockView {
public:
    BonusSharesView(ui::BonusSharesDialog& model, QWidget* parent);

    QLineEdit* perEdit() const { return per_; }
    QLineEdit* grantEdit() const { return grant_; }
    QLineEdit* bonusBox() const { return bonus_; }
    QLineEdit* remarkEdit() const { return remark_; }

private:
    QLineEdit* per_;
    QLineEdit* grant_;
    QLineEdit* bonus_;
    QLineEdit* remark_;
};

}  // namespace fiscora::qt
