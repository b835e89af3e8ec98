#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/byte_digest.h"

namespace fiscora {

// "<data folder>.fiscora-digests", beside the data folder: for each unprotected ledger file
// this program wrote, a digest of its records as written, so that `verify` can tell a
// ledger that changed since (the original program may have written it; it is still read).
// One line a file: 64 hexadecimal digits, two spaces, the file's name. Only this program
// creates a file of that name. Empty when the data folder has no parent to hold it.
std::string ledgerDigestsPath(const std::string& dataDirectory);

// The digest of a ledger's records from the digests of its runs of records (as
// store/ledger_file.h reads and writes them, 4,096 at a time): BLAKE2b-256, in hexadecimal.
std::string ledgerRecordsDigest(const std::vector<ByteDigest>& runs);

// Records the digest of the ledger file `fileName` (nothing: forgets it). The caller holds
// the data folder's lock. A failure leaves the file as it was and is not reported: the
// digests only inform.
void recordLedgerDigest(const std::string& dataDirectory, const std::string& fileName,
                        const std::optional<std::string>& digest);

// The digest recorded for `fileName`, if any.
std::optional<std::string> recordedLedgerDigest(const std::string& dataDirectory,
                                                const std::string& fileName);

}  // namespace fiscora
