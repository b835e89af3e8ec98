#include "store/day_bar_file.h"

#include <cstring>

#include "host/module_state.h"
#include "store/safe_file.h"

namespace fiscora {

std::string dayBarPath(const std::string& base, std::int32_t market, std::string_view code) {
    const char* m = market == 1 ? "sh" : "sz";
    return base + "mkthome/" + m + "/lday/" + m + std::string(code) + ".day";
}

std::vector<DayBar> readDayBarFile(const std::string& base, std::int32_t market,
                                   std::string_view code) {
    // A code never names another folder.
    if (code.empty() || code.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return {};
    // A bar file holds one record a trading day; far fewer than this bound.
    constexpr std::size_t kMaxBarFileBytes = 64u << 20;
    const ReadResult file =
        readWholeFile(dayBarPath(base, market, code), OpenMode::ReadOnly, kMaxBarFileBytes);
    if (file.status != ReadStatus::Ok || file.bytes.size() % sizeof(DayBar) != 0) return {};
    std::vector<DayBar> bars(file.bytes.size() / sizeof(DayBar));
    std::memcpy(static_cast<void*>(bars.data()), file.bytes.data(), file.bytes.size());
    return bars;
}

bool readDayBarFrom(const std::string& base, std::int32_t date, std::int32_t market,
                    std::string_view code, DayBar& out) {
    for (const DayBar& bar : readDayBarFile(base, market, code)) {
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
