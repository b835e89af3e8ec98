#include "store/parallel_decipher.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A buffer filled run by run while the other cores decipher behind: the bytes of one core,
// for lengths below and around the threshold, several pieces and a last piece in part.
TEST(DecipherBehindReader, SameBytesAsOneCoreWhateverTheRunsFilled) {
    const DataScrambler scrambler = fileScrambler();
    const std::size_t min = kParallelDecipherMinBytes;
    for (const std::size_t length :
         std::vector<std::size_t>{0, 8, min - 8, min + 8, 8 * 104'729, 3 * 1024 * 1024 + 8 * 13}) {
        const Bytes enciphered = randomBytes(length, static_cast<unsigned>(length));
        Bytes oneCore = enciphered;
        ASSERT_TRUE(scrambler.decrypt(oneCore.data(), oneCore.size()));
        for (const unsigned threads : {1U, 2U, 3U}) {
            Bytes buffer(length);
            DecipherBehindReader decipher(scrambler, buffer.data(), length, threads);
            for (std::size_t at = 0; at < length;) {
                const std::size_t run = std::min<std::size_t>(200 * 256, length - at);
                std::copy_n(enciphered.begin() + static_cast<std::ptrdiff_t>(at), run,
                            buffer.begin() + static_cast<std::ptrdiff_t>(at));
                at += run;
                decipher.filled(at);
            }
            decipher.finish();
            EXPECT_EQ(buffer, oneCore) << length << " bytes on " << threads << " threads";
        }
    }
}

// A reader that stops part way: the helpers stop too, and what was never filled is never
// touched, even by a helper already waiting for it.
TEST(DecipherBehindReader, AReaderThatStopsLeavesTheRestAlone) {
    const DataScrambler scrambler = fileScrambler();
    const std::size_t length = 4 * 1024 * 1024;
    const Bytes enciphered = randomBytes(length, 3);
    Bytes buffer(length, 0xAB);
    {
        DecipherBehindReader decipher(scrambler, buffer.data(), length, 3);
        std::copy_n(enciphered.begin(), length / 2, buffer.begin());
        decipher.filled(length / 2);
        decipher.abandon();
    }
    const auto rest = buffer.begin() + static_cast<std::ptrdiff_t>(length / 2);
    EXPECT_TRUE(std::all_of(rest, buffer.end(), [](unsigned char b) { return b == 0xAB; }));
}

}  // namespace
}  // namespace fiscora
