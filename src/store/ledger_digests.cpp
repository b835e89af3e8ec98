#include "store/ledger_digests.h"

#include <sodium.h>

#include <map>
#include <sstream>

#include "store/safe_file.h"

namespace fiscora {
namespace {

constexpr std::size_t kHexDigits = 64;
constexpr std::size_t kMaxBytes = 16 << 20;

using DigestTable = std::map<std::string, std::string>;

DigestTable readTable(const std::string& path) {
    DigestTable table;
    const ReadResult file = readWholeFile(path, OpenMode::ReadOnly, kMaxBytes);
    if (file.status != ReadStatus::Ok) return table;
    std::istringstream lines(std::string(file.bytes.begin(), file.bytes.end()));
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > kHexDigits + 2 && line.compare(kHexDigits, 2, "  ") == 0)
            table[line.substr(kHexDigits + 2)] = line.substr(0, kHexDigits);
    }
    return table;
}

}  // namespace

std::string ledgerDigestsPath(const std::string& dataDirectory) {
    std::string folder = dataDirectory;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    if (folder.empty() || folder == "." || folder == ".." || folder.ends_with("/.") ||
        folder.ends_with("/.."))
        return {};
    return folder + ".fiscora-digests";
}

std::string ledgerRecordsDigest(const std::vector<ByteDigest>& runs) {
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, 32);
    for (const ByteDigest& run : runs) {
        unsigned char bytes[5 * 8];
        for (std::size_t lane = 0; lane < 4; ++lane)
            for (std::size_t i = 0; i < 8; ++i)
                bytes[lane * 8 + i] = static_cast<unsigned char>(run.lanes[lane] >> (8 * i));
        for (std::size_t i = 0; i < 8; ++i)
            bytes[32 + i] =
                static_cast<unsigned char>(static_cast<std::uint64_t>(run.length) >> (8 * i));
        crypto_generichash_update(&state, bytes, sizeof bytes);
    }
    unsigned char out[32];
    crypto_generichash_final(&state, out, sizeof out);
    char hex[2 * sizeof out + 1];
    sodium_bin2hex(hex, sizeof hex, out, sizeof out);
    return hex;
}

void recordLedgerDigest(const std::string& dataDirectory, const std::string& fileName,
                        const std::optional<std::string>& digest) {
    const std::string path = ledgerDigestsPath(dataDirectory);
    if (path.empty()) return;
    DigestTable table = readTable(path);
    const auto it = table.find(fileName);
    if (digest ? it != table.end() && it->second == *digest : it == table.end()) return;
    if (digest)
        table[fileName] = *digest;
    else
        table.erase(it);
    std::string text;
    for (const auto& [name, value] : table) text += value + "  " + name + "\n";
    replaceFile(path, Bytes(text.begin(), text.end()));
}

std::optional<std::string> recordedLedgerDigest(const std::string& dataDirectory,
                                                const std::string& fileName) {
    const std::string path = ledgerDigestsPath(dataDirectory);
    if (path.empty()) return std::nullopt;
    DigestTable table = readTable(path);
    const auto it = table.find(fileName);
    if (it == table.end()) return std::nullopt;
    return it->second;
}

}  // namespace fiscora
