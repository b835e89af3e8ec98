#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/version_history.h"
#include "engine/workspace.h"
#include "records/account_info.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

// 恢复: the kept versions of an account's ledger, oldest first, each with its time, its
// record count and what changed from it to the next version (the last: to the ledger as it
// is now); 恢复 makes the chosen one the ledger again after asking. Choosing a row puts its
// number in the 版本 box, and typing a number there chooses its row. The present ledger is
// kept as a version in turn, so a restore can be undone.
class RestoreVersionDialog : public DialogModel {
public:
    RestoreVersionDialog(Workspace& workspace, const AccountInfo& account);

    // Reads the versions; the newest is chosen.
    void OnInitDialog() override;
    // The version in the box, after the question, restored; true when it was. Nothing chosen,
    // an unknown number or No keep the dialog open.
    bool OnConfirm() override;

    ListField versions;
    TextField version;

private:
    std::optional<std::size_t> rowOf(const std::string& number) const;
    void choose(int row);

    Workspace& workspace_;
    const AccountInfo& account_;
    std::vector<VersionRow> rows_;
};

// The cells of a version's row in the dialog's list.
std::vector<std::string> versionCells(const VersionRow& row);

}  // namespace fiscora::ui
