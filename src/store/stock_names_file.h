#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "store/safe_file.h"

namespace fiscora {

// Stock names learned from imported statements (证券名称), by code and market (0 深圳,
// 1 上海), the names UTF-8. The names file is UTF-8 text, one stock a line:
// code<TAB>market<TAB>name; lines that do not read so are skipped.
using StockNames = std::map<std::pair<std::string, std::int32_t>, std::string>;

// A names file holds one line a stock; far fewer than this bound.
inline constexpr std::size_t kMaxStockNamesBytes = 16u << 20;

StockNames parseStockNames(const std::string& text);
std::string formatStockNames(const StockNames& names);

// The names at `path`; a missing or unreadable file gives none. `stamp`, when given, is set
// to the stamp of the file read. Never creates anything.
StockNames loadStockNames(const std::string& path, FileStamp* stamp = nullptr);

// Adds `learned` to the file's names (a learned name replaces an older one of the stock)
// and rewrites the file in one piece under its folder's lock; unchanged names leave the
// file untouched. FileError::None when written or nothing was new.
FileError mergeStockNames(const std::string& path, const StockNames& learned);

}  // namespace fiscora
