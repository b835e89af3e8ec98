#include "records/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace fiscora {
namespace {

// One conversion with iconv; stops at the first character it cannot convert, or replaces
// it when `replacement` is given.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   const char* replacement) {
    iconv_t cd = ::iconv_open(to, from);
    // iconv_open reports failure as (iconv_t)-1.
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;  // NOLINT(performance-no-int-to-ptr)
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (replacement == nullptr) {
            ok = false;
            break;
        }
        // EILSEQ or a truncated sequence at the end: skip one byte and mark it.
        out += replacement;
        ++src;
        --srcLeft;
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
    return convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD").value_or(std::string());
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    return convert("GBK", "UTF-8", utf8, nullptr);
}

std::optional<std::size_t> gbkLength(std::string_view utf8) {
    auto gbk = utf8ToGbk(utf8);
    if (!gbk) return std::nullopt;
    return gbk->size();
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
