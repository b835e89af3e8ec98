#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// The window's commands that book cash, purchases, sales, dividends, bonus shares and rights
// issues. Each runs the account guard, shows its dialog with the account's figures, and
// books the record the confirmed dialog yields: appended to the ledger, the ledger file
// rewritten, and for stock records the holdings recomputed and the list rebuilt with the
// booked stock selected. The stock dialogs open on the list's selected stock.
void OnAddFunds(CommandContext& window);
void OnWithdrawFunds(CommandContext& window);
void OnBuyStock(CommandContext& window);
void OnSellStock(CommandContext& window);
void OnDividend(CommandContext& window);
void OnBonusShares(CommandContext& window);
void OnRightsIssue(CommandContext& window);

}  // namespace fiscora::ui
