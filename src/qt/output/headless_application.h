#pragma once

#include <QGuiApplication>
#include <memory>

namespace fiscora::qt {

// For programs without a window: while it lives, an application object exists, made on the
// off-screen platform when there was none, with Qt's notes (a missing runtime folder and the
// like) kept off the terminal unless they are real failures.
class HeadlessApplication {
public:
    HeadlessApplication();
    ~HeadlessApplication();
    HeadlessApplication(const HeadlessApplication&) = delete;
    HeadlessApplication& operator=(const HeadlessApplication&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
    QtMessageHandler previous_ = nullptr;
};

}  // namespace fiscora::qt
