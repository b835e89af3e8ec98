// Option values as the dialogs check them: the first byte picks a dialog (a deposit, a
// withdrawal, a purchase, a fee-table row, a new account), each further line is the entry
// of the next field in its tab order, entered as a user would (enterFields: the focus moved,
// the text typed or the entry picked or the day chosen), then 确定 is pressed. A confirmed
// booking yields its record. Nothing may crash, whatever the texts.
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "ui/account/new_account_dialog.h"
#include "ui/common/field_entry.h"
#include "ui/records/trade_param_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"

using namespace fiscora;

namespace {

std::unique_ptr<ui::DialogModel> dialogOf(unsigned char pick, Messages& messages,
                                          const TradeParamTable& table) {
    using Cash = ui::CashDialog;
    switch (pick % 5) {
    case 0: return std::make_unique<Cash>(messages, Cash::Mode::Deposit, "fuzz", "元", 1000);
    case 1: return std::make_unique<Cash>(messages, Cash::Mode::Withdrawal, "fuzz", "元", 1000);
    case 2: return std::make_unique<ui::BuyDialog>(messages, "fuzz", "元", 1e6, table);
    case 3: return std::make_unique<ui::TradeParamDialog>(messages);
    default: return std::make_unique<ui::NewAccountDialog>(messages);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::QuietMessages messages;
    const TradeParamTable table;
    const auto dialog = dialogOf(data[0], messages, table);
    dialog->OnInitDialog();

    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    ui::Entries entries;
    for (const ui::Field* field : dialog->tabOrder()) {
        if (rest.empty()) break;
        const auto end = rest.find('\n');
        entries[field->name] = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (ui::enterFields(*dialog, entries)) return 0;
    if (dialog->OnConfirm()) {
        if (auto* booking = dynamic_cast<ui::TransactionDialog*>(dialog.get()))
            booking->confirmedRecord();
    }
    return 0;
}
