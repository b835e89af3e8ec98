#pragma once

#include <string>
#include <vector>

namespace fiscora::ui {

// The main window's menus and toolbar as data; the view builds its widgets from them
// and enables each command as MainWindowModel::isAvailable says.

struct MenuItem {
    std::string text;  // empty for a separator
    int command = 0;   // 0 for a separator or a submenu
    std::vector<MenuItem> submenu;

    bool isSeparator() const { return text.empty(); }
};

struct MenuBarEntry {
    std::string title;
    int command = 0;  // a top-level command item has no items
    std::vector<MenuItem> items;
};

struct ToolButton {
    int image = -1;  // index into the toolbar bitmap; -1 for a separator
    int command = 0;
    std::string tooltip;
    bool dropDown = false;  // the arrow opens otherOperationsMenu()

    bool isSeparator() const { return image < 0; }
};

std::vector<MenuBarEntry> mainMenuBar();
// The key that runs a command wherever the focus is in the window, as Qt's portable key
// text reads it ("Ctrl+Z"); empty for none.
std::string shortcutOf(int command);
std::vector<ToolButton> toolbarButtons();
// The toolbar's drop-down "其他操作".
std::vector<MenuItem> otherOperationsMenu();
// Right click in the account tree, and in the holdings list.
std::vector<MenuItem> treePopupMenu();
std::vector<MenuItem> listPopupMenu();

// The toolbar's images are 32 x 32 pixels; this colour is transparent in the bitmap.
inline constexpr int kToolButtonSize = 32;
inline constexpr unsigned kToolbarTransparentRgb = 0xC0C0C0;

}  // namespace fiscora::ui
