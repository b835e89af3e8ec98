#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/safe_file.h"

namespace fiscora {

// The earlier versions of a data file (a ledger, the registry, the fee table) are kept in
// ".fiscora-backups/" + the file's name, inside the file's own folder: they move with the
// data folder when it is copied, sit on the same file system (so a version is a hard link to
// the replaced file, kept without copying a byte), and are written under the same folder
// lock. The name does not start with ".fiscora-tmp-" and is a folder, so the temporaries'
// clean-up never takes it or anything in it.
inline constexpr std::string_view kBackupFolderName = ".fiscora-backups";

// How many versions of one file are kept: the `recent` newest, plus the newest of each
// local calendar day of the last `days` days; then, oldest first, as many are dropped as
// it takes to stay within `maxBytes` (the newest version is always kept).
struct BackupBounds {
    std::size_t recent = 20;
    int days = 30;
    std::uint64_t maxBytes = std::uint64_t{1} << 30;
};

// One kept version. Its file is named "NNNNNNNNNN-SECONDS": the version's number (counting
// up from 1 for each file) and the time it was replaced (Unix seconds). A version of a file
// that then grew in place (records appended) shares the file's bytes: its name goes on with
// "-BYTES-WRITTENNS", its length and its time of last write, and the version is the first
// BYTES of the file (which only ever grows after them, or is cut back to them). A version of
// a file whose bytes from TAILAT on are then written over in place (a protected ledger's last
// chunk sealed again) is named "-BYTES-WRITTENNS-TAILAT": its first TAILAT bytes are those of
// the file (written over only from TAILAT or later since), the rest, up to BYTES, are the old
// bytes kept beside it in the same name + ".tail". Only files of those names are taken for
// versions and tails, and only they are ever removed.
struct FileVersion {
    std::uint64_t number = 0;
    std::int64_t replacedAt = 0;  // Unix seconds
    std::int64_t writtenNs = 0;   // Unix nanoseconds: the version's own last write
    std::uint64_t bytes = 0;
    std::optional<std::uint64_t> tailAt;  // where its bytes kept beside it begin
    std::string path;
};

// How the file goes on after its version is kept: replaced by a new file (the version keeps
// the old one whole), or grown in place (the version is its first bytes as they are now).
enum class VersionOf { ReplacedFile, GrowingFile };

// The file beside a resealed version that holds its bytes from `tailAt` on.
std::string tailPathOf(const FileVersion& version);

// The folder of the file's versions.
std::string versionFolderOf(const std::string& file);

// Keeps the file's present bytes as its newest version (`now`, Unix seconds, is the time it
// is replaced) and drops the versions beyond `bounds`. Called under the folder's lock just
// before the file is replaced. A version is made in one step (a hard link, or a copy renamed
// into place), so a failure leaves none half made: nothing, when the file does not exist or
// no version could be kept, and for an empty file.
std::optional<FileVersion> keepVersionOf(const std::string& file, std::int64_t now,
                                         const BackupBounds& bounds = {},
                                         VersionOf kind = VersionOf::ReplacedFile);

// Keeps the file as it is now as its newest version, when its bytes from `tailAt` on are
// about to be written over in place and `tail` (a file in the same file system that only
// this program writes) holds them as they are now: the version is a hard link to the file
// and one to `tail` (copies where links fail). Nothing when it could not be kept whole.
std::optional<FileVersion> keepResealedVersionOf(const std::string& file, std::int64_t now,
                                                 std::uint64_t tailAt, const std::string& tail,
                                                 const BackupBounds& bounds = {});

// The file's kept versions, oldest first.
std::vector<FileVersion> versionsOf(const std::string& file);

// The version kept at `path` (named as ours), or nothing.
std::optional<FileVersion> versionAt(const std::string& path);

// Opens the version's bytes: `head` reads the first of its file (as many as are the
// version's own), `tail` the rest kept beside it (a resealed version; left closed, of size
// 0, otherwise). False when they are not all there.
bool openVersion(const FileVersion& version, FileReader& head, FileReader& tail);

// The version's bytes, or nothing when they cannot be read whole.
std::optional<Bytes> readVersion(const FileVersion& version);

// Removes one kept version and its tail (of our own naming only).
void dropVersion(const FileVersion& version);

// The newest version holding the file as `stamp` described it (same size and time of last
// write), if it is kept.
std::optional<FileVersion> versionMatching(const std::string& file, const FileStamp& stamp);

// "YYYY-MM-DD HH:MM:SS" in local time.
std::string localTimeText(std::int64_t unixSeconds);

}  // namespace fiscora
