#include "store/parallel_decipher.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace fiscora {

bool decipherOnAllCores(const DataScrambler& scrambler, void* buffer, std::size_t length,
                        unsigned threads) {
    if (length % 8 != 0) return false;
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    const std::size_t blocks = length / 8;
    // Every piece at least the size worth a thread of its own.
    const std::size_t pieces = std::min<std::size_t>(threads, length / kParallelDecipherMinBytes);
    if (pieces <= 1) return scrambler.decrypt(buffer, length);
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto pieceBytes = [&](std::size_t piece) {
        // Whole blocks, the first pieces one block longer when they do not divide evenly.
        return 8 * (blocks / pieces + (piece < blocks % pieces ? 1 : 0));
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(pieces - 1);
    std::size_t offset = pieceBytes(0);
    for (std::size_t piece = 1; piece < pieces; ++piece) {
        const std::size_t size = pieceBytes(piece);
        unsigned char* start = bytes + offset;
        try {
            helpers.emplace_back([&scrambler, start, size] { scrambler.decrypt(start, size); });
        } catch (const std::system_error&) {
            // No thread to be had: this piece is deciphered here.
            scrambler.decrypt(start, size);
        }
        offset += size;
    }
    scrambler.decrypt(bytes, pieceBytes(0));
    return true;  // each helper is joined as `helpers` goes out of scope
}

}  // namespace fiscora
