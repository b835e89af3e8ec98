#pragma once

#include <optional>
#include <string>

#include "engine/trade_param.h"

namespace fiscora {

// The host's quote function (see quote_source.h for how it is called).
using QuoteCallback = long (*)(const char* code, short market, char* nameOut, float* latestOut,
                               float* prevCloseOut);

// The data directory holds at most this many bytes, the terminating NUL included.
inline constexpr std::size_t kDataDirectoryCapacity = 260;

// State that lives from library load to unload. Everything else belongs to a window.
//
// Sets the default data directory: the whole current directory, a '/' appended unless it
// ends with one, then "invest/". Returns false when the current directory cannot be read
// or the result is longer than the system's path limit.
bool initDefaultDataDirectory();

// Replaces the data directory with `path` verbatim (no separator added), cut to the
// capacity. A null path is ignored.
void setPrivateInvestDir(const char* path);
const std::string& dataDirectory();

void registerQuoteCallback(QuoteCallback callback);
QuoteCallback quoteCallback();

// The fee row used when no row of the parameter table applies: all zero at load, set to
// the standard values at every window start.
TradeParam& defaultTradeParams();
void setStandardDefaultTradeParams();

// The current directory with a trailing '/', or nothing when it cannot be read.
std::optional<std::string> currentDirectory();

}  // namespace fiscora
