#pragma once

// What the fuzz targets share: a private folder for the files they write, and messages
// that go nowhere.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/messages.h"
#include "store/data_scrambler.h"

namespace fiscora::fuzz {

class QuietMessages : public Messages {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};

// The cipher keyed for the data files.
const DataScrambler& fileScrambler();

// A folder of this process (with a trailing '/'), removed at exit.
const std::string& scratchFolder();

// Replaces the file `name` in the scratch folder with the bytes; its path.
std::string writeScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

}  // namespace fiscora::fuzz
