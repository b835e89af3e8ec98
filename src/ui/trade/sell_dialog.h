#pragma once

#include <cstdint>
#include <string>

#include "engine/workspace.h"
#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// 卖出股票: one sale of a stock the account holds. It shows the shares held, the shares
// that may be sold on the trade date (those from records dated before it), the fee, the
// net proceeds, the break-even price and the profit against the average price paid.
class SellDialog : public TransactionDialog {
public:
    static constexpr const char* kAction = "卖出股票";
    static constexpr const char* kCodeLabel = "股票代码";
    static constexpr const char* kMarketLabel = "市场类型";
    static constexpr const char* kQuantityLabel = "卖出数量";
    static constexpr const char* kSellableLabel = "可卖数量";
    static constexpr const char* kHeldLabel = "持股数量";
    static constexpr const char* kPriceLabel = "卖出价格";
    static constexpr const char* kCommissionLabel = "佣金支出";
    static constexpr const char* kBreakEvenLabel = "保本价格";
    static constexpr const char* kBreakEvenNote = "[已扣除佣金]";
    static constexpr const char* kIncomeLabel = "总计收入";
    static constexpr const char* kProfitLabel = "浮动盈亏";
    static constexpr const char* kNamePlaceholder = "股票名称";

    // The dialog works on the window's holdings and sellable holdings: it recomputes the
    // holdings when it opens and the sellable ones whenever the trade date changes.
    SellDialog(Messages& messages, std::string accountName, std::string currencyUnit,
               Workspace& workspace);

    void OnInitDialog() override;
    // A code (or a market) was picked.
    void OnCodeSelected();
    void OnDateChanged();
    // The sell quantity or the price box changed.
    void UpdateFigures();
    // With no holdings it closes at once and nothing is sold (see sold()). Otherwise, in
    // order: every box reads back; a quantity; a price; no more than may be sold today.
    bool OnConfirm() override;

    // Fields in tab order, then the read-only ones.
    ChoiceField code;
    ChoiceField market;
    TextField sellQuantity;
    TextField price;
    TextField floatingProfit;
    LabelField nameLabel;
    TextField sellable;
    TextField held;
    TextField commission;
    TextField breakEvenPrice;
    TextField totalIncome;

    // Whether the confirmed dialog sells anything, and what: values read back from the boxes.
    bool sold() const { return sold_; }
    const std::string& chosenCode() const { return chosenCode_; }
    std::int32_t chosenMarketCode() const { return market_; }
    std::uint32_t quantityValue() const { return quantity_; }
    double priceValue() const { return price_; }
    double commissionValue() const { return commission_; }
    double incomeValue() const { return income_; }
    const TradeParam& tradeParam() const { return tradeParam_; }
    // The unit the account's amounts are shown in.
    const std::string& currencyUnit() const { return currencyUnit_; }

private:
    // The position of the selected code in the current market, in `list`, or null.
    const Holding* selectedIn(const Holdings& list) const;
    void showHolding();
    void showSellable();

    std::string currencyUnit_;
    Workspace& workspace_;
    TradeParam tradeParam_{};
    bool sold_ = false;
    std::string chosenCode_;
    std::int32_t market_ = 0;
    std::uint32_t quantity_ = 0;
    double price_ = 0;
    double commission_ = 0;
    double income_ = 0;
};

}  // namespace fiscora::ui
