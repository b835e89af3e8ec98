#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fiscora {

// A broker's statement as the trading client exports it: lines of text in GBK, UTF-8 or
// UTF-16 ("Unicode 文本"), ended by CR LF, LF or CR, their cells separated by commas or
// tabs and optionally quoted; or an Excel workbook (.xls, .xlsx), whose first sheet is read
// as tab-separated text.

// One line of the file split into cells (UTF-8, blanks around each cell removed).
struct StatementLine {
    std::size_t number = 0;  // line in the file, from 1
    std::vector<std::string> cells;
};

enum class Delimiter { Comma, Tab };

// The file's text as UTF-8: a UTF-8 byte-order mark is dropped; UTF-16 is told by its
// byte-order mark, or without one by the zero bytes of its ASCII characters; text that is
// valid UTF-8 is taken as it is, anything else is read as GBK.
std::string decodeStatementText(std::string_view bytes);

// Splits the text into lines of cells. A cell in double quotes may hold the delimiter,
// line ends and doubled quotes (""). A cell written as ="..." (how spreadsheets keep the
// leading zeros of a code) or starting with an apostrophe gives the text inside. Lines
// without any text are left out.
// `maxLines` bounds the lines returned (the header is looked for among the first ones).
std::vector<StatementLine> splitStatementLines(std::string_view utf8, Delimiter delimiter,
                                               std::size_t maxLines = SIZE_MAX);

// The same lines one at a time, so that a large statement is never held as cells whole.
void forEachStatementLine(std::string_view utf8, Delimiter delimiter,
                          const std::function<void(const StatementLine&)>& each);

enum class StatementFileStatus {
    Ok,
    Missing,
    CannotOpen,
    TooLarge,
    Unreadable  // a workbook its library cannot read
};

struct StatementFile {
    StatementFileStatus status = StatementFileStatus::CannotOpen;
    std::string text;  // UTF-8
};

// Statements are small; anything larger than this is not one.
inline constexpr std::size_t kStatementFileLimit = 64u << 20;

// Reads and decodes the file (a workbook's first sheet as tab-separated text), never
// creating or changing it.
StatementFile readStatementFile(const std::string& path);

}  // namespace fiscora
