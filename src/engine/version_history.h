#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/file_backups.h"
#include "store/safe_file.h"
#include "store/slot_layout.h"

namespace fiscora {

// What changed from one version of a file to the next, in records: the records both share at
// the start and at the end are unchanged; of those between, as many as both have are edited,
// the rest added (the newer has more) or removed (it has fewer). A booking adds one, a
// deletion removes one, an edit in place edits one.
struct RecordChanges {
    std::size_t added = 0;
    std::size_t removed = 0;
    std::size_t edited = 0;
    bool operator==(const RecordChanges&) const = default;
};

RecordChanges changesBetween(const Bytes& older, const Bytes& newer, const SlotLayout& layout);

// A kept version as lists show it.
struct VersionRow {
    FileVersion version;
    std::size_t records = 0;
    // To the next version, the last one to the file as it is now; nothing when one of the
    // two could not be read or is a protected ledger (whose bytes say nothing of its records).
    std::optional<RecordChanges> toNext;
    // The version is a protected ledger (enciphered with an account's own key).
    bool protectedLedger = false;
};

// The file's kept versions, oldest first.
std::vector<VersionRow> versionHistory(const std::string& file);

}  // namespace fiscora
