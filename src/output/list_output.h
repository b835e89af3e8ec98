#pragma once

#include <string>

#include "output/list_table.h"

namespace fiscora {

// What the print and save commands of a list need from the platform. The window prints
// through the print dialog and opens the desktop's text editor; tests record the calls.
class ListOutput {
public:
    virtual ~ListOutput() = default;

    // Prints `list` as a paged report titled `title`.
    virtual void printList(const ListTable& list, const std::string& title) = 0;
    // Shows a saved text file to the user; false when no text editor could be started.
    virtual bool openInTextEditor(const std::string& path) = 0;
};

}  // namespace fiscora
