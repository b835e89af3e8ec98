#pragma once

#include <string>
#include <string_view>

namespace fiscora::ui {

// Window titles name the account they act on: action + " -[" + account + "]".
inline std::string dialogTitle(std::string_view action, std::string_view account) {
    std::string title(action);
    title += " -[";
    title += account;
    title += "]";
    return title;
}

}  // namespace fiscora::ui
