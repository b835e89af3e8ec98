#include "store/statement_text.h"

#include <algorithm>
#include <optional>

#include "records/gbk_text.h"

namespace fiscora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence starting with `lead`, or 0 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Strict enough to tell UTF-8 from GBK: GBK's two-byte characters rarely form valid
// sequences over a whole file, and a Chinese statement has many of them.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 to UTF-8; a lone surrogate or an odd last byte becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    constexpr char32_t kReplacement = 0xFFFD;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
    }
    if (i < bytes.size()) appendUtf8(out, kReplacement);
    return out;
}

// UTF-16 without a byte-order mark: most of the even (little-endian) or odd (big-endian)
// bytes of a statement's first characters are zero, as digits and separators are ASCII.
std::optional<bool> utf16WithoutMark(std::string_view bytes) {
    const std::size_t sample = std::min<std::size_t>(bytes.size() & ~std::size_t{1}, 512);
    if (sample < 8) return std::nullopt;
    std::size_t evenZeros = 0, oddZeros = 0;
    for (std::size_t i = 0; i < sample; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const std::size_t units = sample / 2;
    if (oddZeros * 3 >= units && evenZeros * 10 < units) return false;
    if (evenZeros * 3 >= units && oddZeros * 10 < units) return true;
    return std::nullopt;
}

std::string trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\xC2\xA0";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

// Cuts one line after another out of the text, honouring quotes.
class LineSplitter {
public:
    LineSplitter(std::string_view text, char delimiter, std::size_t firstLine = 1)
        : text_(text), delimiter_(delimiter), lineNumber_(firstLine) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    // Whether the last line ended at a line end, not at the end of the text.
    bool endedLine() const { return endedLine_; }
    std::size_t position() const { return pos_; }
    std::size_t lineNumber() const { return lineNumber_; }

    StatementLine next() {
        StatementLine line;
        line.number = lineNumber_;
        endedLine_ = false;
        for (;;) {
            line.cells.push_back(cell());
            if (atEnd()) break;
            const char c = text_[pos_];
            if (c == delimiter_) {
                ++pos_;
                continue;
            }
            endLine();
            break;
        }
        return line;
    }

private:
    bool lineEndAt(std::size_t i) const { return text_[i] == '\n' || text_[i] == '\r'; }

    // Past one CR LF, LF or CR.
    void endLine() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++lineNumber_;
        endedLine_ = true;
    }

    std::string cell() {
        std::size_t start = pos_;
        while (start < text_.size() && (text_[start] == ' ')) ++start;
        if (start < text_.size() && text_[start] == '=' && start + 1 < text_.size() &&
            text_[start + 1] == '"') {
            pos_ = start + 1;
            return quoted();
        }
        if (start < text_.size() && text_[start] == '"') {
            pos_ = start;
            return quoted();
        }
        while (pos_ < text_.size() && text_[pos_] != delimiter_ && !lineEndAt(pos_)) ++pos_;
        std::string plain = trimmed(text_.substr(start, pos_ - start));
        if (!plain.empty() && plain.front() == '\'') plain.erase(0, 1);
        return plain;
    }

    // From the opening quote to the closing one; whatever follows it up to the delimiter
    // is kept too, as spreadsheets read such a cell.
    std::string quoted() {
        std::string out;
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    out += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n')))
                ++lineNumber_;
            out += c;
        }
        const std::size_t rest = pos_;
        while (pos_ < text_.size() && text_[pos_] != delimiter_ && !lineEndAt(pos_)) ++pos_;
        out += text_.substr(rest, pos_ - rest);
        return trimmed(out);
    }

    std::string_view text_;
    char delimiter_;
    std::size_t pos_ = 0;
    std::size_t lineNumber_;
    bool endedLine_ = false;
};

bool hasText(const StatementLine& line) {
    for (const std::string& cell : line.cells) {
        if (!cell.empty()) return true;
    }
    return false;
}

}  // namespace

std::string decodeStatementText(std::string_view bytes) {
    StatementDecoder decoder;
    std::string text;
    decoder.decode(bytes.substr(decoder.start(bytes)), text);
    return text;
}

std::size_t StatementDecoder::start(std::string_view firstBytes) {
    if (firstBytes.starts_with(kUtf8Mark)) {
        encoding_ = Encoding::Utf8;
        return kUtf8Mark.size();
    }
    if (firstBytes.starts_with("\xFF\xFE") || firstBytes.starts_with("\xFE\xFF")) {
        encoding_ = firstBytes[0] == '\xFE' ? Encoding::Utf16Big : Encoding::Utf16Little;
        return 2;
    }
    if (const auto bigEndian = utf16WithoutMark(firstBytes))
        encoding_ = *bigEndian ? Encoding::Utf16Big : Encoding::Utf16Little;
    return 0;
}

std::size_t StatementDecoder::cutOf(std::string_view bytes) const {
    if (encoding_ == Encoding::Utf16Little || encoding_ == Encoding::Utf16Big) {
        // A line feed unit: 0A 00 little-endian, 00 0A big-endian, at an even offset.
        const bool little = encoding_ == Encoding::Utf16Little;
        for (std::size_t i = (bytes.size() & ~std::size_t{1}); i >= 2; i -= 2) {
            const char low = bytes[i - 2], high = bytes[i - 1];
            if (little ? (low == '\n' && high == '\0') : (low == '\0' && high == '\n')) return i;
        }
        return 0;
    }
    // Neither GBK nor UTF-8 has a line end byte inside a character. A CR at the very end
    // may be the first half of CR LF: it is cut after only once the next byte is known.
    const std::size_t feed = bytes.rfind('\n');
    if (feed != std::string_view::npos) return feed + 1;
    const std::size_t ret =
        bytes.size() < 2 ? std::string_view::npos : bytes.substr(0, bytes.size() - 1).rfind('\r');
    return ret == std::string_view::npos ? 0 : ret + 1;
}

void StatementDecoder::decode(std::string_view bytes, std::string& out) {
    if (encoding_ == Encoding::Undecided &&
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
        encoding_ = isUtf8(bytes) ? Encoding::Utf8 : Encoding::Gbk;
    switch (encoding_) {
    case Encoding::Undecided:
    case Encoding::Utf8: out += bytes; return;
    case Encoding::Gbk: out += gbkToUtf8(bytes); return;
    case Encoding::Utf16Little: out += utf16ToUtf8(bytes, false); return;
    case Encoding::Utf16Big: out += utf16ToUtf8(bytes, true); return;
    }
}

std::vector<StatementLine> splitStatementLines(std::string_view utf8, Delimiter delimiter,
                                               std::size_t maxLines) {
    std::vector<StatementLine> lines;
    LineSplitter splitter(utf8, delimiter == Delimiter::Tab ? '\t' : ',');
    while (!splitter.atEnd() && lines.size() < maxLines) {
        StatementLine line = splitter.next();
        if (hasText(line)) lines.push_back(std::move(line));
    }
    return lines;
}

bool WholeText::appendNext(std::string& text) {
    if (given_) return false;
    given_ = true;
    text += text_;
    return true;
}

StatementLineReader::StatementLineReader(StatementPieces& pieces, Delimiter delimiter,
                                         std::string start)
    : pieces_(pieces), delimiter_(delimiter == Delimiter::Tab ? '\t' : ','),
      buffer_(std::move(start)) {}

bool StatementLineReader::next(StatementLine& line) {
    for (;;) {
        const std::string_view rest = std::string_view(buffer_).substr(position_);
        if (!rest.empty()) {
            LineSplitter splitter(rest, delimiter_, lineNumber_);
            line = splitter.next();
            // A line that runs to the end of what is read may go on in the next piece, and
            // a CR there may be the first half of a CR LF.
            const bool mayGoOn = !splitter.endedLine() || (splitter.atEnd() && rest.back() == '\r');
            if (!mayGoOn || !piecesLeft_) {
                position_ += splitter.position();
                lineNumber_ = splitter.lineNumber();
                if (hasText(line)) return true;
                continue;
            }
        } else if (!piecesLeft_) {
            return false;
        }
        buffer_.erase(0, position_);
        position_ = 0;
        piecesLeft_ = pieces_.appendNext(buffer_);
    }
}

}  // namespace fiscora
