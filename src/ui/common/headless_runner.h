#pragma once

#include <deque>
#include <optional>

#include "ui/common/dialog_registry.h"
#include "ui/common/dialog_runner.h"
#include "ui/common/field_entry.h"

namespace fiscora::ui {

// How each type of dialog is filled without a window (usually enterFields).
using HeadlessFiller = std::optional<EntryRefusal>(DialogModel&, const Entries&);
using HeadlessFillers = DialogRegistry<HeadlessFiller>;

// Runs dialogs without a window. Each showing takes the next entries given with enter():
// the dialog is opened, filled by the filler registered for its type, and confirmed
// once; a refusal of the confirmation, or an entry the dialog cannot take, counts as
// cancelled. A showing with no entries left is cancelled, so a command that shows its
// dialog again after a conflict ends with the conflict's message, while a command may show
// any dialog as often as it was given entries for.
class HeadlessRunner : public DialogRunner {
public:
    explicit HeadlessRunner(const HeadlessFillers& fillers) : fillers_(fillers) {}

    void enter(Entries entries) { pending_.push_back(std::move(entries)); }
    bool run(DialogModel& dialog) override;

    // Whether the last dialog shown was confirmed.
    bool confirmed() const { return confirmed_; }
    // The entry that stopped the last showing, if one did.
    const std::optional<EntryRefusal>& refusal() const { return refusal_; }

private:
    const HeadlessFillers& fillers_;
    std::deque<Entries> pending_;
    bool confirmed_ = false;
    std::optional<EntryRefusal> refusal_;
};

}  // namespace fiscora::ui
