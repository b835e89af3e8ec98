#pragma once

#include <initializer_list>
#include <string>

#include "qt/widgets/dialog_view.h"
#include "ui/trade/transaction_dialog.h"

class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace fiscora::qt {

class HoverButton;

// The frame every transaction dialog shares: a form of captioned rows (caption, box, and
// a note such as the stock name or the currency unit), then 确定 and 取消 centred below.
class TransactionView : public DialogView {
public:
    QDateEdit* dateEdit() const { return date_; }
    HoverButton* okButton() const { return ok_; }
    HoverButton* cancelButtonWidget() const { return cancel_; }

protected:
    TransactionView(ui::TransactionDialog& model, QWidget* parent);

    // A row of the form. `note` (optional) stands right of the box.
    void addRow(const char* caption, QWidget* box, QWidget* note = nullptr);
    // A row whose widget spans the caption and box columns.
    void addWideRow(QWidget* widget);
    // A read-only figure: shown from the model, never focused.
    QLineEdit* figureBox(ui::TextField& field);
    QLabel* note(const std::string& text);
    // Read-only boxes show the dialog's face colour, as the platform draws them.
    static void showReadOnly(QLineEdit* box);
    // The keyboard order of the fields, as the model's tab order has it.
    void chainTabs(std::initializer_list<QWidget*> widgets);
    // Adds the buttons and fixes the size.
    void finish();

    int numberBoxWidth() const;

private:
    QGridLayout* form_;
    QDateEdit* date_;
    HoverButton* ok_;
    HoverButton* cancel_;
    int rows_ = 0;
};

}  // namespace fiscora::qt
