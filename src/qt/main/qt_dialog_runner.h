#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/common/dialog_runner.h"

namespace fiscora::qt {

// Shows each dialog model in its own view, owned by the main window.
class QtDialogRunner : public ui::DialogRunner {
public:
    explicit QtDialogRunner(QWidget* owner) : owner_(owner) {}

    bool run(ui::DialogModel& dialog) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace fiscora::qt
