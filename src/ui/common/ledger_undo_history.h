#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/safe_file.h"

namespace fiscora::ui {

// The ledger of the account a window command acts on: its registry name (GBK) and file.
struct WatchedLedger {
    std::string gbkName;
    std::string path;
    FileStamp stamp;  // as the file was when the command began
};

// The changes this window made to ledgers, for 撤销: for each command that rewrote the
// logged-in account's ledger, the kept version of the file as it was before the command and
// the file as the command left it. Only a file still as this window left it is undone, so a
// change another program made since is never lost.
class LedgerUndoHistory {
public:
    struct Change {
        std::string gbkName;
        std::string path;
        std::string versionPath;  // the kept version of the file before the change
        FileStamp before;         // the file the change replaced
        FileStamp after;          // the file as the change left it
    };

    // After a command: when it changed the watched ledger (the same account's file, now
    // another) and the file as it was is kept as a version, the change is recorded; when it
    // changed it without one, the changes recorded to that file are forgotten.
    void recordCommand(const WatchedLedger& before);

    // The last change recorded to the account's ledger, if any.
    const Change* lastChangeOf(const std::string& gbkName) const;
    // The file is as that change left it: nobody changed it since.
    static bool untouchedSince(const Change& change);
    // That change was undone (the file now holds the version): it is forgotten. The change
    // before it to the same file, when it left the very file this one replaced, left the file
    // as it is now and is the next to undo.
    void undone(const Change& change, const FileStamp& restoredStamp);

private:
    std::vector<Change> changes_;
};

}  // namespace fiscora::ui
