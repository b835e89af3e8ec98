#pragma once

#include <ostream>

#include "host/messages.h"

namespace fiscora::cli {

// The system's messages on the terminal: each text on a line of its own on the error
// stream. The command line only reads, so it answers every question with No.
class TerminalMessages : public Messages {
public:
    explicit TerminalMessages(std::ostream& err) : err_(err) {}

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& caption) override;

    // How many messages have been shown so far; a refusal always shows one.
    int count() const { return count_; }

private:
    std::ostream& err_;
    int count_ = 0;
};

}  // namespace fiscora::cli
