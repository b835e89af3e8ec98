#include "ui/account/statement_import_command.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "records/gbk_text.h"
#include "ui/account/statement_import_dialog.h"

namespace fiscora::ui {
namespace {

// A statement beyond the limit can be imported in parts; a part that begins on the same day
// the last one ended would take that day's second identical fill for the first one again.
std::string tooLargeMessage(const std::string& path) {
    return "文件太大，超过" + std::to_string(kStatementFileLimit >> 20) + " MB（Excel工作簿" +
           std::to_string(kWorkbookFileLimit >> 20) + " MB）：" + path +
           "。请按日期把交割单分成几个文件，分别导入，并在两天之间分开：同一天的成交若分在两个"
           "文件里，后一个文件中与前面相同的成交会被当作重复而不记入";
}

std::string fileError(StatementFileStatus status, const std::string& path) {
    switch (status) {
    case StatementFileStatus::Ok: break;
    case StatementFileStatus::Missing: return "找不到文件" + path;
    case StatementFileStatus::CannotOpen: return "不能打开文件" + path;
    case StatementFileStatus::TooLarge: return tooLargeMessage(path);
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
    StatementFileReader statement;
    if (const auto status = statement.open(path); status != StatementFileStatus::Ok)
        return {std::nullopt, fileError(status, path)};
    StatementReading reading =
        readStatement(statement, layouts, statementAccountOf(fieldText(account.tradeType)));
    if (!reading.error.empty()) return {std::nullopt, reading.error};
    return {previewImport(workspace.ledger, std::move(reading), options), {}};
}

bool bookStatementImport(CommandContext& window, const GuardedAccount& account,
                         ImportPreview preview) {
    const bool booked = bookImport(window.workspace(), account.info, std::move(preview));
    window.refreshHoldingList();
    return booked;
}

void importStatementFile(CommandContext& window, const GuardedAccount& account,
                         const std::string& path) {
    PreparedImport prepared =
        prepareStatementImport(window.workspace(), account.info, path, std::nullopt);
    if (!prepared.preview) {
        window.messages().error(prepared.error);
        return;
    }
    StatementImportDialog dialog(window.messages(), account.name, fileNameOf(path),
                                 std::move(*prepared.preview), window.workspace().ledger);
    if (!window.dialogs().run(dialog)) return;
    bookStatementImport(window, account, dialog.takePreview());
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
