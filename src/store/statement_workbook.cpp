#include "store/statement_workbook.h"

#include <expat.h>
#include <freexl.h>
#include <zip.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace fiscora {
namespace {

constexpr std::string_view kXlsMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";  // OLE2 compound file
constexpr std::string_view kZipMagic = "PK\x03\x04";
// The XML a workbook member may inflate to, in multiples of the text limit: a statement of
// 100,000 rows is some 35 MB of XML.
constexpr std::size_t kInflateFactor = 4;

// A sheet's text as it grows, refusing to grow beyond its bound.
class SheetText {
public:
    explicit SheetText(std::size_t maxBytes) : maxBytes_(maxBytes) {}

    // Puts `text` in column `column` of the current row.
    void cell(std::size_t column, std::string_view text) {
        if (column < written_) return;  // a cell given twice keeps its first text
        add(std::string(written_ == 0 ? column : column - written_ + 1, '\t'));
        written_ = column + 1;
        for (char c : text) add(c == '\t' || c == '\n' || c == '\r' ? ' ' : c);
    }

    void endRow() {
        add('\n');
        written_ = 0;
    }

    std::optional<std::string> take() {
        if (overflow_) return std::nullopt;
        return std::move(text_);
    }

private:
    void add(std::string_view text) {
        if (text_.size() + text.size() > maxBytes_) {
            overflow_ = true;
            return;
        }
        text_ += text;
    }
    void add(char c) { add(std::string_view(&c, 1)); }

    std::size_t maxBytes_;
    std::string text_;
    std::size_t written_ = 0;  // cells of the current row, up to the last one written
    bool overflow_ = false;
};

std::string numberText(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

struct XlsCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};

// ---- .xlsx: shared strings, then the first sheet, both parsed as they are unzipped.

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// The local name of an element, without its namespace prefix.
std::string_view localName(const XML_Char* name) {
    std::string_view text(name);
    const std::size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

const XML_Char* attribute(const XML_Char** attributes, std::string_view name) {
    for (std::size_t i = 0; attributes[i] != nullptr; i += 2) {
        if (localName(attributes[i]) == name) return attributes[i + 1];
    }
    return nullptr;
}

// Streams one member of the archive through an expat parser; false when it is missing,
// unreadable, not well-formed or inflates beyond `maxBytes` (a zip bomb is not read for
// minutes).
bool parseMember(zip_t* archive, const char* name, XML_Parser parser, std::size_t maxBytes) {
    const zip_int64_t index = zip_name_locate(archive, name, 0);
    if (index < 0) return false;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!file) return false;
    char buffer[1 << 16];
    std::size_t total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0) return false;
        total += static_cast<std::size_t>(n);
        if (total > maxBytes) return false;
        if (XML_Parse(parser, buffer, static_cast<int>(n), n == 0) == XML_STATUS_ERROR)
            return false;
        if (n == 0) return true;
    }
}

// <sst><si><t>text</t></si> or <si><r><t>part</t></r>...</si>; phonetic runs (<rPh>) left out.
struct SharedStrings {
    std::vector<std::string> strings;
    std::size_t maxBytes = 0;
    std::size_t bytes = 0;
    bool inText = false;
    int phonetic = 0;
    bool overflow = false;

    static void start(void* data, const XML_Char* name, const XML_Char**) {
        auto& s = *static_cast<SharedStrings*>(data);
        const std::string_view element = localName(name);
        if (element == "si")
            s.strings.emplace_back();
        else if (element == "rPh")
            ++s.phonetic;
        else if (element == "t")
            s.inText = s.phonetic == 0 && !s.strings.empty();
    }
    static void end(void* data, const XML_Char* name) {
        auto& s = *static_cast<SharedStrings*>(data);
        const std::string_view element = localName(name);
        if (element == "rPh")
            --s.phonetic;
        else if (element == "t")
            s.inText = false;
    }
    static void text(void* data, const XML_Char* text, int length) {
        auto& s = *static_cast<SharedStrings*>(data);
        if (!s.inText) return;
        s.bytes += static_cast<std::size_t>(length);
        if (s.bytes > s.maxBytes) {
            s.overflow = true;
            return;
        }
        s.strings.back().append(text, static_cast<std::size_t>(length));
    }
};

// Column of a cell reference ("AB12" -> 27), from 0.
std::optional<std::size_t> columnOf(const XML_Char* reference) {
    if (reference == nullptr) return std::nullopt;
    std::size_t column = 0;
    std::size_t letters = 0;
    for (const XML_Char* c = reference; *c >= 'A' && *c <= 'Z' && letters < 3; ++c, ++letters)
        column = column * 26 + static_cast<std::size_t>(*c - 'A' + 1);
    if (letters == 0) return std::nullopt;
    return column - 1;
}

// Whether a number format shows a date: the built-in date formats (14-17, 22, and the East
// Asian 27-36, 50-58), or a format code with a year or a day once the quoted texts, the
// [..] parts and the escaped characters are left out.
bool isDateFormat(std::size_t id, std::string_view code) {
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return true;
    bool quoted = false, bracketed = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '[') bracketed = true;
        if (c == ']') bracketed = false;
        if (c == '\\' || c == '_' || c == '*') {
            ++i;
            continue;
        }
        if (!bracketed && (c == 'y' || c == 'Y' || c == 'd' || c == 'D')) return true;
    }
    return false;
}

std::optional<std::size_t> numberAttribute(const XML_Char** attributes, std::string_view name) {
    const XML_Char* text = attribute(attributes, name);
    if (text == nullptr) return std::nullopt;
    std::size_t value = 0;
    const std::string_view digits(text);
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// xl/styles.xml: <numFmts><numFmt numFmtId formatCode/></numFmts> and <cellXfs><xf
// numFmtId/>...</cellXfs>; a cell's s="N" names the Nth xf of cellXfs.
struct DateStyles {
    std::map<std::size_t, bool> customIsDate;  // numFmtId -> shows a date
    std::vector<std::size_t> cellFormats;      // the numFmtId of each cellXfs entry
    bool inCellXfs = false;

    static void start(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto& d = *static_cast<DateStyles*>(data);
        const std::string_view element = localName(name);
        if (element == "numFmt") {
            const auto id = numberAttribute(attributes, "numFmtId");
            const XML_Char* code = attribute(attributes, "formatCode");
            if (id && code != nullptr) d.customIsDate[*id] = isDateFormat(*id, code);
        } else if (element == "cellXfs") {
            d.inCellXfs = true;
        } else if (element == "xf" && d.inCellXfs) {
            d.cellFormats.push_back(numberAttribute(attributes, "numFmtId").value_or(0));
        }
    }
    static void end(void* data, const XML_Char* name) {
        if (localName(name) == "cellXfs") static_cast<DateStyles*>(data)->inCellXfs = false;
    }
    static void text(void*, const XML_Char*, int) {}

    bool isDate(std::size_t style) const {
        if (style >= cellFormats.size()) return false;
        const std::size_t id = cellFormats[style];
        const auto custom = customIsDate.find(id);
        return custom != customIsDate.end() ? custom->second : isDateFormat(id, {});
    }
};

// xl/workbook.xml: <workbookPr date1904="1"/> counts the days from 1904-01-01.
struct WorkbookProperties {
    bool date1904 = false;

    static void start(void* data, const XML_Char* name, const XML_Char** attributes) {
        if (localName(name) != "workbookPr") return;
        const XML_Char* flag = attribute(attributes, "date1904");
        if (flag == nullptr) return;
        const std::string_view value(flag);
        static_cast<WorkbookProperties*>(data)->date1904 = value == "1" || value == "true";
    }
    static void end(void*, const XML_Char*) {}
    static void text(void*, const XML_Char*, int) {}
};

// A day counted from 1970-01-01 as YYYY-MM-DD (the proleptic Gregorian calendar).
std::string isoDate(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    // The serial is bounded to the years 1900 to 9999: every part fits an int.
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

// An Excel serial date as YYYY-MM-DD, its time of day left out. The 1900 system counts
// 1900-01-01 as 1 and keeps Lotus's 1900-02-29 as 60; the 1904 system counts 1904-01-01
// as 0. Nothing for a serial no calendar day has.
std::optional<std::string> serialDate(double serial, bool date1904) {
    if (!(serial >= 1 && serial < 2958466)) return std::nullopt;  // up to 9999-12-31
    const auto whole = static_cast<std::int64_t>(serial);
    if (date1904) return isoDate(whole - 24107);           // 1904-01-01 is day -24107
    if (whole == 60) return std::nullopt;                  // the 29th of February 1900
    return isoDate(whole - (whole < 60 ? 25568 : 25569));  // 1899-12-30 (31) is day -25569
}

// <sheetData><row><c r="A1" t="s"><v>0</v></c>...</row>: a cell is a number, a shared
// string's index (t="s"), an inline string (<is><t>) or a formula's text (t="str").
struct SheetParser {
    const std::vector<std::string>* strings = nullptr;
    const DateStyles* styles = nullptr;
    bool date1904 = false;
    bool dateStyle = false;
    SheetText* out = nullptr;
    std::size_t nextColumn = 0;
    std::size_t column = 0;
    std::string type;
    std::string value;
    bool inValue = false;
    bool inRow = false;

    static void start(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto& p = *static_cast<SheetParser*>(data);
        const std::string_view element = localName(name);
        if (element == "row") {
            p.inRow = true;
            p.nextColumn = 0;
        } else if (element == "c" && p.inRow) {
            p.column = columnOf(attribute(attributes, "r")).value_or(p.nextColumn);
            const XML_Char* type = attribute(attributes, "t");
            p.type = type != nullptr ? type : "n";
            p.dateStyle = p.styles->isDate(numberAttribute(attributes, "s").value_or(0));
            p.value.clear();
        } else if (element == "v" || element == "t") {
            p.inValue = p.inRow;
        }
    }
    static void end(void* data, const XML_Char* name) {
        auto& p = *static_cast<SheetParser*>(data);
        const std::string_view element = localName(name);
        if (element == "v" || element == "t") {
            p.inValue = false;
        } else if (element == "c" && p.inRow) {
            p.out->cell(p.column, p.cellText());
            p.nextColumn = p.column + 1;
        } else if (element == "row") {
            p.out->endRow();
            p.inRow = false;
        }
    }
    static void text(void* data, const XML_Char* text, int length) {
        auto& p = *static_cast<SheetParser*>(data);
        if (p.inValue && p.value.size() < 4096)
            p.value.append(text, static_cast<std::size_t>(length));
    }

    std::string cellText() const {
        if (type == "s") {
            std::size_t index = 0;
            const auto [ptr, ec] =
                std::from_chars(value.data(), value.data() + value.size(), index);
            if (ec != std::errc() || index >= strings->size()) return {};
            return (*strings)[index];
        }
        if (type == "n") {
            double number = 0;
            const auto [ptr, ec] =
                std::from_chars(value.data(), value.data() + value.size(), number);
            if (ec != std::errc() || ptr != value.data() + value.size()) return value;
            if (dateStyle) {
                if (auto date = serialDate(number, date1904)) return *date;
            }
            return numberText(number);
        }
        return value;
    }
};

template <typename Handler>
std::unique_ptr<XML_ParserStruct, ParserFree> parserFor(Handler& handler) {
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate("UTF-8"));
    if (!parser) return parser;
    XML_SetUserData(parser.get(), &handler);
    XML_SetElementHandler(parser.get(), Handler::start, Handler::end);
    XML_SetCharacterDataHandler(parser.get(), Handler::text);
    return parser;
}

// The first worksheet's member: sheet1.xml as every writer names it, else the first
// xl/worksheets/*.xml in the archive.
std::optional<std::string> firstSheet(zip_t* archive) {
    if (zip_name_locate(archive, "xl/worksheets/sheet1.xml", 0) >= 0)
        return "xl/worksheets/sheet1.xml";
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr) continue;
        const std::string_view member(name);
        if (member.starts_with("xl/worksheets/") && member.ends_with(".xml") &&
            member.find('/', 14) == std::string_view::npos)
            return std::string(member);
    }
    return std::nullopt;
}

}  // namespace

WorkbookKind workbookKindOf(std::string_view firstBytes) {
    if (firstBytes.starts_with(kXlsMagic)) return WorkbookKind::Xls;
    if (firstBytes.starts_with(kZipMagic)) return WorkbookKind::Xlsx;
    return WorkbookKind::None;
}

namespace {

std::optional<std::string> readXlsSheet(const std::string& path, std::size_t maxBytes) {
    const void* raw = nullptr;
    if (freexl_open(path.c_str(), &raw) != FREEXL_OK) {
        if (raw != nullptr) freexl_close(raw);
        return std::nullopt;
    }
    const std::unique_ptr<const void, XlsCloser> workbook(raw);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(raw, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK)
        return std::nullopt;
    SheetText sheet(maxBytes);
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(raw, row, column, &value) != FREEXL_OK) return std::nullopt;
            switch (value.type) {
            case FREEXL_CELL_INT: sheet.cell(column, std::to_string(value.value.int_value)); break;
            case FREEXL_CELL_DOUBLE:
                sheet.cell(column, numberText(value.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value != nullptr) sheet.cell(column, value.value.text_value);
                break;
            default: break;
            }
        }
        sheet.endRow();
    }
    return sheet.take();
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

// libfreexl is not hardened against hostile files (a fuzzed .xls overruns a buffer inside
// it): the sheet is read in a child process, so that a broken file costs that process
// only, never the caller's memory. The child only reads the file and writes the text to a
// pipe.
std::optional<std::string> xlsSheetText(const std::string& path, std::size_t maxBytes) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        const auto text = readXlsSheet(path, maxBytes);
        ::_exit(text && writeAll(pipeEnds[1], *text) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string text;
    bool complete = true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) complete = false;
        if (n <= 0) break;
        if (text.size() + static_cast<std::size_t>(n) > maxBytes) {
            complete = false;
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeEnds[0]);  // a child still writing ends on the closed pipe
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

std::optional<std::string> xlsxSheetText(std::string_view bytes, std::size_t maxBytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) return std::nullopt;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    SharedStrings shared;
    shared.maxBytes = maxBytes;
    if (zip_name_locate(archive.get(), "xl/sharedStrings.xml", 0) >= 0) {
        auto parser = parserFor(shared);
        if (!parser ||
            !parseMember(archive.get(), "xl/sharedStrings.xml", parser.get(),
                         kInflateFactor * maxBytes) ||
            shared.overflow)
            return std::nullopt;
    }
    // Styles and the workbook's properties are optional: without them no cell is a date
    // and the days count from 1900.
    DateStyles styles;
    if (zip_name_locate(archive.get(), "xl/styles.xml", 0) >= 0) {
        auto parser = parserFor(styles);
        if (!parser || !parseMember(archive.get(), "xl/styles.xml", parser.get(), maxBytes))
            return std::nullopt;
    }
    WorkbookProperties properties;
    if (zip_name_locate(archive.get(), "xl/workbook.xml", 0) >= 0) {
        auto parser = parserFor(properties);
        if (!parser || !parseMember(archive.get(), "xl/workbook.xml", parser.get(), maxBytes))
            return std::nullopt;
    }
    const auto sheetName = firstSheet(archive.get());
    if (!sheetName) return std::nullopt;
    SheetText sheet(maxBytes);
    SheetParser cells;
    cells.strings = &shared.strings;
    cells.styles = &styles;
    cells.date1904 = properties.date1904;
    cells.out = &sheet;
    auto parser = parserFor(cells);
    if (!parser ||
        !parseMember(archive.get(), sheetName->c_str(), parser.get(), kInflateFactor * maxBytes))
        return std::nullopt;
    return sheet.take();
}

}  // namespace fiscora
