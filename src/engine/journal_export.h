#pragma once

#include <cstdint>
#include <string>

#include "records/ledger_record.h"

namespace fiscora {

enum class JournalFormat { Hledger, Beancount };

// A ledger as a plain-text accounting journal, UTF-8: one transaction per record in the
// ledger's order (cash in assets:broker:cash, each stock a commodity of its own, SZ or SH
// followed by its code, in assets:broker:<commodity>; fees in expenses:fees, dividends in
// income:dividends, deposits and withdrawals against equity:transfers, anything else
// against income:other), then each traded stock's daily closes from its bar files below
// `hostDirectory` from the earliest record up to `lastDay` as price directives. Money is in
// CNY rounded to 0.001 per posting, so each transaction balances exactly.
struct JournalText {
    std::string text;
    std::string refusal;  // why the ledger cannot be written so; then `text` is empty
};
JournalText journalText(const Ledger& ledger, JournalFormat format,
                        const std::string& hostDirectory, std::int32_t lastDay);

// The ledger as CSV (RFC 4180: CRLF line ends, fields with a comma, quote or line break in
// quotes, quotes doubled), UTF-8, a header line of the column names, numbers as the
// shortest text that reads back as the same double.
std::string ledgerCsv(const Ledger& ledger);

}  // namespace fiscora
