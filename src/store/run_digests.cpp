#include "store/run_digests.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace fiscora {

std::vector<ByteDigest> runDigestsOnAllCores(const void* buffer, std::size_t length,
                                             std::size_t runBytes) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    const std::size_t runs = (length + runBytes - 1) / runBytes;
    std::vector<ByteDigest> digests(runs);
    const auto digestRuns = [&](std::size_t first, std::size_t last) {
        for (std::size_t run = first; run < last; ++run)
            digests[run] =
                digestOf(bytes + run * runBytes, std::min(runBytes, length - run * runBytes));
    };
    // A few runs are not worth a thread.
    const std::size_t pieces =
        std::min<std::size_t>(std::max(1U, std::thread::hardware_concurrency()), runs / 4);
    if (pieces <= 1) {
        digestRuns(0, runs);
        return digests;
    }
    std::vector<std::jthread> helpers;
    helpers.reserve(pieces - 1);
    for (std::size_t piece = 1; piece < pieces; ++piece) {
        const std::size_t first = runs * piece / pieces;
        const std::size_t last = runs * (piece + 1) / pieces;
        try {
            helpers.emplace_back([&digestRuns, first, last] { digestRuns(first, last); });
        } catch (const std::system_error&) {
            // No thread to be had: these runs are digested here.
            digestRuns(first, last);
        }
    }
    digestRuns(0, runs / pieces);
    helpers.clear();  // joins them
    return digests;
}

}  // namespace fiscora
