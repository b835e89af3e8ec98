#pragma once

#include <string>

#include "cli/command.h"
#include "output/list_reports.h"
#include "output/list_table.h"

namespace fiscora::cli {

inline constexpr const char* kPdfOption = "--pdf";
inline constexpr const char* kTextOption = "--text";

// Whether the command's --pdf can be written by this build; says why not on stderr.
bool pdfAvailable(const CommandContext& c);

// Whether --text or --pdf asks for the list as a file.
bool wantsListFiles(const CommandContext& c);

// Writes `table` as the window's 数据存盘 (--text) and 数据打印 (--pdf, the report titled
// as `report` says) do, for the options given. An empty list has no report (exit 1, said
// on stderr naming `listName`), but its text export is the header line.
int writeListFiles(CommandContext& c, const ListTable& table, const ListReport& report,
                   const std::string& listName);

}  // namespace fiscora::cli
