#pragma once

#include <QGuiApplication>
#include <memory>

namespace fiscora::qt {

// For programs without a window: when no application object exists, makes one on the
// off-screen platform for the scope, with Qt's own notes kept off the terminal (only real
// failures reach it). With an application already running it does nothing.
class OffscreenApplication {
public:
    OffscreenApplication();
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
    QtMessageHandler previous_ = nullptr;
};

}  // namespace fiscora::qt
