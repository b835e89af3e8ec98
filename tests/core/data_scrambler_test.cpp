#include "store/data_scrambler.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace fiscora {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes randomBytes(std::mt19937& rng, std::size_t n) {
    Bytes out(n);
    for (auto& b : out) b = static_cast<unsigned char>(rng());
    return out;
}

std::uint32_t readLe(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
}

DataScrambler keyed(const Bytes& key) {
    DataScrambler s;
    s.setKey(key.data(), static_cast<std::uint16_t>(key.size()));
    return s;
}

TEST(DataScrambler, InitialTablesAreTheDigitsOfPi) {
    const DataScrambler s;
    EXPECT_EQ(s.pArray()[0], 0x243F6A88u);
    EXPECT_EQ(s.pArray()[17], 0x8979FB1Bu);
    EXPECT_EQ(s.sBoxes()[0][0], 0xD1310BA6u);
    EXPECT_EQ(s.sBoxes()[1][0], 0x4B7A70E9u);
    EXPECT_EQ(s.sBoxes()[3][255], 0x3AC372E6u);
}

TEST(DataScrambler, ReferenceVectors) {
    struct Vector {
        std::uint64_t key, plain, cipher;
    };
    for (const Vector v :
         {Vector{0, 0, 0x4EF997456198DD78}, Vector{~0ull, ~0ull, 0x51866FD5B85ECB8A},
          Vector{0x3000000000000000, 0x1000000000000001, 0x7D856F9A613063F2}}) {
        Bytes key(8);
        for (int i = 0; i < 8; ++i) key[i] = static_cast<unsigned char>(v.key >> (56 - 8 * i));
        const DataScrambler s = keyed(key);
        auto l = static_cast<std::uint32_t>(v.plain >> 32), r = static_cast<std::uint32_t>(v.plain);
        s.encryptBlock(l, r);
        EXPECT_EQ((std::uint64_t{l} << 32) | r, v.cipher) << std::hex << v.key;
        s.decryptBlock(l, r);
        EXPECT_EQ((std::uint64_t{l} << 32) | r, v.plain);
    }
}

TEST(DataScrambler, BufferLengths) {
    std::mt19937 rng(1);
    DataScrambler s;
    s.setFileKey();
    for (std::size_t n : {8u, 16u, 24u, 64u, 4096u, 8000u}) {
        const Bytes plain = randomBytes(rng, n);
        Bytes buf = plain;
        ASSERT_TRUE(s.encrypt(buf.data(), n));
        EXPECT_NE(buf, plain);
        ASSERT_TRUE(s.decrypt(buf.data(), n));
        EXPECT_EQ(buf, plain) << n;
    }
    for (std::size_t n : {7u, 12u, 201u}) {
        const Bytes plain = randomBytes(rng, n);
        Bytes buf = plain;
        EXPECT_FALSE(s.encrypt(buf.data(), n) || s.decrypt(buf.data(), n));
        EXPECT_EQ(buf, plain) << n;
    }
    EXPECT_TRUE(s.encrypt(nullptr, 0));
    EXPECT_TRUE(s.decrypt(nullptr, 0));
}

TEST(DataScrambler, BlocksAreIndependent) {
    std::mt19937 rng(2);
    DataScrambler s;
    s.setFileKey();
    Bytes buf = randomBytes(rng, 64);
    std::copy_n(buf.begin() + 8, 8, buf.begin() + 40);
    Bytes lone(buf.begin() + 8, buf.begin() + 16), altered = buf;
    altered[3] ^= 0x80;
    ASSERT_TRUE(s.encrypt(buf.data(), 64) && s.encrypt(lone.data(), 8) &&
                s.encrypt(altered.data(), 64));
    EXPECT_TRUE(std::equal(buf.begin() + 8, buf.begin() + 16, buf.begin() + 40));
    EXPECT_TRUE(std::equal(lone.begin(), lone.end(), buf.begin() + 8));
    EXPECT_FALSE(std::equal(buf.begin(), buf.begin() + 8, altered.begin()));
    EXPECT_TRUE(std::equal(buf.begin() + 8, buf.end(), altered.begin() + 8));
}

// The halves are little-endian words: textbook (big-endian) Blowfish on each half
// byte-reversed, with the output halves reversed back.
TEST(DataScrambler, HalvesAreLittleEndian) {
    DataScrambler s;
    s.setFileKey();
    Bytes buf = {0x01, 0x00, 0x00, 0x00, 0x9A, 0x3C, 0x51, 0xE7};
    std::uint32_t l = 0x00000001, r = 0xE7513C9A;  // 00 00 00 01 E7 51 3C 9A, big-endian
    s.encryptBlock(l, r);
    ASSERT_TRUE(s.encrypt(buf.data(), buf.size()));
    EXPECT_EQ(readLe(buf.data()), l);
    EXPECT_EQ(readLe(buf.data() + 4), r);
}

// OpenSSL's Blowfish, fed the same little-endian words, is the oracle for the key
// schedule, both directions and every key length (with wrap-around of short keys).
TEST(DataScrambler, MatchesOpenSsl) {
    std::mt19937 rng(4);
    std::vector<std::size_t> lengths = {1, 3, 5, 7, 8, 22, 56, 72};
    for (int i = 0; i < 40; ++i) lengths.push_back(1 + rng() % 56);
    for (std::size_t keyLength : lengths) {
        const Bytes key = randomBytes(rng, keyLength);
        const DataScrambler s = keyed(key);
        BF_KEY oracle;
        BF_set_key(&oracle, static_cast<int>(keyLength), key.data());
        ASSERT_TRUE(std::equal(s.pArray().begin(), s.pArray().end(), oracle.P)) << keyLength;
        for (std::size_t b = 0; b < 4; ++b)
            ASSERT_TRUE(std::equal(s.sBoxes()[b].begin(), s.sBoxes()[b].end(), oracle.S + 256 * b));

        const Bytes plain = randomBytes(rng, 8 * (1 + rng() % 64));
        Bytes ours = plain;
        ASSERT_TRUE(s.encrypt(ours.data(), ours.size()));
        for (std::size_t at = 0; at < plain.size(); at += 8) {
            BF_LONG words[2] = {readLe(&plain[at]), readLe(&plain[at + 4])};
            BF_encrypt(words, &oracle);
            ASSERT_EQ(readLe(&ours[at]), words[0]) << keyLength << " @" << at;
            ASSERT_EQ(readLe(&ours[at + 4]), words[1]);
            BF_decrypt(words, &oracle);
            ASSERT_EQ(words[0], readLe(&plain[at]));
        }
        ASSERT_TRUE(s.decrypt(ours.data(), ours.size()));
        ASSERT_EQ(ours, plain);
    }
}

}  // namespace
}  // namespace fiscora
