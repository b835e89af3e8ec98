#pragma once

#include "qt/trade/held_stock_view.h"
#include "ui/trade/bonus_shares_dialog.h"

namespace fiscora::qt {

// 送股: date, market, the held codes and the name, the shares held, the scheme, the bonus
// count and the remark.
class BonusSharesView : public HeldStockView {
public:
    BonusSharesView(ui::BonusSharesDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt
