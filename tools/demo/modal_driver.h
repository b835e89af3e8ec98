#pragma once

#include <functional>

class QDialog;
class QWidget;

namespace fiscora::demo {

// Runs `act` on the next modal dialog other than `except` once it is open, from within
// its own modal loop: how the gallery and the window tests work a real dialog. `act` must
// close the dialog; one it leaves open is cancelled.
void onNextModal(std::function<void(QDialog*)> act, QWidget* except = nullptr);

}  // namespace fiscora::demo
