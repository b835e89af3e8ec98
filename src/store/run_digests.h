#pragma once

#include <cstddef>
#include <vector>

#include "store/byte_digest.h"

namespace fiscora {

// The digest of each run of `runBytes` bytes of the buffer (the last run shorter), the runs
// shared out among every core: a ledger's runs of records as read or about to be written.
std::vector<ByteDigest> runDigestsOnAllCores(const void* buffer, std::size_t length,
                                             std::size_t runBytes);

}  // namespace fiscora
