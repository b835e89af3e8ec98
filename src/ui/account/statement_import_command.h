#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/statement_import.h"
#include "ui/common/command_context.h"

namespace fiscora::ui {

// The mapping file 导入交割单 reads from the data directory when one is there.
inline constexpr const char* kStatementMappingFile = "交割单映射.txt";
// The folder beside the data directory holding one mapping file per broker (*.txt).
inline constexpr const char* kStatementMappingFolder = "交割单映射";

// The mapping folder of a data directory: beside it, in its parent folder.
std::string statementMappingFolder(const std::string& dataDirectory);

// A statement read and judged against the account's ledger; or the message saying why it
// could not be read. With `mappingPath` only that mapping is tried; without it, the
// mappings of the folder beside the data directory and the data directory's own mapping
// file are tried in turn (the first whose columns the header names is used), then the
// built-in recognition.
struct PreparedImport {
    std::optional<ImportPreview> preview;
    std::string error;
};
PreparedImport prepareStatementImport(const Workspace& workspace, const AccountInfo& account,
                                      const std::string& path,
                                      const std::optional<std::string>& mappingPath,
                                      const ImportOptions& options = {});

// Books the preview's records in one rewrite of the ledger file, using the preview up, and
// rebuilds the holdings list and the status line. False when the file could not be written
// (reported; nothing booked).
bool bookStatementImport(CommandContext& window, const GuardedAccount& account,
                         ImportPreview preview);

// 导入交割单 with the file chosen: the statement read with the data directory's mapping
// file (if any), the preview dialog, and a confirmed preview booked. A statement that cannot
// be read shows why in an error box and nothing else happens.
void importStatementFile(CommandContext& window, const GuardedAccount& account,
                         const std::string& path);

// The window's command: the account guard, the file dialog (`chooseFile`, nothing when the
// user cancels), then importStatementFile.
void OnImportStatement(CommandContext& window,
                       const std::function<std::optional<std::string>()>& chooseFile);

}  // namespace fiscora::ui
