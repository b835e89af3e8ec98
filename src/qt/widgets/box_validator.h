#pragma once

#include <QValidator>
#include <cstddef>

namespace fiscora::qt {

// True when `text` can be stored in GBK within `maxBytes` bytes (0: any length).
bool fitsGbk(const QString& text, std::size_t maxBytes);

// Refuses an edit that would leave what the box may not hold: a character other than 0-9
// in a digits-only box, text GBK cannot hold, or more GBK bytes than the field's (0: any).
// One validator for every limit, since a line edit keeps only the last one set.
class BoxValidator : public QValidator {
public:
    BoxValidator(std::size_t maxGbkBytes, bool digitsOnly, QObject* parent)
        : QValidator(parent), maxGbkBytes_(maxGbkBytes), digitsOnly_(digitsOnly) {}

    State validate(QString& input, int& pos) const override;

private:
    std::size_t maxGbkBytes_;
    bool digitsOnly_;
};

}  // namespace fiscora::qt
