#pragma once

#include <QPointer>
#include <QWidget>

#include "host/messages.h"

namespace fiscora::qt {

// Messages as modal message boxes, owned by the active modal dialog or else by `owner`.
class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* owner = nullptr) : owner_(owner) {}

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& caption) override;
    bool askWithIcon(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

private:
    QWidget* parentForBox() const;

    QPointer<QWidget> owner_;
};

}  // namespace fiscora::qt
