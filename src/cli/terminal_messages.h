#pragma once

#include <ostream>

#include "host/messages.h"

namespace fiscora::cli {

// The system's messages on the terminal: each text on a line of its own on the error
// stream, questions too, with the answer. Every question is answered No unless the user
// said Yes beforehand (--yes), or answers on the terminal where a command lets it.
class TerminalMessages : public Messages {
public:
    explicit TerminalMessages(std::ostream& err) : err_(err) {}

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& caption) override;

    // How many messages and questions have been shown so far; a refusal always shows one.
    int count() const { return count_; }
    void answerYes() { answer_ = true; }
    // Questions not answered beforehand are put to the user on the controlling terminal,
    // when there is one, and answered Yes only by "y" or "yes".
    void askOnTerminal() { askTerminal_ = true; }

private:
    std::ostream& err_;
    int count_ = 0;
    bool answer_ = false;
    bool askTerminal_ = false;
};

}  // namespace fiscora::cli
