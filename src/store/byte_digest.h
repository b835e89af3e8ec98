#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fiscora {

// A fingerprint of a buffer, for telling whether bytes read earlier are still the same:
// four lanes of xxHash64-style rounds over interleaved 8-byte words, kept unmerged (256
// bits), and the length. For a fixed lane a round is a bijection of the word, and for a
// fixed word a bijection of the lane, so a change of one word always changes the digest;
// larger changes go unseen only by chance (about 2^-64). Not a protection against anyone
// who crafts bytes: it compares a program's own memory with what it read.
struct ByteDigest {
    std::array<std::uint64_t, 4> lanes{};
    std::size_t length = 0;
    bool operator==(const ByteDigest&) const = default;
};

ByteDigest digestOf(const void* data, std::size_t length);

}  // namespace fiscora
