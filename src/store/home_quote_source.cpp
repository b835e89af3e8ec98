#include "store/home_quote_source.h"

#include <algorithm>

#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "store/day_bar_file.h"
#include "store/home_folder.h"
#include "store/program_settings.h"
#include "store/quote_snapshot_file.h"

namespace fiscora {
namespace {

bool isStockCode(const std::string& code) {
    return code.size() == 6 && code.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

HomeQuoteSource::HomeQuoteSource(std::string homeFolder, std::string quoteFile)
    : homeFolder_(std::move(homeFolder)), quoteFile_(std::move(quoteFile)) {}

void HomeQuoteSource::setQuoteFile(std::string quoteFile) {
    if (quoteFile == quoteFile_) return;
    quoteFile_ = std::move(quoteFile);
    quoteStamp_ = {};
    quotes_ = {};
    quoteFileError_.clear();
}

void HomeQuoteSource::followSettings(std::string settingsFile) {
    settingsFile_ = std::move(settingsFile);
    applySettings(stampOf(settingsFile_));
}

void HomeQuoteSource::readSettingsIfChanged() {
    if (settingsFile_.empty()) return;
    const FileStamp now = stampOf(settingsFile_);
    if (now != settingsStamp_) applySettings(now);
}

void HomeQuoteSource::applySettings(const FileStamp& stamp) {
    settingsStamp_ = stamp;
    setQuoteFile(quoteFileIn(homeFolder_, loadProgramSettings(settingsFile_).quoteFile));
}

void HomeQuoteSource::readQuoteFileIfChanged() {
    // Renaming a new file over the old one changes the inode, writing in place the size or
    // the time: one stat a request tells either.
    const FileStamp now = stampOf(quoteFile_);
    if (now == quoteStamp_) return;
    quoteStamp_ = now;
    if (!now.exists) {
        quotes_ = {};
        quoteFileError_.clear();
        return;
    }
    QuoteSnapshot fresh;
    std::string error;
    if (!loadQuoteSnapshot(fresh, quoteFile_, error)) {
        quoteFileError_ = error;
        return;
    }
    quotes_ = std::move(fresh);
    quoteFileError_.clear();
}

void HomeQuoteSource::readNamesIfChanged() {
    const std::string path = homeFolder_ + kDataFolderName + kStockNamesFileName;
    if (stampOf(path) == namesStamp_) return;
    names_ = loadStockNames(path, &namesStamp_);
}

bool HomeQuoteSource::nameOf(const std::string& code, short market, std::string& gbkName) {
    if (const QuoteSnapshot::Quote* q = quotes_.find(code, market); q && !q->gbkName.empty()) {
        gbkName = q->gbkName;
        return true;
    }
    readNamesIfChanged();
    const auto learned = names_.find({code, market});
    if (learned == names_.end()) return false;
    // The host's buffer holds 11 bytes; a longer name is cut at a whole character.
    const auto gbk = utf8ToGbk(cutToGbkBytes(learned->second, kStockNameBufferSize - 1));
    if (!gbk) return false;
    gbkName = *gbk;
    return true;
}

bool HomeQuoteSource::pricesFromBars(const std::string& code, short market, float& latest,
                                     float& prevClose) {
    if (market != 0 && market != 1) return false;
    // Only the last two records are read: a bar file grows by one record a trading day.
    FileReader file;
    if (file.open(dayBarPath(homeFolder_, market, code), OpenMode::ReadOnly) != ReadStatus::Ok)
        return false;
    const std::size_t count = file.size() / sizeof(DayBar);
    if (count == 0 || file.size() % sizeof(DayBar) != 0) return false;
    DayBar last[2] = {};
    const std::size_t kept = std::min<std::size_t>(count, 2);
    if (!file.readAt((count - kept) * sizeof(DayBar), last, kept * sizeof(DayBar))) return false;
    const double unit = priceDecimals(code) == 3 ? 1000.0 : 100.0;
    latest = static_cast<float>(last[kept - 1].prices[3] / unit);
    prevClose = static_cast<float>(last[0].prices[3] / unit);
    return true;
}

long HomeQuoteSource::lookup(const char* code, short market, char* nameOut, float* latestOut,
                             float* prevCloseOut) {
    if (code == nullptr) return 0;
    const std::string c(code);
    if (!isStockCode(c)) return 0;
    readSettingsIfChanged();
    readQuoteFileIfChanged();
    if (nameOut != nullptr) {
        std::string gbkName;
        nameOf(c, market, gbkName);
        std::fill(std::copy_n(gbkName.data(), std::min(gbkName.size(), kStockNameBufferSize - 1),
                              nameOut),
                  nameOut + kStockNameBufferSize, '\0');
    }
    if (latestOut == nullptr && prevCloseOut == nullptr) return 1;
    float latest = 0;
    float prevClose = 0;
    if (const QuoteSnapshot::Quote* q = quotes_.find(c, market)) {
        latest = q->latest;
        prevClose = q->prevClose;
    } else if (!pricesFromBars(c, market, latest, prevClose)) {
        return 0;
    }
    if (latestOut != nullptr) *latestOut = latest;
    if (prevCloseOut != nullptr) *prevCloseOut = prevClose;
    return 1;
}

}  // namespace fiscora
