#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>

#include "host/quote_snapshot.h"
#include "support/temp_dir.h"

namespace fiscora::test {

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

// Picks an entry of a drop-down as the user does with the mouse or the keyboard.
inline void pickItem(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace fiscora::test
