#include "fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fiscora::fuzz {
namespace {

struct Scratch {
    Scratch() {
        std::string pattern =
            std::filesystem::temp_directory_path().string() + "/fiscora-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        // The data folder one level down, so that what the store keeps beside it (the
        // ledger digests) goes with it.
        top = pattern;
        path = top + "/data/";
        std::filesystem::create_directory(path);
    }
    ~Scratch() { std::filesystem::remove_all(top); }
    std::string top;
    std::string path;
};

}  // namespace

const DataScrambler& fileScrambler() {
    static const DataScrambler* scrambler = [] {
        auto* s = new DataScrambler;
        s->setFileKey();
        return s;
    }();
    return *scrambler;
}

const std::string& scratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

std::string writeScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace fiscora::fuzz
