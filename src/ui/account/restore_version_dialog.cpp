#include "ui/account/restore_version_dialog.h"

#include "records/gbk_text.h"
#include "store/ledger_file.h"

namespace fiscora::ui {
namespace {

std::vector<ListColumn> versionColumns() {
    return {{"版本", 50, ColumnAlign::Right},       {"写入时间", 140, ColumnAlign::Center},
            {"替换时间", 140, ColumnAlign::Center}, {"记录数", 60, ColumnAlign::Right},
            {"此后新增", 64, ColumnAlign::Right},   {"此后删除", 64, ColumnAlign::Right},
            {"此后修改", 64, ColumnAlign::Right}};
}

std::string countText(const VersionRow& row, std::size_t RecordChanges::*n) {
    // An enciphered version's bytes say nothing of which records changed.
    if (row.protectedLedger) return {};
    return row.toNext ? std::to_string((*row.toNext).*n) : std::string("?");
}

}  // namespace

std::vector<std::string> versionCells(const VersionRow& row) {
    return {
        std::to_string(row.version.number),    localTimeText(row.version.writtenNs / 1000000000),
        localTimeText(row.version.replacedAt), std::to_string(row.records),
        countText(row, &RecordChanges::added), countText(row, &RecordChanges::removed),
        countText(row, &RecordChanges::edited)};
}

RestoreVersionDialog::RestoreVersionDialog(Workspace& workspace, const AccountInfo& account)
    : DialogModel(workspace.messages()), workspace_(workspace), account_(account) {
    setCaption("恢复帐户" + fieldText(account.name) + "的流水帐");
    setButtons({.confirm = "恢复", .cancel = "关闭"});
    declare(versions, "versions");
    versions.columns = versionColumns();
    versions.cellText = [this](std::size_t row, std::size_t column) {
        return versionCells(rows_.at(row)).at(column);
    };
    declare(version, "version", "版本");
    version.digitsOnly = true;
    version.maxChars = 10;
    setTabOrder({&versions, &version});
    setKeyNavigation(false);
    onChange(versions, [this] {
        if (versions.selected >= 0)
            version.text = std::to_string(rows_.at(versions.selected).version.number);
    });
    onChange(version, [this] {
        const auto row = rowOf(version.text);
        versions.select(row ? static_cast<int>(*row) : -1);
    });
}

void RestoreVersionDialog::OnInitDialog() {
    const std::string path = ledgerPath(workspace_.dataDirectory(), account_);
    rows_ = versionHistory(path);
    versions.rowsReplaced(rows_.size(), false);
    choose(rows_.empty() ? -1 : static_cast<int>(rows_.size()) - 1);
    DialogModel::OnInitDialog();
}

void RestoreVersionDialog::choose(int row) {
    versions.select(row);
    version.text = row < 0 ? std::string() : std::to_string(rows_.at(row).version.number);
}

std::optional<std::size_t> RestoreVersionDialog::rowOf(const std::string& number) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (std::to_string(rows_[i].version.number) == number) return i;
    return std::nullopt;
}

bool RestoreVersionDialog::OnConfirm() {
    if (rows_.empty()) {
        messages().plain("帐户" + fieldText(account_.name) + "没有保存的版本");
        return false;
    }
    const auto row = rowOf(version.text);
    if (!row) {
        messages().plain("请选择一个版本");
        focusOn(version);
        return false;
    }
    const VersionRow& chosen = rows_[*row];
    const std::string question = "确实要将帐户" + fieldText(account_.name) + "的流水帐恢复到版本" +
                                 version.text + "（" +
                                 localTimeText(chosen.version.writtenNs / 1000000000) +
                                 "）吗？现在的流水帐将另存为一个版本，可以撤销。";
    if (!messages().askYesNo(question)) return false;
    return restoreLedger(workspace_.ledgerStore(), account_, chosen.version.path);
}

}  // namespace fiscora::ui
