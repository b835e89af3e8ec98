#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// Something the user can make a dialog do besides typing in its fields: a button beside
// the confirm button, an entry of the context menu, a key, or several of them. The model
// declares it (DialogModel::addAction); a view makes the button, the menu entry and the
// shortcuts from it, and the command line and tests run it by caption (runAction).
struct DialogAction {
    std::string caption{};
    std::function<void()> run{};
    // Whether it may run now (a view shows it disabled otherwise); empty: always.
    std::function<bool()> enabled{};
    // Key names as a view's key sequences read them ("PgUp", "Left"); the keys work
    // wherever the focus is in the dialog, and are taken even while the action may not run.
    std::vector<std::string> keys{};
    // Enter in one of these fields runs the action, as if it were their default button.
    std::vector<const Field*> enterIn{};
    bool button = true;        // a push button
    bool contextMenu = false;  // an entry of the dialog's context menu

    bool mayRun() const { return !enabled || enabled(); }
};

}  // namespace fiscora::ui
