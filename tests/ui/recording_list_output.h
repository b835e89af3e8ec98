#pragma once

#include <string>
#include <vector>

#include "output/list_output.h"

namespace fiscora::test {

// What the window's printing and text editor were asked to do.
class RecordingListOutput : public ListOutput {
public:
    void printList(const ListTable& list, const std::string& title) override {
        printed.push_back(list);
        titles.push_back(title);
    }
    bool openInTextEditor(const std::string& path) override {
        opened.push_back(path);
        return true;
    }

    std::vector<ListTable> printed;
    std::vector<std::string> titles;
    std::vector<std::string> opened;
};

}  // namespace fiscora::test
