#pragma once

#include <string>

#include "records/ledger_record.h"

namespace fiscora {

// What names a ledger record whatever its position: eight hexadecimal digits of the digest
// of its 200 bytes, but for the ledger view's working row, which every filter changes. A record
// changed in any byte gets another identity (but for a chance of 2^-32); two records with the same
// bytes share one, which is harmless, as either is the record meant.
std::string recordIdentity(const LedgerRecord& record);

}  // namespace fiscora
