#include "ui/account/statement_import_command.h"

#include <filesystem>

#include "records/gbk_text.h"
#include "ui/account/statement_import_dialog.h"

namespace fiscora::ui {
namespace {

std::string fileError(StatementFileStatus status, const std::string& path) {
    switch (status) {
    case StatementFileStatus::Ok: break;
    case StatementFileStatus::Missing: return "找不到文件" + path;
    case StatementFileStatus::CannotOpen: return "不能打开文件" + path;
    case StatementFileStatus::TooLarge: return "文件太大，不是交割单：" + path;
    }
    return {};
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

PreparedImport prepareStatementImport(const Workspace& workspace, const AccountInfo& account,
                                      const std::string& path,
                                      const std::optional<std::string>& mappingPath) {
    std::optional<StatementLayout> layout;
    if (mappingPath) {
        const StatementFile mapping = readStatementFile(*mappingPath);
        if (mapping.status != StatementFileStatus::Ok)
            return {std::nullopt, fileError(mapping.status, *mappingPath)};
        MappingResult parsed = parseStatementMapping(mapping.text);
        if (!parsed.layout) return {std::nullopt, parsed.error};
        layout = std::move(parsed.layout);
    }
    const StatementFile statement = readStatementFile(path);
    if (statement.status != StatementFileStatus::Ok)
        return {std::nullopt, fileError(statement.status, path)};
    const StatementReading reading =
        readStatement(statement.text, layout, statementAccountOf(fieldText(account.tradeType)));
    if (!reading.error.empty()) return {std::nullopt, reading.error};
    return {previewImport(workspace.ledger, reading), {}};
}

bool bookStatementImport(CommandContext& window, const GuardedAccount& account,
                         const ImportPreview& preview) {
    const bool booked = bookImport(window.workspace(), account.info, preview);
    window.refreshHoldingList();
    return booked;
}

void importStatementFile(CommandContext& window, const GuardedAccount& account,
                         const std::string& path) {
    const std::string mapping = window.workspace().dataDirectory() + kStatementMappingFile;
    const bool hasMapping = std::filesystem::is_regular_file(mapping);
    PreparedImport prepared =
        prepareStatementImport(window.workspace(), account.info, path,
                               hasMapping ? std::optional<std::string>(mapping) : std::nullopt);
    if (!prepared.preview) {
        window.messages().error(prepared.error);
        return;
    }
    StatementImportDialog dialog(window.messages(), account.name, fileNameOf(path),
                                 std::move(*prepared.preview));
    if (!window.dialogs().run(dialog)) return;
    bookStatementImport(window, account, dialog.preview());
}

void OnImportStatement(CommandContext& window,
                       const std::function<std::optional<std::string>()>& chooseFile) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const auto path = chooseFile();
    if (!path) return;
    importStatementFile(window, *account, *path);
}

}  // namespace fiscora::ui
