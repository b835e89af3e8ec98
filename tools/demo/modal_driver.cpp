#include "tools/demo/modal_driver.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace fiscora::demo {

void onNextModal(std::function<void(QDialog*)> act, QWidget* except) {
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, act = std::move(act), except] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // Gives up after five seconds, so a dialog that never opens cannot hang a run.
        if (++*waited > 500) {
            timer->deleteLater();
            return;
        }
        if (dialog == nullptr || dialog == except || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        const QPointer<QDialog> shown(dialog);
        act(dialog);
        // A dialog that `act` left open (a check failed part way) is cancelled, so that
        // its modal loop cannot wait for ever.
        if (shown && shown->isVisible()) shown->reject();
    });
    timer->start(10);
}

}  // namespace fiscora::demo
