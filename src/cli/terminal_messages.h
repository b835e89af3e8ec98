#pragma once

#include <ostream>

#include "host/messages.h"

namespace fiscora::cli {

// The system's messages on the terminal: each text on a line of its own on the error
// stream. Every question is answered with No, unless the command was told to say Yes
// (delete-record --yes); the question and its answer are shown either way.
class TerminalMessages : public Messages {
public:
    explicit TerminalMessages(std::ostream& err) : err_(err) {}

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& caption) override;

    void answerYes() { answer_ = true; }

    // How many messages have been shown so far; a refusal always shows one.
    int count() const { return count_; }

private:
    std::ostream& err_;
    int count_ = 0;
    bool answer_ = false;
};

}  // namespace fiscora::cli
