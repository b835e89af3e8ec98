#include "store/parallel_decipher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace fiscora {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<unsigned char>(rng());
    return out;
}

DataScrambler fileScrambler() {
    DataScrambler s;
    s.setFileKey();
    return s;
}

// Lengths around the threshold and block counts that no thread count divides evenly, so
// that every piece boundary and the longer first pieces are met.
TEST(ParallelDecipher, SameBytesAsOneCoreOnOddSizes) {
    const DataScrambler scrambler = fileScrambler();
    const std::size_t min = kParallelDecipherMinBytes;
    for (const std::size_t length : std::vector<std::size_t>{
             8, min - 8, min, min + 8, 2 * min + 8 * 7, 3 * min + 8 * 13, 8 * 104'729}) {
        const Bytes enciphered = randomBytes(length, static_cast<unsigned>(length));
        Bytes oneCore = enciphered;
        ASSERT_TRUE(scrambler.decrypt(oneCore.data(), oneCore.size()));
        for (const unsigned threads : {0U, 1U, 2U, 3U, 7U}) {
            Bytes allCores = enciphered;
            ASSERT_TRUE(decipherOnAllCores(scrambler, allCores.data(), allCores.size(), threads));
            EXPECT_EQ(allCores, oneCore) << length << " bytes on " << threads << " threads";
        }
    }
}

TEST(ParallelDecipher, RefusesWhatIsNotWholeBlocksAndLeavesItUntouched) {
    const DataScrambler scrambler = fileScrambler();
    for (const std::size_t length : {std::size_t{7}, 3 * kParallelDecipherMinBytes + 5}) {
        const Bytes original = randomBytes(length, 1);
        Bytes buffer = original;
        EXPECT_FALSE(decipherOnAllCores(scrambler, buffer.data(), buffer.size(), 4));
        EXPECT_EQ(buffer, original);
    }
    EXPECT_TRUE(decipherOnAllCores(scrambler, nullptr, 0, 4));
}

// Enciphering and deciphering on every core give back the bytes, on a ledger-sized buffer.
TEST(ParallelDecipher, UndoesEnciphering) {
    const DataScrambler scrambler = fileScrambler();
    const Bytes plain = randomBytes(200 * 4097, 2);
    Bytes buffer = plain;
    ASSERT_TRUE(scrambler.encrypt(buffer.data(), buffer.size()));
    ASSERT_NE(buffer, plain);
    ASSERT_TRUE(decipherOnAllCores(scrambler, buffer.data(), buffer.size(), 2));
    EXPECT_EQ(buffer, plain);
}

}  // namespace
}  // namespace fiscora
