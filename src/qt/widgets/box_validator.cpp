#include "qt/widgets/box_validator.h"

#include <algorithm>

#include "records/gbk_text.h"

namespace fiscora::qt {

bool fitsGbk(const QString& text, std::size_t maxBytes) {
    const auto length = gbkLength(text.toStdString());
    return length && (maxBytes == 0 || *length <= maxBytes);
}

QValidator::State BoxValidator::validate(QString& input, int&) const {
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (digitsOnly_ && !std::all_of(input.cbegin(), input.cend(), isDigit)) return Invalid;
    return fitsGbk(input, maxGbkBytes_) ? Acceptable : Invalid;
}

}  // namespace fiscora::qt
