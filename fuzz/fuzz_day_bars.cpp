// The host's daily bar file: the first four bytes are the day asked for.
#include <cstring>
#include <filesystem>

#include "fuzz_support.h"
#include "store/day_bar_file.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t date = 0;
    std::memcpy(&date, data, 4);
    static const bool folders = [] {
        std::filesystem::create_directories(fuzz::scratchFolder() + "mkthome/sh/lday");
        return true;
    }();
    (void)folders;
    fuzz::writeScratchFile("mkthome/sh/lday/sh600000.day", data + 4, size - 4);
    DayBar bar{};
    readDayBarFrom(fuzz::scratchFolder(), date, 1, "600000", bar);
    return 0;
}
