// Writes the sample workspace the demo host opens: make_demo_workspace FOLDER

#include <cstdio>
#include <string>

#include "engine/dates.h"
#include "tools/demo/demo_workspace.h"

namespace {

class StderrMessages : public fiscora::Messages {
public:
    void show(const std::string& text, const std::string& caption, fiscora::MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool ask(const std::string&, const std::string&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_workspace FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    StderrMessages messages;
    return fiscora::demo::writeDemoWorkspace(folder, fiscora::today(), messages) ? 0 : 1;
}
