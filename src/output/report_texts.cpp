#include "output/report_texts.h"

#include <cstdio>

#include "host/messages.h"

namespace fiscora {

std::string reportPageText(int page, int lastPage) {
    char text[64];
    std::snprintf(text, sizeof text, "第%d页 共%d页", page, lastPage);
    return text;
}

std::string reportFooterText(const ReportTime& t) {
    char text[128];
    std::snprintf(text, sizeof text, "%s   %04d年%02d月%02d日 %02d:%02d", kProductName, t.year,
                  t.month, t.day, t.hour, t.minute);
    return text;
}

}  // namespace fiscora
