#pragma once

#include <fiscora.h>

#include <optional>
#include <string>

#include "records/trade_param.h"

namespace fiscora {

// The host's quote function, as the public header declares it (see quote_source.h for how
// it is called).
using QuoteCallback = FiscoraQuoteCallback;

// The data directory holds at most this many bytes, the terminating NUL included.
inline constexpr std::size_t kDataDirectoryCapacity = FISCORA_DATA_DIR_SIZE;

// The buffer the host fills with a stock's name, the terminating NUL included.
inline constexpr std::size_t kStockNameBufferSize = FISCORA_STOCK_NAME_SIZE;

// State that lives from library load to unload. Everything else belongs to a window.
//
// Sets the default data directory: the current directory, a '/' appended unless it ends
// with one, then "invest/". Returns false when the current directory cannot be read.
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
