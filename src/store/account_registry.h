#pragma once

#include <string>

#include "host/messages.h"
#include "records/account_info.h"
#include "store/data_scrambler.h"
#include "store/safe_file.h"

namespace fiscora {

// "pinfo.dat" in the data directory: the enciphered form of N AccountInfo entries back
// to back, N = length / 192 (trailing bytes ignored). No header, no count.
inline constexpr const char* kRegistryFileName = "pinfo.dat";

std::string registryPath(const std::string& dataDirectory);

// The accounts in file order. A file that cannot be opened (or is beyond the format's
// size) is reported and gives no accounts; a missing one is created empty
// (CreateIfMissing) or just gives no accounts. `stamp`, when given, describes the file read.
AccountList loadRegistry(const std::string& dataDirectory, const DataScrambler& scrambler,
                         Messages& messages, OpenMode mode = OpenMode::CreateIfMissing,
                         FileStamp* stamp = nullptr);

// Rewrites the whole file from the list. A failure is reported and returns false; the
// list in memory keeps the change. On success `stamp`, when given, describes the new file.
bool saveRegistry(const std::string& dataDirectory, const AccountList& accounts,
                  const DataScrambler& scrambler, Messages& messages, FileStamp* stamp = nullptr);

}  // namespace fiscora
