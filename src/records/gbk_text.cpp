#include "records/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace fiscora {
namespace {

// An iconv converter opened once per thread and direction: opening one costs far more
// than converting a field.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // iconv_open reports failure as (iconv_t)-1.
    bool valid() const {
        return cd_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
    }

    // One conversion; stops at the first character it cannot convert, or replaces it
    // when `replacement` is given.
    std::optional<std::string> convert(std::string_view in, const char* replacement) {
        if (!valid()) return std::nullopt;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t r = ::iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (replacement == nullptr) return std::nullopt;
            // EILSEQ or a truncated sequence at the end: skip one byte and mark it.
            out += replacement;
            ++src;
            --srcLeft;
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
    thread_local Converter toUtf8("UTF-8", "GBK");
    return toUtf8.convert(gbk, "\xEF\xBF\xBD").value_or(std::string());
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    thread_local Converter toGbk("GBK", "UTF-8");
    return toGbk.convert(utf8, nullptr);
}

std::optional<std::size_t> gbkLength(std::string_view utf8) {
    auto gbk = utf8ToGbk(utf8);
    if (!gbk) return std::nullopt;
    return gbk->size();
}

std::string cutToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        // A character runs from its lead byte to the next byte that is not a continuation.
        std::size_t next = end + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80)
            ++next;
        const std::size_t bytes = static_cast<unsigned char>(utf8[end]) < 0x80 ? 1 : 2;
        if (used + bytes > maxBytes) break;
        used += bytes;
        end = next;
    }
    return std::string(utf8.substr(0, end));
}

std::string textFitMessage(TextFit fit, std::string_view label, std::size_t maxBytes) {
    std::string name(label);
    switch (fit) {
    case TextFit::Ok: return {};
    case TextFit::TooLong:
        return name + "太长,最多" + std::to_string(maxBytes) + "个字节(一个汉字占两个字节)";
    case TextFit::NotGbk: return name + "中含有不能保存的字符";
    }
    return {};
}

}  // namespace fiscora
