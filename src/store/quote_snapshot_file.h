#pragma once

#include <cstddef>
#include <string>

#include "host/quote_snapshot.h"

namespace fiscora {

// A snapshot file is a regular file of at most this size.
inline constexpr std::size_t kMaxSnapshotBytes = 64u << 20;

// Reads a snapshot file into `snapshot`. On failure returns false and sets `error` to a
// message that names the file, or the line ("quotes.txt:3: ...").
bool loadQuoteSnapshot(QuoteSnapshot& snapshot, const std::string& path, std::string& error);

}  // namespace fiscora
