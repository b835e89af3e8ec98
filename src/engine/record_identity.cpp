#include "engine/record_identity.h"

#include <cstdio>

#include "store/byte_digest.h"

namespace fiscora {

std::string recordIdentity(const LedgerRecord& record) {
    // The ledger view's working row is left out: it changes with every filter.
    LedgerRecord stored = record;
    stored.viewRow = 0;
    const ByteDigest digest = digestOf(&stored, sizeof stored);
    std::uint64_t folded = 0;
    for (const std::uint64_t lane : digest.lanes) folded = (folded ^ lane) * 0x9E3779B97F4A7C15ULL;
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(folded >> 32));
    return text;
}

}  // namespace fiscora
