#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/statement_import.h"
#include "ui/common/command_context.h"

namespace fiscora::ui {

// The mapping file 导入交割单 reads from the data directory when one is there.
inline constexpr const char* kStatementMappingFile = "交割单映射.txt";

// A statement read (with the mapping file when one is given) and judged against the
// account's ledger; or the message saying why it could not be read.
struct PreparedImport {
    std::optional<ImportPreview> preview;
    std::string error;
};
PreparedImport prepareStatementImport(const Workspace& workspace, const AccountInfo& account,
                                      const std::string& path,
                                      const std::optional<std::string>& mappingPath);

// Books the preview's records in one rewrite of the ledger file and rebuilds the holdings
// list and the status line. False when the file could not be written (reported; nothing
// booked).
bool bookStatementImport(CommandContext& window, const GuardedAccount& account,
                         const ImportPreview& preview);

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
