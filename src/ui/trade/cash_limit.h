#pragma once

namespace fiscora::ui {

// Whether an account's `cash` covers `amount` (a withdrawal, or the cost of a purchase before
// fees). The whole cash may be spent or taken, whether the amount is the exact balance
// (1000.0004) or the balance as its box shows it ("1000.000"); nothing beyond that.
bool cashCovers(double cash, double amount);

// The largest number of shares at `price` the cash covers, by the same rule, kept within what
// an int shows. 0 for a price that is not above 0.
int affordableQuantity(double cash, double price);

}  // namespace fiscora::ui
