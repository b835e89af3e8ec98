#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fiscora {

// Excel workbooks as brokers' clients export statements: the legacy binary .xls (BIFF,
// read with libfreexl) and .xlsx (a zip of XML, read with libzip and expat).

enum class WorkbookKind { None, Xls, Xlsx };

// What the file's first bytes say it is.
WorkbookKind workbookKindOf(std::string_view firstBytes);

// The first sheet as tab-separated UTF-8 text, one line a row, tabs and line ends inside a
// cell turned into spaces; numbers as the shortest text that reads back the same, dates of
// an .xls as YYYY-MM-DD. Nothing when the library cannot read the workbook, or when the
// text would exceed `maxBytes`. An .xls is read from its path (libfreexl opens files
// only) in a child process, an .xlsx from its bytes.
std::optional<std::string> xlsSheetText(const std::string& path, std::size_t maxBytes);
std::optional<std::string> xlsxSheetText(std::string_view bytes, std::size_t maxBytes);

}  // namespace fiscora
