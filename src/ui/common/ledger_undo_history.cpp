#include "ui/common/ledger_undo_history.h"

#include "store/file_backups.h"

namespace fiscora::ui {

void LedgerUndoHistory::recordCommand(const WatchedLedger& before) {
    const FileStamp now = stampOf(before.path);
    if (now == before.stamp) return;
    if (const auto version =
            now.exists ? versionMatching(before.path, before.stamp) : std::nullopt) {
        changes_.push_back({before.gbkName, before.path, version->path, before.stamp, now});
        return;
    }
    // This window changed the file without keeping what it replaced (protection turned on or
    // off drops the readable versions): neither that change nor any before it can be undone,
    // and 撤销 must not take them for another program's.
    std::erase_if(changes_, [&](const Change& c) { return c.path == before.path; });
}

const LedgerUndoHistory::Change* LedgerUndoHistory::lastChangeOf(const std::string& gbkName) const {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c)
        if (c->gbkName == gbkName) return &*c;
    return nullptr;
}

bool LedgerUndoHistory::untouchedSince(const Change& change) {
    return stampOf(change.path) == change.after;
}

void LedgerUndoHistory::undone(const Change& change, const FileStamp& restoredStamp) {
    const std::string path = change.path;
    const FileStamp replaced = change.before;
    for (auto c = changes_.end(); c != changes_.begin();) {
        --c;
        if (&*c != &change) continue;
        c = changes_.erase(c);
        while (c != changes_.begin()) {
            --c;
            if (c->path != path) continue;
            if (c->after == replaced) c->after = restoredStamp;
            break;
        }
        return;
    }
}

}  // namespace fiscora::ui
