#pragma once

#include <QDialog>
#include <map>

#include "qt/widgets/bind.h"
#include "ui/common/dialog_model.h"

class QAbstractButton;

namespace fiscora::qt {

class HoverButton;

// The window of a dialog model. It mirrors the model after every event: the bound
// fields, the caption and the focus the model asks for. Enter and the arrow keys in a
// field go to the model, which decides whether they move the focus or confirm; arrow
// keys never change a drop-down's selection. The dialog closes confirmed only when the
// model's OnConfirm accepts.
class DialogView : public QDialog {
public:
    DialogView(ui::DialogModel& model, QWidget* parent);

    // OnInitDialog, then the modal loop. True when confirmed.
    bool runModal();

protected:
    // Ties a widget to one of the model's fields for focus and keys. The bind overloads
    // below do this for the widgets they bind.
    template <typename Widget, typename FieldType>
    void bindField(Widget* widget, FieldType& field, Bindings::Event edited = {}) {
        // An event may move the focus (a picked code moves it on): show that too.
        bindings_.bind(widget, field, [this, edited = std::move(edited)] {
            if (edited) edited();
            refresh();
        });
        watch(widget, &field);
    }
    // Labels and other widgets that take no focus.
    Bindings& bindings() { return bindings_; }
    // The accepting button: runs OnConfirm. The rejecting one closes unconfirmed.
    HoverButton* confirmButton(const QString& caption);
    HoverButton* cancelButton(const QString& caption);

    // Model -> widgets.
    void refresh();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* widget, const ui::Field* field);
    void confirm();
    void applyFocusRequest();
    bool handleKey(QWidget* widget, int key);

    ui::DialogModel& model_;
    Bindings bindings_;
    std::map<QWidget*, const ui::Field*> fields_;
    std::uint32_t appliedFocusRequest_ = 0;
};

}  // namespace fiscora::qt
