#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/trade/transaction_dialog.h"

class QGridLayout;

namespace fiscora::qt {

// The frame every transaction dialog shares: a form of captioned rows (the field's label,
// the box, and the field's note or a given widget such as the stock name), the trade date
// first, then the buttons centred below.
class TransactionView : public DialogView {
protected:
    TransactionView(ui::TransactionDialog& model, QWidget* parent);

    // A row of the form for a bound box; `note` (default: the field's note) stands right
    // of it. A figure box gets the number box width.
    void addRow(QWidget* box, QWidget* note = nullptr);
    // A row of a stock's box with the stock's name beside it.
    void addRowNamed(QWidget* box, ui::LabelField& name);
    // A row whose widget spans the caption and box columns.
    void addWideRow(QWidget* widget);
    // Adds the buttons and fixes the size.
    void finish();

    int numberBoxWidth() const;

private:
    QGridLayout* form_;
    int rows_ = 0;
};

}  // namespace fiscora::qt
