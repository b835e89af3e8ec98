#include "store/day_bar_file.h"

#include <cstring>

#include "host/module_state.h"
#include "store/safe_file.h"

namespace fiscora {

int priceDecimals(std::string_view code) {
    if (code.starts_with("201") || code.starts_with("42")) return 3;
    if (code.size() == 6 && code.find_first_not_of("0123456789") == std::string_view::npos) {
        const int n = std::stoi(std::string(code));
        if (n >= 900000 && n <= 998999) return 3;
    }
    return 2;
}

std::string dayBarPath(const std::string& base, std::int32_t market, std::string_view code) {
    const char* m = market == 1 ? "sh" : "sz";
    return base + "mkthome/" + m + "/lday/" + m + std::string(code) + ".day";
}

bool readDayBarFrom(const std::string& base, std::int32_t date, std::int32_t market,
                    std::string_view code, DayBar& out) {
    // A code never names another folder.
    if (code.empty() || code.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return false;
    // A bar file holds one record a trading day; far fewer than this bound.
    constexpr std::size_t kMaxBarFileBytes = 64u << 20;
    const ReadResult file =
        readWholeFile(dayBarPath(base, market, code), OpenMode::ReadOnly, kMaxBarFileBytes);
    if (file.status != ReadStatus::Ok || file.bytes.size() % sizeof(DayBar) != 0) return false;
    for (std::size_t at = 0; at < file.bytes.size(); at += sizeof(DayBar)) {
        DayBar bar;
        std::memcpy(&bar, file.bytes.data() + at, sizeof bar);
        if (bar.date == date) {
            out = bar;
            return true;
        }
    }
    return false;
}

bool readDayBar(std::int32_t date, std::int32_t market, std::string_view code, DayBar& out) {
    auto cwd = currentDirectory();
    return cwd && readDayBarFrom(*cwd, date, market, code, out);
}

}  // namespace fiscora
