#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/safe_file.h"

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

// The same decoding piece by piece, for a file read a piece at a time: the encoding is
// settled by the first bytes (a byte-order mark, UTF-16's zero bytes) or, for 8-bit text, by
// the first piece holding a byte beyond ASCII (valid UTF-8, else GBK). Pieces are cut after
// a line end, where no encoding splits a character.
class StatementDecoder {
public:
    // Settles the encoding from the file's first bytes; the byte-order mark's length.
    std::size_t start(std::string_view firstBytes);
    // Where `bytes` may be cut: just past their last line end; 0 when they hold none.
    std::size_t cutOf(std::string_view bytes) const;
    // Appends the decoded `bytes` to `out`.
    void decode(std::string_view bytes, std::string& out);

private:
    enum class Encoding { Undecided, Utf8, Gbk, Utf16Little, Utf16Big };
    Encoding encoding_ = Encoding::Undecided;
};

// Splits the text into lines of cells. A cell in double quotes may hold the delimiter,
// line ends and doubled quotes (""). A cell written as ="..." (how spreadsheets keep the
// leading zeros of a code) or starting with an apostrophe gives the text inside. Lines
// without any text are left out.
// `maxLines` bounds the lines returned (the header is looked for among the first ones).
std::vector<StatementLine> splitStatementLines(std::string_view utf8, Delimiter delimiter,
                                               std::size_t maxLines = SIZE_MAX);

// A statement's UTF-8 text in pieces, each ending at a line end (the last at the text's end),
// so that a large statement is never held whole.
class StatementPieces {
public:
    virtual ~StatementPieces() = default;
    // Appends the next piece to `text`; false when there is none.
    virtual bool appendNext(std::string& text) = 0;
};

// A text already in memory, as one piece.
class WholeText : public StatementPieces {
public:
    explicit WholeText(std::string_view utf8) : text_(utf8) {}
    bool appendNext(std::string& text) override;

private:
    std::string_view text_;
    bool given_ = false;
};

// The lines of cells one at a time, as splitStatementLines gives them, from the text
// already read (`start`) and then the pieces; a line whose quoted cell holds a line end may
// span two pieces. Only the piece being split is held.
class StatementLineReader {
public:
    StatementLineReader(StatementPieces& pieces, Delimiter delimiter, std::string start = {});
    // The next line with text; false at the end.
    bool next(StatementLine& line);

private:
    StatementPieces& pieces_;
    char delimiter_;
    std::string buffer_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 1;
    bool piecesLeft_ = true;
};

enum class StatementFileStatus {
    Ok,
    Missing,
    CannotOpen,
    TooLarge,
    Unreadable  // a workbook its library cannot read
};

// A text statement is read a piece at a time, so its size is bounded only by the preview's
// lines (some 110 bytes a line) and the ledger they make; a workbook is inflated whole.
inline constexpr std::size_t kStatementFileLimit = std::size_t{1} << 30;
inline constexpr std::size_t kWorkbookFileLimit = std::size_t{256} << 20;

// A statement file read a piece at a time (a workbook's first sheet as tab-separated
// text, in one piece), never created or changed.
class StatementFileReader : public StatementPieces {
public:
    StatementFileStatus open(const std::string& path);
    bool appendNext(std::string& text) override;

private:
    FileReader file_;
    StatementDecoder decoder_;
    std::size_t offset_ = 0;
    std::string carried_;                  // bytes read past the last cut
    std::optional<std::string> workbook_;  // the sheet's text, not yet given
};

struct StatementFile {
    StatementFileStatus status = StatementFileStatus::CannotOpen;
    std::string text;  // UTF-8
};

// Reads and decodes a whole file (a mapping file, a small statement), never creating or
// changing it.
StatementFile readStatementFile(const std::string& path);

}  // namespace fiscora
