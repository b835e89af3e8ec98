#include "engine/ledger_edits.h"

#include "engine/ledger_change_rules.h"

namespace fiscora {

bool deleteLedgerRecord(Workspace& workspace, const AccountInfo& account, std::size_t index) {
    Ledger& ledger = workspace.ledger;
    if (!mayDeleteRecord(ledger, index)) {
        workspace.messages().plain(kRecordNeededMessage);
        workspace.recomputeHoldings();
        return false;
    }
    ledger.erase(ledger.begin() + static_cast<std::ptrdiff_t>(index));
    const SaveStatus saved = workspace.saveLedgerOf(account);
    workspace.recomputeHoldings();
    return saved != SaveStatus::ChangedOnDisk;
}

bool replaceLedgerRecord(Workspace& workspace, const AccountInfo& account, std::size_t index,
                         const LedgerRecord& edited) {
    workspace.ledger.at(index) = edited;
    const SaveStatus saved = workspace.saveLedgerOf(account);
    // The cash sums and positions kept with the holdings follow the edit (a file another
    // program changed was loaded again, with its own).
    if (saved != SaveStatus::ChangedOnDisk) workspace.recomputeHoldings();
    return saved == SaveStatus::Saved;
}

}  // namespace fiscora
