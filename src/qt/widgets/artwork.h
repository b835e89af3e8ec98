#pragma once

#include <QIcon>

namespace fiscora::qt {

// The program's pictures, drawn in code at start-up on a 32 x 32 design grid.

// Toolbar image by its index in the toolbar table; images 4 and 10 have no button.
inline constexpr int kToolbarImageCount = 14;
QIcon toolbarIcon(int index);

// Account tree: a logged-out or a logged-in account.
QIcon accountIcon(bool loggedIn);
// Holdings list: 0 Shenzhen, 1 Shanghai.
QIcon marketIcon(int market);
// The window and About box icon.
QIcon applicationIcon();

}  // namespace fiscora::qt
