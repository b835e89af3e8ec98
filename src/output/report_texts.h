#pragma once

#include <string>

namespace fiscora {

// The local time a print job started, as its footer shows it.
struct ReportTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// "第%d页 共%d页".
std::string reportPageText(int page, int lastPage);

// "%s   %04d年%02d月%02d日 %02d:%02d" with the product name and the time.
std::string reportFooterText(const ReportTime& time);

}  // namespace fiscora
