#pragma once

#include <string>

namespace fiscora {

// Caption of every plain message box, and the product name in titles and reports.
inline constexpr const char* kProductName = "Fiscora";
// Caption of the error boxes, which also carry the stop icon.
inline constexpr const char* kErrorCaption = "错误";

enum class MessageIcon { None, Stop, Question, Warning };

// Where the core and the dialog models report what the user must see. Each front end
// implements it: message boxes in the window, stderr in the command line, a recorder in
// tests. Texts are UTF-8.
class Messages {
public:
    virtual ~Messages() = default;

    virtual void show(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const std::string& text, const std::string& caption) = 0;
    // The same question with an icon; front ends that draw icons override it.
    virtual bool askWithIcon(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
        (void)icon;
        return ask(text, caption);
    }

    void plain(const std::string& text) { show(text, kProductName, MessageIcon::None); }
    void error(const std::string& text) { show(text, kErrorCaption, MessageIcon::Stop); }
    bool askYesNo(const std::string& text) { return ask(text, kProductName); }
    bool askWarning(const std::string& text, const std::string& caption) {
        return askWithIcon(text, caption, MessageIcon::Warning);
    }
};

}  // namespace fiscora
