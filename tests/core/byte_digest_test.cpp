#include "store/byte_digest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace fiscora {
namespace {

std::vector<unsigned char> counting(std::size_t n) {
    std::vector<unsigned char> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(i * 7 + 3);
    return b;
}

TEST(ByteDigest, EveryChangedByteAndEveryLengthGivesAnotherDigest) {
    const auto bytes = counting(203);  // whole stripes, whole words and a short last word
    const ByteDigest original = digestOf(bytes.data(), bytes.size());
    EXPECT_EQ(digestOf(bytes.data(), bytes.size()), original);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const int flip : {0x01, 0x80, 0xFF}) {
            auto changed = bytes;
            changed[i] = static_cast<unsigned char>(changed[i] ^ flip);
            EXPECT_NE(digestOf(changed.data(), changed.size()), original) << i;
        }
    }
    std::set<std::array<std::uint64_t, 4>> seen;
    for (std::size_t n = 0; n <= bytes.size(); ++n) seen.insert(digestOf(bytes.data(), n).lanes);
    EXPECT_EQ(seen.size(), bytes.size() + 1);
}

TEST(ByteDigest, WordsSwappedOrMovedAreSeen) {
    const auto bytes = counting(200);
    const ByteDigest original = digestOf(bytes.data(), bytes.size());
    for (std::size_t a = 0; a < 25; ++a) {
        for (std::size_t b = a + 1; b < 25; ++b) {
            auto swapped = bytes;
            std::swap_ranges(swapped.begin() + 8 * a, swapped.begin() + 8 * a + 8,
                             swapped.begin() + 8 * b);
            EXPECT_NE(digestOf(swapped.data(), swapped.size()), original) << a << ' ' << b;
        }
    }
}

}  // namespace
}  // namespace fiscora
