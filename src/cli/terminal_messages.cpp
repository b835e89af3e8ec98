#include "cli/terminal_messages.h"

namespace fiscora::cli {

void TerminalMessages::show(const std::string& text, const std::string& /*caption*/,
                            MessageIcon /*icon*/) {
    err_ << text << '\n';
    ++count_;
}

bool TerminalMessages::ask(const std::string& text, const std::string& /*caption*/) {
    err_ << text << (answer_ ? " (yes)\n" : " (no)\n");
    ++count_;
    return answer_;
}

}  // namespace fiscora::cli
