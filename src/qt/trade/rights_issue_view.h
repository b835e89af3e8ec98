#pragma once

#include "qt/trade/held_stock_view.h"
#include "ui/trade/rights_issue_dialog.h"

namespace fiscora::qt {

// 配股: date, market, the held codes and the name, the scheme, the shares held, the most
// that may be subscribed, the quantity and price subscribed, the fee, the expense, the
// cash and the remark.
class RightsIssueView : public HeldStockView {
public:
    RightsIssueView(ui::RightsIssueDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt
