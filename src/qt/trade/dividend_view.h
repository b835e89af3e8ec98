#pragma once

#include "qt/trade/held_stock_view.h"
#include "ui/trade/dividend_dialog.h"

namespace fiscora::qt {

// 股票分红: date, market, the held codes and the name, the shares held, the dividend per
// share, what is due and the remark.
class DividendView : public HeldStockView {
public:
    DividendView(ui::DividendDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt
