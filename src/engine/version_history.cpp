#include "engine/version_history.h"

#include <algorithm>
#include <cstring>

#include "store/protected_ledger.h"

namespace fiscora {
namespace {

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<Bytes> bytesOf(const std::string& path) {
    ReadResult read = readWholeFile(path, OpenMode::ReadOnly);
    if (read.status != ReadStatus::Ok) return std::nullopt;
    return std::move(read.bytes);
}

}  // namespace

RecordChanges changesBetween(const Bytes& older, const Bytes& newer, const SlotLayout& layout) {
    const std::size_t a = layout.recordsIn(older.size());
    const std::size_t b = layout.recordsIn(newer.size());
    const auto same = [&](std::size_t i, std::size_t j) {
        return std::memcmp(older.data() + layout.header + i * layout.slot,
                           newer.data() + layout.header + j * layout.slot, layout.slot) == 0;
    };
    std::size_t prefix = 0;
    while (prefix < a && prefix < b && same(prefix, prefix)) ++prefix;
    std::size_t suffix = 0;
    while (suffix < a - prefix && suffix < b - prefix && same(a - 1 - suffix, b - 1 - suffix))
        ++suffix;
    const std::size_t fromOlder = a - prefix - suffix;
    const std::size_t fromNewer = b - prefix - suffix;
    const std::size_t edited = std::min(fromOlder, fromNewer);
    return {fromNewer - edited, fromOlder - edited, edited};
}

std::vector<VersionRow> versionHistory(const std::string& file) {
    const SlotLayout layout = slotLayoutOf(baseNameOf(file));
    std::vector<VersionRow> rows;
    const std::vector<FileVersion> versions = versionsOf(file);
    // Newest first, so that each file is read once and compared with the one after it.
    std::optional<Bytes> next = bytesOf(file);
    rows.resize(versions.size());
    for (std::size_t i = versions.size(); i-- > 0;) {
        std::optional<Bytes> bytes = readVersion(versions[i]);
        rows[i].version = versions[i];
        rows[i].records = layout.recordsIn(versions[i].bytes);
        rows[i].protectedLedger = bytes && isProtectedLedger(bytes->data(), bytes->size());
        if (rows[i].protectedLedger)
            rows[i].records = protectedRecordCount(versions[i].bytes).value_or(0);
        else if (bytes && next && !isProtectedLedger(next->data(), next->size()))
            rows[i].toNext = changesBetween(*bytes, *next, layout);
        next = std::move(bytes);
    }
    return rows;
}

}  // namespace fiscora
