#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/messages.h"
#include "ui/common/dialog_action.h"
#include "ui/common/dialog_fields.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

struct ListField;

// Keys the dialogs route to their model instead of the widget that has the focus.
enum class NavKey { Enter, Down, Up };

enum class KeyOutcome {
    NotHandled,        // the dialog keeps the platform's behaviour for this key
    Moved,             // the focus moved to another field
    ConfirmRequested,  // confirm as if the accept button were pressed
    Handled,           // the model acted on the key (an action, a list's activation)
};

// Number boxes hold at most this many characters.
inline constexpr std::size_t kNumberBoxChars = 19;

// The framework's prompts for a number box whose text does not read back.
inline constexpr const char* kEnterIntegerPrompt = "请输入一个整数。";
inline constexpr const char* kEnterNumberPrompt = "请输入一个数字。";

// The buttons under a dialog's fields. An empty cancel text: no cancel button.
struct DialogButtons {
    std::string confirm = "确定";
    std::string cancel = "取消";
    // Whether Tab stops on them (and so whether Enter can reach them).
    bool takeFocus = true;
};

// The part every dialog model shares: its caption, its buttons, the fields in tab order,
// the focus, the event map, keyboard navigation and the read-back of boxes. A view shows
// the model modally (see DialogRunner), calls OnInitDialog when it opens and OnConfirm when
// the user confirms, closing only when OnConfirm returns true, and refreshes its widgets
// after every event.
//
// User actions: views, the command line and tests change a dialog only through typeText,
// pickItem, pickDate, setChecked, pickRow, activateRow, rightClickRow, focusChangedTo, onKey,
// runAction and pressKey. Each writes the field and fires the handler the dialog registered for
// that field (onChange, onLeave) or runs the action it declared (addAction), so nobody outside
// the model knows which handler answers which field or button.
//
// Focus: the model's focus is a field (or none, e.g. a button). When the model moves it,
// focusRequest() changes and the view moves the widget focus, selecting the whole text
// when textSelected() says so. When the user moves it, the view reports focusChangedTo().
// The tab order lists the fields that take the focus, in order; no other field does.
class DialogModel {
public:
    explicit DialogModel(Messages& messages) : messages_(messages) {}
    virtual ~DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    // Runs when the dialog opens (again, when a command shows it once more: the fields
    // then keep their entries). The default puts the focus in the first field, or in the
    // box a command refused (refusedAt).
    virtual void OnInitDialog();
    // A command refused what the dialog held because of `box` (a wrong password, a name
    // taken): when it shows again the focus starts there, its text selected.
    void refusedAt(const Field& box) { refused_ = &box; }
    // Reads the fields back and checks them; true when the dialog may close confirmed.
    // Refusals are shown through the messages and leave the dialog open.
    virtual bool OnConfirm() { return true; }

    // Enter in a field an action names (DialogAction::enterIn) runs that action, and Enter
    // on a list's current row activates it. Otherwise Enter/Down move to the next field and
    // confirm from the last, Up moves back; the keys never reach the widget (so drop-downs
    // keep their selection). Dialogs that keep the platform's Enter-confirms behaviour
    // return NotHandled.
    KeyOutcome onKey(NavKey key);

    // The user moved the focus to `field` (null: to a control that is not a field); the
    // field left runs its leave handler.
    void focusChangedTo(const Field* field);
    // The user typed: the box now holds `text`.
    void typeText(TextField& box, std::string text);
    // The user picked entry `index`, even the one already selected: the handler runs.
    void pickItem(ChoiceField& list, int index);
    // The user chose a day (YYYYMMDD).
    void pickDate(DateField& picker, std::int32_t date);
    // The user ticked (or cleared) a check box.
    void setChecked(CheckField& box, bool checked);
    // The user made `row` the current row of a list (-1: none).
    void pickRow(ListField& list, int row);
    // A double click on `row` (-1: outside the rows, where it does nothing): the row made
    // current, then the list's activate hook.
    void activateRow(ListField& list, int row);
    // A right click on `row` (-1: outside the rows) makes it current; true when the context
    // menu is to open (on a row of a list that has one).
    bool rightClickRow(ListField& list, int row);

    // The buttons, menu entries and keys the dialog declared, in order.
    const std::vector<DialogAction>& actions() const { return actions_; }
    // Runs the action captioned `caption` when it may run; true when it ran.
    bool runAction(std::string_view caption);
    // A key (as DialogAction::keys names it): runs its action when it may run. True when an
    // action takes the key.
    bool pressKey(std::string_view key);

    const std::string& caption() const { return caption_; }
    const DialogButtons& buttons() const { return buttons_; }
    const std::vector<Field*>& tabOrder() const { return tabOrder_; }
    bool takesFocus(const Field& field) const { return indexOf(&field) >= 0; }
    const Field* focused() const { return focus_ < 0 ? nullptr : tabOrder_[focus_]; }
    bool textSelected() const { return selectAll_; }
    // Changes whenever the model moves the focus itself.
    std::uint32_t focusRequest() const { return focusRequest_; }

protected:
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    void setButtons(DialogButtons buttons) { buttons_ = std::move(buttons); }
    // Names a field and gives it its caption.
    static void declare(Field& field, std::string name, std::string label = {}) {
        field.name = std::move(name);
        field.label = std::move(label);
    }
    // The event map: what runs when the user changes `field` (typing, picking) or leaves it
    // for `to` (null: not a field).
    void onChange(const Field& field, std::function<void()> handler) {
        changeHandlers_[&field] = std::move(handler);
    }
    void onLeave(const Field& field, std::function<void(const Field* to)> handler) {
        leaveHandlers_[&field] = std::move(handler);
    }
    void setTabOrder(std::vector<Field*> fields) { tabOrder_ = std::move(fields); }
    // Declares a button, context-menu entry or key (dialog_action.h).
    void addAction(DialogAction action) { actions_.push_back(std::move(action)); }
    // Whether Enter and the arrows navigate between fields.
    void setKeyNavigation(bool on) { keyNavigation_ = on; }
    // Enter and Down confirm from this field, and move on (wrapping) from every other one.
    // Without it they confirm from the last enabled field.
    void setConfirmField(const Field& field) { confirmField_ = &field; }
    // Moves the focus to `field` (a field of the tab order), selecting its text.
    void focusOn(const Field& field, bool selectAll = true);
    // Runs whenever the focus has left `from` for `to` (null: not a field), after the
    // move; a dialog may move the focus again from here. By default it runs the leave
    // handler registered for `from`.
    virtual void OnFocusMoved(const Field& from, const Field* to);

    // Read-back of number boxes: the value, or nothing after the framework's prompt with
    // the focus put back on the box and its text selected.
    std::optional<std::int32_t> readInt(TextField& box);
    std::optional<std::uint32_t> readUnsigned(TextField& box);
    std::optional<double> readNumber(TextField& box);

    // Text that goes into a file must fit its box's GBK byte limit and be GBK at all;
    // otherwise the reason is shown as an error naming `label`, the focus goes to the box,
    // and the result is false.
    bool checkStorable(TextField& box, std::string_view label);

    Messages& messages() const { return messages_; }

private:
    int indexOf(const Field* field) const;
    void changed(const Field& field);
    // The next (step +1) or previous (-1) enabled field after `from`, wrapping around.
    int neighbour(int from, int step) const;
    bool isLastEnabled(int index) const;
    // What Enter does in the focused field before navigation: an action, an activation.
    bool enterHandled();
    void moveFocus(int index, bool selectAll);

    Messages& messages_;
    std::string caption_;
    DialogButtons buttons_;
    std::vector<Field*> tabOrder_;
    std::map<const Field*, std::function<void()>> changeHandlers_;
    std::map<const Field*, std::function<void(const Field*)>> leaveHandlers_;
    std::vector<DialogAction> actions_;
    int focus_ = -1;
    bool selectAll_ = false;
    std::uint32_t focusRequest_ = 0;
    bool keyNavigation_ = true;
    const Field* confirmField_ = nullptr;
    const Field* refused_ = nullptr;
};

}  // namespace fiscora::ui
