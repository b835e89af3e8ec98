#include "qt/widgets/gbk_limit_validator.h"

#include "records/gbk_text.h"

namespace fiscora::qt {

bool fitsGbk(const QString& text, std::size_t maxBytes) {
    const auto length = gbkLength(text.toStdString());
    return length && (maxBytes == 0 || *length <= maxBytes);
}

QValidator::State GbkLimitValidator::validate(QString& input, int&) const {
    return fitsGbk(input, maxBytes_) ? Acceptable : Invalid;
}

}  // namespace fiscora::qt
