#include "store/quote_snapshot_file.h"

#include "store/safe_file.h"

namespace fiscora {

bool loadQuoteSnapshot(QuoteSnapshot& snapshot, const std::string& path, std::string& error) {
    const ReadResult file = readWholeFile(path, OpenMode::ReadOnly, kMaxSnapshotBytes);
    if (file.status == ReadStatus::TooLarge) {
        error = path + ": larger than " + std::to_string(kMaxSnapshotBytes >> 20) + " MiB";
        return false;
    }
    if (file.status != ReadStatus::Ok) {
        error = path +
                (file.error == FileError::NotRegular ? ": not a regular file" : ": cannot be read");
        return false;
    }
    return snapshot.parse(std::string(file.bytes.begin(), file.bytes.end()), path, error);
}

}  // namespace fiscora
