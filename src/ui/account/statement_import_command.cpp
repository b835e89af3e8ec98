#include "ui/account/statement_import_command.h"

#include <algorithm>
#include <filesystem>

#include "records/gbk_text.h"
#include "ui/account/import_statement_dialog.h"

namespace fiscora::ui {
namespace {

std::string fileError(StatementFileStatus status, const std::string& path) {
    switch (status) {
    case StatementFileStatus::Ok: break;
    case StatementFileStatus::Missing: return "找不到文件" + path;
    case StatementFileStatus::CannotOpen: return "不能打开文件" + path;
    case StatementFileStatus::TooLarge: return "文件太大，不是交割单：" + path;
    case StatementFileStatus::Unreadable: return "文件无法读取，不是文本或Excel工作簿：" + path;
    }
    return {};
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The mapping files to try, by name: those of the folder beside the data directory, then
// the data directory's own.
std::vector<std::string> mappingFilesOf(const std::string& dataDirectory) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& item :
         std::filesystem::directory_iterator(statementMappingFolder(dataDirectory), error)) {
        if (item.is_regular_file(error) && item.path().extension() == ".txt")
            files.push_back(item.path().string());
    }
    std::sort(files.begin(), files.end());
    const std::string own = dataDirectory + kStatementMappingFile;
    if (std::filesystem::is_regular_file(own, error)) files.push_back(own);
    return files;
}

}  // namespace

std::string statementMappingFolder(const std::string& dataDirectory) {
    std::filesystem::path data(dataDirectory);
    if (!data.has_filename()) data = data.parent_path();
    return (data.parent_path() / kStatementMappingFolder).string();
}

PreparedImport prepareStatementImport(const Workspace& workspace, const AccountInfo& account,
                                      const std::string& path,
                                      const std::optional<std::string>& mappingPath,
                                      const ImportOptions& options) {
    StatementLayouts layouts;
    std::vector<std::string> mappingFiles;
    if (mappingPath) {
        mappingFiles.push_back(*mappingPath);
        layouts.builtInToo = false;
    } else {
        mappingFiles = mappingFilesOf(workspace.dataDirectory());
    }
    for (const std::string& mappingFile : mappingFiles) {
        const StatementFile mapping = readStatementFile(mappingFile);
        if (mapping.status != StatementFileStatus::Ok)
            return {std::nullopt, fileError(mapping.status, mappingFile)};
        MappingResult parsed = parseStatementMapping(mapping.text);
        if (!parsed.layout) {
            // A file of the folder is named: the user did not name it.
            const std::string where = mappingPath ? "" : fileNameOf(mappingFile) + "：";
            return {std::nullopt, where + parsed.error};
        }
        layouts.mappings.push_back(std::move(*parsed.layout));
    }
    const StatementFile statement = readStatementFile(path);
    if (statement.status != StatementFileStatus::Ok)
        return {std::nullopt, fileError(statement.status, path)};
    const StatementReading reading =
        readStatement(statement.text, layouts, statementAccountOf(fieldText(account.tradeType)));
    if (!reading.error.empty()) return {std::nullopt, reading.error};
    return {previewImport(workspace.ledger, reading, options), {}};
}

bool bookStatementImport(MainWindowModel& window, const GuardedAccount& account,
                         const ImportPreview& preview) {
    const bool booked = bookImport(window.workspace(), account.info, preview);
    window.refreshHoldingList();
    return booked;
}

void importStatementFile(MainWindowModel& window, const GuardedAccount& account,
                         const std::string& path) {
    PreparedImport prepared =
        prepareStatementImport(window.workspace(), account.info, path, std::nullopt);
    if (!prepared.preview) {
        window.messages().error(prepared.error);
        return;
    }
    ImportStatementDialog dialog(window.messages(), account.name, fileNameOf(path),
                                 std::move(*prepared.preview));
    if (!window.dialogs().run(dialog)) return;
    bookStatementImport(window, account, dialog.preview());
}

void OnImportStatement(MainWindowModel& window,
                       const std::function<std::optional<std::string>()>& chooseFile) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const auto path = chooseFile();
    if (!path) return;
    importStatementFile(window, *account, *path);
}

}  // namespace fiscora::ui
