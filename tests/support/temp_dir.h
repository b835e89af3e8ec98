#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "host/messages.h"
#include "store/safe_file.h"

namespace fiscora::test {

// A fresh folder below /tmp, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing '/'.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Makes the process's current directory `dir` for the scope, restoring it afterwards.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& dir);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::string previous_;
};

// Makes every write beyond `bytes` fail for the scope (as a full disk would, even for
// root), restoring the limit afterwards.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(unsigned long bytes);
    ~ScopedFileSizeLimit();
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    unsigned long previousLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

Bytes readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);
// The file's inode number, 0 when there is none.
ino_t inodeOf(const std::string& path);

// Every message shown, in order; questions answered with `answer`.
class RecordingMessages : public Messages {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override {
        shown.push_back({text, caption, icon});
    }
    bool ask(const std::string& text, const std::string& caption) override {
        return askWithIcon(text, caption, MessageIcon::Question);
    }
    bool askWithIcon(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        asked.push_back(text + "|" + caption);
        askedIcons.push_back(icon);
        return answer;
    }

    // The texts shown, in order.
    std::vector<std::string> texts() const;

    std::vector<Shown> shown;
    std::vector<std::string> asked;
    std::vector<MessageIcon> askedIcons;
    bool answer = true;
};

}  // namespace fiscora::test
