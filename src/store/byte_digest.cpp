#include "store/byte_digest.h"

#include <bit>
#include <cstring>

namespace fiscora {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;

std::uint64_t mixWord(std::uint64_t lane, std::uint64_t word) {
    return std::rotl(lane + word * kPrime2, 31) * kPrime1;
}

std::uint64_t wordAt(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

}  // namespace

ByteDigest digestOf(const void* data, std::size_t length) {
    ByteDigest d;
    d.length = length;
    d.lanes = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
    const auto* p = static_cast<const unsigned char*>(data);
    std::size_t left = length;
    // Whole stripes of four words, one per lane; the lanes' chains overlap in the CPU.
    for (; left >= 32; left -= 32, p += 32)
        for (std::size_t i = 0; i < 4; ++i) d.lanes[i] = mixWord(d.lanes[i], wordAt(p + 8 * i));
    // The rest word by word into the lanes in turn, a last piece padded with zeros.
    for (std::size_t i = 0; left > 0; ++i) {
        const std::size_t n = left < 8 ? left : 8;
        unsigned char word[8] = {};
        std::memcpy(word, p, n);
        d.lanes[i] = mixWord(d.lanes[i], wordAt(word));
        p += n;
        left -= n;
    }
    return d;
}

}  // namespace fiscora
