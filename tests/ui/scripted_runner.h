#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/common/dialog_runner.h"

namespace fiscora::test {

// Plays the user in front of each dialog a command shows: every showing opens the
// dialog (OnInitDialog) and takes the next scripted step. A step edits the fields and
// answers whether to confirm; confirming runs OnConfirm, and a refusal takes the next
// step on the same showing, as a user would after the message. With no steps left the
// dialog is cancelled.
class ScriptedRunner : public ui::DialogRunner {
public:
    using Step = std::function<bool(ui::DialogModel&)>;

    // A step for a dialog of type D; a dialog of any other type fails the test.
    template <typename D> void then(std::function<bool(D&)> step) {
        steps_.push_back([step](ui::DialogModel& dialog) {
            D* typed = dynamic_cast<D*>(&dialog);
            EXPECT_NE(typed, nullptr) << "unexpected dialog " << dialog.caption();
            return typed != nullptr && step(*typed);
        });
    }
    void thenCancel() {
        steps_.push_back([](ui::DialogModel&) { return false; });
    }

    bool run(ui::DialogModel& dialog) override {
        captions.push_back(dialog.caption());
        dialog.OnInitDialog();
        while (!steps_.empty()) {
            Step step = std::move(steps_.front());
            steps_.pop_front();
            if (!step(dialog)) return false;
            if (dialog.OnConfirm()) return true;
        }
        return false;
    }

    bool done() const { return steps_.empty(); }

    // The caption of every showing, in order.
    std::vector<std::string> captions;

private:
    std::deque<Step> steps_;
};

}  // namespace fiscora::test
