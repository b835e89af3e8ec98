#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/held_stock_dialog.h"

namespace fiscora::qt {

// The frame of the dialogs that act on a held stock: date, market, the held codes with the
// stock's name, and the shares held; a scheme of M for every N reads as one line.
class HeldStockView : public TransactionView {
protected:
    // Adds the rows of the market and of the code with the stock's name.
    HeldStockView(ui::HeldStockDialog& model, QWidget* parent);

    // The scheme as one line of text: caption(N) [N] note(N) [M] note(M).
    void addSchemeRow(ui::TextField& per, ui::TextField& grant);
};

}  // namespace fiscora::qt
