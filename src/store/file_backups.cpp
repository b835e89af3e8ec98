#include "store/file_backups.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <new>
#include <set>

#include "store/temporary_file.h"

namespace fiscora {
namespace {

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A real folder (not a link to one elsewhere), made when missing.
bool ensureFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

constexpr std::string_view kTailSuffix = ".tail";

// The version's name: its number and time, then, for a file that goes on changing in place,
// its length and time of last write as they are now, and where it is written over from.
std::string versionName(std::uint64_t number, std::int64_t replacedAt, const struct stat* changing,
                        std::optional<std::uint64_t> tailAt) {
    char name[160];
    int length = std::snprintf(name, sizeof name, "%010" PRIu64 "-%" PRId64, number, replacedAt);
    if (changing != nullptr)
        length += std::snprintf(name + length, sizeof name - length, "-%" PRIu64 "-%" PRId64,
                                static_cast<std::uint64_t>(changing->st_size),
                                std::int64_t{changing->st_mtim.tv_sec} * 1000000000 +
                                    changing->st_mtim.tv_nsec);
    if (tailAt) std::snprintf(name + length, sizeof name - length, "-%" PRIu64, *tailAt);
    return name;
}

// The parts of a version's file name between its dashes, each digits only, or nothing.
std::optional<std::vector<std::int64_t>> numbersOf(std::string_view name) {
    std::vector<std::int64_t> numbers;
    while (true) {
        const std::string_view part = name.substr(0, name.find('-'));
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
        // Digits only (no sign), and within 63 bits.
        if (part.empty() || part.front() == '-' || part.front() == '+' || error != std::errc() ||
            end != part.data() + part.size())
            return std::nullopt;
        numbers.push_back(number);
        if (part.size() == name.size()) return numbers;
        name.remove_prefix(part.size() + 1);
    }
}

// The number and time of a version's file name (and the length and time of last write of a
// version of a growing file), or nothing for any other name.
std::optional<FileVersion> parseVersionName(std::string_view name) {
    if (name.size() < 12 || name[10] != '-') return std::nullopt;
    const auto numbers = numbersOf(name);
    if (!numbers || numbers->size() == 3 || numbers->size() > 5) return std::nullopt;
    FileVersion v;
    v.number = static_cast<std::uint64_t>((*numbers)[0]);
    v.replacedAt = (*numbers)[1];
    if (numbers->size() >= 4) {
        v.bytes = static_cast<std::uint64_t>((*numbers)[2]);
        v.writtenNs = (*numbers)[3];
    }
    if (numbers->size() == 5) {
        v.tailAt = static_cast<std::uint64_t>((*numbers)[4]);
        if (*v.tailAt > v.bytes) return std::nullopt;
    }
    return v;
}

bool sharesChangingFile(std::string_view name) {
    return std::count(name.begin(), name.end(), '-') >= 3;
}

bool isRegularOfSize(const std::string& path, std::uint64_t bytes) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uint64_t>(st.st_size) == bytes;
}

// The version named `name` in `folder`: a regular file of our naming.
std::optional<FileVersion> versionIn(const std::string& folder, const std::string& name) {
    auto v = parseVersionName(name);
    if (!v) return std::nullopt;
    v->path = folder + "/" + name;
    struct stat st {};
    if (::lstat(v->path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // Without all of its tail a resealed version is no version.
    if (v->tailAt && !isRegularOfSize(tailPathOf(*v), v->bytes - *v->tailAt)) return std::nullopt;
    // A version of a growing file has its length and time in its name: the file's own are
    // those of its latest growth.
    if (!sharesChangingFile(name)) {
        v->bytes = static_cast<std::uint64_t>(st.st_size);
        v->writtenNs = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    }
    return v;
}

// Copies the file into a temporary of the version folder and renames it to `target`, its
// time of last write kept, for file systems without hard links.
bool copyVersion(const std::string& file, const std::string& target) {
    FileReader source;
    if (source.open(file, OpenMode::ReadOnly) != ReadStatus::Ok) return false;
    TemporaryFile temp;
    if (temp.create(target, 0600) != FileError::None) return false;
    const ByteSink sink(temp.fd());
    if (!sink.copyFrom(source, 0, source.size())) {
        Bytes buffer(std::min<std::size_t>(source.size(), std::size_t{1} << 20));
        for (std::size_t done = 0; done < source.size();) {
            const std::size_t n = std::min(buffer.size(), source.size() - done);
            if (!source.readAt(done, buffer.data(), n) || !sink.put(buffer.data(), n)) return false;
            done += n;
        }
    }
    const timespec times[2] = {
        {0, UTIME_OMIT},
        {source.stamp().modifiedNs / 1000000000, source.stamp().modifiedNs % 1000000000}};
    if (::futimens(temp.fd(), times) != 0) return false;
    return temp.commit() == FileError::None;
}

int localDay(std::int64_t unixSeconds) {
    const std::time_t t = unixSeconds;
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return (tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday;
}

void pruneVersions(const std::string& file, std::int64_t now, const BackupBounds& bounds) {
    std::vector<FileVersion> versions = versionsOf(file);
    std::set<std::uint64_t> kept;
    std::set<int> daysKept;
    // Newest first, so the first version seen of a day is that day's last state.
    for (std::size_t i = versions.size(); i-- > 0;) {
        const FileVersion& v = versions[i];
        const bool recent = versions.size() - i <= bounds.recent;
        const bool withinDays = now - v.replacedAt < std::int64_t{bounds.days} * 86400;
        if (recent || (withinDays && !daysKept.contains(localDay(v.replacedAt)))) {
            kept.insert(v.number);
            daysKept.insert(localDay(v.replacedAt));
        }
    }
    std::uint64_t total = 0;
    for (const FileVersion& v : versions)
        if (kept.contains(v.number)) total += v.bytes;
    for (std::size_t i = 0; i < versions.size(); ++i) {
        const FileVersion& v = versions[i];
        const bool newest = i + 1 == versions.size();
        if (kept.contains(v.number) && (total <= bounds.maxBytes || newest)) continue;
        if (kept.contains(v.number)) total -= v.bytes;
        dropVersion(v);
    }
}

// Removes the tails whose version is gone: left by a version dropped or never made whole
// when the program was killed between its two files.
void removeOrphanTails(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name(e->d_name);
        if (!name.ends_with(kTailSuffix)) continue;
        const std::string version(name.substr(0, name.size() - kTailSuffix.size()));
        const auto v = parseVersionName(version);
        struct stat st {};
        if (v && v->tailAt &&
            ::fstatat(::dirfd(dir), version.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
            errno == ENOENT)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// A second name for `from` at `to`, or a copy of it where links fail.
bool linkOrCopy(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 || copyVersion(from, to);
}

// Keeps the file as its newest version; with `tailAt`, a resealed one whose bytes from there
// on are in `tail`.
std::optional<FileVersion> keepVersion(const std::string& file, std::int64_t now,
                                       const BackupBounds& bounds, VersionOf kind,
                                       std::optional<std::uint64_t> tailAt,
                                       const std::string& tail) {
    struct stat st {};
    // An empty file (one just created to be written) holds nothing to go back to.
    if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return std::nullopt;
    if (tailAt && (*tailAt > static_cast<std::uint64_t>(st.st_size) ||
                   !isRegularOfSize(tail, static_cast<std::uint64_t>(st.st_size) - *tailAt)))
        return std::nullopt;
    const std::string top = folderOf(file) + "/" + std::string(kBackupFolderName);
    const std::string folder = versionFolderOf(file);
    if (!ensureFolder(top) || !ensureFolder(folder)) return std::nullopt;
    removeLeftoverTemporaries(folder);
    removeOrphanTails(folder);
    const std::vector<FileVersion> before = versionsOf(file);
    const std::uint64_t number = before.empty() ? 1 : before.back().number + 1;
    const bool changing = kind == VersionOf::GrowingFile || tailAt;
    const std::string path =
        folder + "/" + versionName(number, now, changing ? &st : nullptr, tailAt);
    // The tail first: a version is never listed without it.
    const std::string tailPath = path + std::string(kTailSuffix);
    if (tailAt && !linkOrCopy(tail, tailPath)) return std::nullopt;
    if (!linkOrCopy(file, path)) {
        if (tailAt) ::unlink(tailPath.c_str());
        return std::nullopt;
    }
    pruneVersions(file, now, bounds);
    for (const FileVersion& v : versionsOf(file))
        if (v.number == number) return v;
    return std::nullopt;
}

}  // namespace

std::string versionFolderOf(const std::string& file) {
    return folderOf(file) + "/" + std::string(kBackupFolderName) + "/" + baseNameOf(file);
}

std::string tailPathOf(const FileVersion& version) {
    return version.path + std::string(kTailSuffix);
}

std::optional<FileVersion> keepVersionOf(const std::string& file, std::int64_t now,
                                         const BackupBounds& bounds, VersionOf kind) {
    return keepVersion(file, now, bounds, kind, std::nullopt, {});
}

std::optional<FileVersion> keepResealedVersionOf(const std::string& file, std::int64_t now,
                                                 std::uint64_t tailAt, const std::string& tail,
                                                 const BackupBounds& bounds) {
    return keepVersion(file, now, bounds, VersionOf::GrowingFile, tailAt, tail);
}

std::vector<FileVersion> versionsOf(const std::string& file) {
    std::vector<FileVersion> versions;
    const std::string folder = versionFolderOf(file);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return versions;
    while (const dirent* e = ::readdir(dir)) {
        if (auto v = versionIn(folder, e->d_name)) versions.push_back(*v);
    }
    ::closedir(dir);
    std::sort(versions.begin(), versions.end(),
              [](const FileVersion& a, const FileVersion& b) { return a.number < b.number; });
    return versions;
}

std::optional<FileVersion> versionAt(const std::string& path) {
    return versionIn(folderOf(path), baseNameOf(path));
}

bool openVersion(const FileVersion& version, FileReader& head, FileReader& tail) {
    const std::uint64_t own = version.tailAt.value_or(version.bytes);
    if (head.open(version.path, OpenMode::ReadOnly) != ReadStatus::Ok || head.size() < own)
        return false;
    head.keepFirst(own);
    return !version.tailAt ||
           (tail.open(tailPathOf(version), OpenMode::ReadOnly) == ReadStatus::Ok &&
            tail.size() == version.bytes - own);
}

std::optional<Bytes> readVersion(const FileVersion& version) {
    FileReader head;
    FileReader tail;
    if (!openVersion(version, head, tail)) return std::nullopt;
    Bytes bytes;
    try {
        bytes.resize(version.bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!head.readAt(0, bytes.data(), head.size()) ||
        !tail.readAt(0, bytes.data() + head.size(), tail.size()))
        return std::nullopt;
    return bytes;
}

void dropVersion(const FileVersion& version) {
    const auto named = parseVersionName(baseNameOf(version.path));
    if (!named) return;
    ::unlink(version.path.c_str());
    if (named->tailAt) ::unlink(tailPathOf(version).c_str());
}

std::optional<FileVersion> versionMatching(const std::string& file, const FileStamp& stamp) {
    if (!stamp.exists) return std::nullopt;
    const std::vector<FileVersion> versions = versionsOf(file);
    for (auto v = versions.rbegin(); v != versions.rend(); ++v)
        if (v->bytes == static_cast<std::uint64_t>(stamp.size) && v->writtenNs == stamp.modifiedNs)
            return *v;
    return std::nullopt;
}

std::string localTimeText(std::int64_t unixSeconds) {
    const std::time_t t = unixSeconds;
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

}  // namespace fiscora
