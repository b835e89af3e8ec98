#include "engine/position_index.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace fiscora {
namespace {

LedgerRecord recordOf(std::int32_t market, const char (&code)[10]) {
    LedgerRecord r;
    r.market = market;
    std::memcpy(r.stockCode, code, sizeof r.stockCode);
    return r;
}

TEST(PositionKey, TheCodeCountsUpToItsTerminatorAndTheMarketCounts) {
    const PositionKey clean = PositionKey::of(recordOf(1, {'6', '0', '0', '0', '3', '6'}));
    // Bytes after the terminator, as a file written elsewhere may hold.
    EXPECT_EQ(PositionKey::of(recordOf(1, {'6', '0', '0', '0', '3', '6', 0, 'x', 'y', 'z'})),
              clean);
    EXPECT_NE(PositionKey::of(recordOf(0, {'6', '0', '0', '0', '3', '6'})), clean);
    EXPECT_NE(PositionKey::of(recordOf(1, {'6', '0', '0', '0', '3'})), clean);
    EXPECT_NE(PositionKey::of(recordOf(1, {'6', '0', '0', '0', '3', '6', '0'})), clean);
    EXPECT_EQ(PositionKey::of(recordOf(1, {0, '6'})), PositionKey::of(recordOf(1, {})));
    // Codes filling the field up to its last bytes, with and without a terminator there.
    const char full[10] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
    EXPECT_NE(PositionKey::of(recordOf(1, full)),
              PositionKey::of(recordOf(1, {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0})));
    EXPECT_EQ(PositionKey::of(recordOf(1, {'1', '2', '3', '4', '5', '6', '7', '8', 0, 'a'})),
              PositionKey::of(recordOf(1, {'1', '2', '3', '4', '5', '6', '7', '8', 0, 'b'})));
    EXPECT_EQ(PositionKey::of(recordOf(1, {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0})),
              PositionKey::of(recordOf(1, {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0})));
    // A byte 0x80 and above is text (GBK), not a terminator.
    EXPECT_NE(PositionKey::of(recordOf(1, {'\x81', '\x80', 'A'})),
              PositionKey::of(recordOf(1, {'\x81'})));
}

TEST(PositionIndex, NumbersPositionsInOrderOfFirstAppearanceAcrossGrowth) {
    PositionIndex index;
    // Far more positions than the first table holds, each met twice, in two markets.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 1000; ++i) {
            const std::string code = std::to_string(600000 + i);
            char field[10] = {};
            std::memcpy(field, code.data(), code.size());
            LedgerRecord r;
            std::memcpy(r.stockCode, field, sizeof field);
            r.market = i % 2;
            const PositionIndex::Found found = index.find(r);
            ASSERT_EQ(found.index, static_cast<std::size_t>(i)) << code;
            ASSERT_EQ(found.added, round == 0) << code;
        }
    }
    EXPECT_EQ(index.size(), 1000u);
}

}  // namespace
}  // namespace fiscora
