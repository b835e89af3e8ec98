#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "host/quote_snapshot.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"

namespace fiscora::qt {
class MainWindowView;
}

namespace fiscora::test {

// Logs in to the demo account through its password dialog.
void logInToDemo(qt::MainWindowView& window);

// A sample workspace in a temporary folder, made the current directory and the data
// directory, with its quotes installed, for as long as the fixture lives.
class SampleWorkspace {
public:
    SampleWorkspace();
    ~SampleWorkspace();

    const std::string& folder() const { return dir_.path(); }
    std::string dataFile(const std::string& name) const { return dir_.path() + "invest/" + name; }
    QuoteSnapshot& quotes() { return quotes_; }

private:
    TempDir dir_;
    std::unique_ptr<ScopedCurrentDirectory> cwd_;
    QuoteSnapshot quotes_;
};

// Types text key by key, Chinese included (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Replaces the text of a line edit by typing, as a user would.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

// Enter on `widget`, or on the widget that has the focus.
inline void pressEnter(QWidget* widget = nullptr) {
    QTest::keyClick(widget != nullptr ? widget : QApplication::focusWidget(), Qt::Key_Return);
}

// Works the next dialog of type View with `act`, made the active window first.
template <typename View> void onNextView(std::function<void(View*)> act, QWidget* except) {
    demo::onNextModal(
        [act](QDialog* dialog) {
            auto* view = dynamic_cast<View*>(dialog);
            QVERIFY(view != nullptr);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            act(view);
        },
        except);
}

// Types the password into the next password dialog (shown over anything but `except`)
// and presses 登录.
void loginWith(const QString& password, QWidget* except);

// Picks an entry of a drop-down as the user does with the mouse or the keyboard.
inline void pickItem(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace fiscora::test
