#pragma once

#include <optional>
#include <string>

#include "store/change_intent.h"
#include "store/data_scrambler.h"
#include "store/safe_file.h"

namespace fiscora {

// A ledger that only gained records at its end is written by appending them to the file in
// place, instead of writing the whole file again, all or nothing:
//   1. an intent record (ChangeIntent::Kind::Append: the account, the file's device and
//      inode, and its length before, in decimal, as `from`) is written;
//   2. the file as it is is kept as its newest version: a hard link named with its length
//      and time of last write (store/file_backups.h), so it stays exact as the file grows;
//   3. the records are written after the recorded length and flushed with fsync;
//   4. the intent is removed: from then on the append counts.
// An intent left behind (a crash, a kill) is settled by settleInterruptedAppend: the file is
// cut back to the recorded length, so a reader after any crash sees the old or the new file,
// never a piece of a record that was not reported as written.
//
// A protected ledger seals its last chunk again with the new records, so its bytes from that
// chunk's start (`resealFrom`) on are written over. The intent also names that offset (`to`),
// and before anything is written over, the old bytes from there to the end are kept in
// kResealTailFileName (written as every file is, fsync'd, renamed in), which the version
// kept links to as its tail. Settling puts them back and cuts the file to its old length;
// without that file nothing was written over yet, or everything was (it goes only after the
// new bytes are flushed), and the file is left as it is. Only this program creates a file of
// that name.
inline constexpr const char* kResealTailFileName = ".fiscora-intent-tail";

struct InPlaceAppend {
    std::string dataDirectory;
    const DataScrambler& scrambler;
    std::string gbkAccount;
    std::string path;
    FileStamp before;  // the file as it is, under the data folder's lock
    std::optional<off_t> resealFrom;
};

// Appends what `write` puts after the file's recorded length, or from `resealFrom`. The
// caller holds the data folder's lock and has checked that the file is the one `before`
// describes. On failure nothing has changed (the file is as it was, the version dropped)
// and the reason is returned; FileError::None when the append counts.
FileError appendInPlace(const InPlaceAppend& append, const ContentWriter& write);

// Finishes an Append intent found in `dataDirectory`: the ledger file it names, while it is
// still the file the append began on, gets its old bytes back and is cut back to its
// recorded length. False when that could not be done (the intent then stays for a later
// open).
bool settleInterruptedAppend(const std::string& dataDirectory, const ChangeIntent& intent);

}  // namespace fiscora
