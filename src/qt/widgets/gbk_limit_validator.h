#pragma once

#include <QValidator>
#include <cstddef>

namespace fiscora::qt {

// True when `text` can be stored in GBK within `maxBytes` bytes (0: any length).
bool fitsGbk(const QString& text, std::size_t maxBytes);

// Refuses an edit that would leave text GBK cannot hold or longer than the field's bytes.
class GbkLimitValidator : public QValidator {
public:
    GbkLimitValidator(std::size_t maxBytes, QObject* parent)
        : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int& pos) const override;

private:
    std::size_t maxBytes_;
};

}  // namespace fiscora::qt
