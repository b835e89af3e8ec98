#include "ui/common/ledger_undo_history.h"

#include "store/file_backups.h"

namespace fiscora::ui {

void LedgerUndoHistory::recordCommand(const WatchedLedger& before) {
    const FileStamp now = stampOf(before.path);
    if (!now.exists || now == before.stamp) return;
    const auto version = versionMatching(before.path, before.stamp);
    if (!version) return;
    changes_.push_back({before.gbkName, before.path, version->path, before.stamp, now});
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
