#pragma once

namespace fiscora::qt {

// Opens the main window modally and returns when the user closes it. When the library
// could not find its current directory at load, says so and opens nothing.
void runMainWindow(bool startedUp);

}  // namespace fiscora::qt
