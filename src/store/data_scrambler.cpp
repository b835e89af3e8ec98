#include "store/data_scrambler.h"

#include <utility>

namespace fiscora {
namespace {

#include "blowfish_tables.inc"

std::uint32_t loadLittleEndian(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void storeLittleEndian(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

// Calls step(integral_constant<I>) for I = 0..N-1, unrolled at compile time.
template <class Step, std::size_t... I>
inline void unrolledOver(Step step, std::index_sequence<I...>) {
    (step(std::integral_constant<std::size_t, I>{}), ...);
}
template <std::size_t N, class Step> inline void unrolled(Step step) {
    unrolledOver(step, std::make_index_sequence<N>{});
}

// The 16 rounds on N independent blocks at once. One block is a chain of dependent
// S-box lookups; interleaving blocks lets their lookups overlap. The rounds go two at a
// time so the halves never swap (odd rounds work on (r, l)); that leaves them exchanged
// relative to the textbook loop, which cancels its final un-swap. Encryption takes
// P[0..15] then whitens with P[16], P[17]; decryption takes P[17..2], then P[1], P[0].
template <bool Decrypt, std::size_t N, class Feistel>
inline void cipher(const std::uint32_t* p, Feistel f, std::uint32_t (&l)[N],
                   std::uint32_t (&r)[N]) {
    constexpr auto key = [](std::size_t i) { return Decrypt ? 17 - i : i; };
    unrolled<8>([&](auto pair) {
        unrolled<N>([&](auto b) {
            l[b] ^= p[key(2 * pair)];
            r[b] ^= f(l[b]);
        });
        unrolled<N>([&](auto b) {
            r[b] ^= p[key(2 * pair + 1)];
            l[b] ^= f(r[b]);
        });
    });
    unrolled<N>([&](auto b) {
        const std::uint32_t left = r[b] ^ p[key(17)];
        r[b] = l[b] ^ p[key(16)];
        l[b] = left;
    });
}

// Blocks per step of the buffer loop: four keep all halves and temporaries in the x86-64
// registers; more spill and run slower.
constexpr std::size_t kBatch = 4;

// N consecutive blocks, halves little-endian.
template <bool Decrypt, std::size_t N, class Feistel>
inline void cipherBlocks(const std::uint32_t* p, Feistel f, unsigned char* bytes) {
    std::uint32_t l[N], r[N];
    unrolled<N>([&](auto b) {
        l[b] = loadLittleEndian(bytes + 8 * b);
        r[b] = loadLittleEndian(bytes + 8 * b + 4);
    });
    cipher<Decrypt>(p, f, l, r);
    unrolled<N>([&](auto b) {
        storeLittleEndian(bytes + 8 * b, l[b]);
        storeLittleEndian(bytes + 8 * b + 4, r[b]);
    });
}

// ECB over whole 8-byte blocks.
template <bool Decrypt, class Feistel>
bool cipherBuffer(const std::uint32_t* p, Feistel f, void* buffer, std::size_t length) {
    if (length % 8 != 0) return false;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t blocks = length / 8;
    for (; blocks >= kBatch; blocks -= kBatch, bytes += 8 * kBatch)
        cipherBlocks<Decrypt, kBatch>(p, f, bytes);
    for (; blocks > 0; --blocks, bytes += 8) cipherBlocks<Decrypt, 1>(p, f, bytes);
    return true;
}

}  // namespace

DataScrambler::DataScrambler() : pArray_(kInitialPArray), sBoxes_(kInitialSBoxes) {}

void DataScrambler::setKey(const unsigned char* key, std::uint16_t length) {
    // Key bytes cycle through the P-array as big-endian words. An empty key leaves the
    // P-array as it is (the schedule below still runs).
    if (length > 0) {
        std::size_t j = 0;
        for (auto& word : pArray_) {
            std::uint32_t k = 0;
            for (int b = 0; b < 4; ++b, j = (j + 1) % length) k = k << 8 | key[j];
            word ^= k;
        }
    }
    // Chain encryptions of a zero block through the P-array, then the S-boxes; each
    // block uses the tables as already updated.
    std::uint32_t l = 0, r = 0;
    for (std::size_t i = 0; i < pArray_.size(); i += 2) {
        encryptBlock(l, r);
        pArray_[i] = l;
        pArray_[i + 1] = r;
    }
    for (auto& box : sBoxes_) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            encryptBlock(l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

void DataScrambler::setFileKey() {
    setKey(reinterpret_cast<const unsigned char*>(kFileKey), kFileKeyLength);
}

bool DataScrambler::encrypt(void* buffer, std::size_t length) const {
    return cipherBuffer<false>(
        pArray_.data(), [this](std::uint32_t x) { return f(x); }, buffer, length);
}

bool DataScrambler::decrypt(void* buffer, std::size_t length) const {
    return cipherBuffer<true>(
        pArray_.data(), [this](std::uint32_t x) { return f(x); }, buffer, length);
}

void DataScrambler::encryptBlock(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l[1] = {left}, r[1] = {right};
    cipher<false>(
        pArray_.data(), [this](std::uint32_t x) { return f(x); }, l, r);
    left = l[0];
    right = r[0];
}

void DataScrambler::decryptBlock(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l[1] = {left}, r[1] = {right};
    cipher<true>(
        pArray_.data(), [this](std::uint32_t x) { return f(x); }, l, r);
    left = l[0];
    right = r[0];
}

}  // namespace fiscora
