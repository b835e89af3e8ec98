#include "engine/position_index.h"

#include <bit>
#include <cstring>

namespace fiscora {
namespace {

static_assert(std::endian::native == std::endian::little, "the code's first byte is the lowest");
static_assert(sizeof LedgerRecord::stockCode == 10);

// `bytes` with every byte from its first zero byte on cleared; `bytes` unchanged when it
// holds none. The lowest flag of the zero-byte test is exact (a borrow only runs upwards).
std::uint64_t cutAtTerminator(std::uint64_t bytes, bool& terminated) {
    const std::uint64_t zeroFlags =
        (bytes - 0x0101010101010101ULL) & ~bytes & 0x8080808080808080ULL;
    terminated = zeroFlags != 0;
    if (!terminated) return bytes;
    const int kept = std::countr_zero(zeroFlags) / 8 * 8;  // bits below the terminator
    return kept == 0 ? 0 : bytes & (~std::uint64_t{0} >> (64 - kept));
}

}  // namespace

PositionKey PositionKey::of(const LedgerRecord& record) {
    std::uint64_t first = 0;
    std::memcpy(&first, record.stockCode, 8);
    std::uint16_t last = 0;
    std::memcpy(&last, record.stockCode + 8, 2);
    bool terminated = false;
    PositionKey key;
    key.code = cutAtTerminator(first, terminated);
    if (terminated || (last & 0xFF) == 0)
        last = 0;
    else if ((last >> 8) == 0)
        last &= 0xFF;
    key.rest = last | std::uint64_t{static_cast<std::uint32_t>(record.market)} << 16;
    return key;
}

std::size_t PositionIndex::hashOf(const PositionKey& key) {
    const std::uint64_t mixed = key.code * 0x9E3779B97F4A7C15ULL ^
                                (key.rest + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(mixed ^ (mixed >> 32));
}

std::size_t PositionIndex::slotOf(const PositionKey& key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOf(key) & mask;
    while (slots_[slot] != kEmpty && !(keys_[slots_[slot]] == key)) slot = (slot + 1) & mask;
    return slot;
}

PositionIndex::Found PositionIndex::find(const LedgerRecord& record) {
    const PositionKey key = PositionKey::of(record);
    const std::size_t slot = slotOf(key);
    if (slots_[slot] != kEmpty) return {slots_[slot], false};
    const auto index = static_cast<std::uint32_t>(keys_.size());
    keys_.push_back(key);
    slots_[slot] = index;
    if (2 * keys_.size() > slots_.size()) {
        slots_.assign(2 * slots_.size(), kEmpty);
        for (std::uint32_t i = 0; i < keys_.size(); ++i) place(i);
    }
    return {index, true};
}

std::optional<std::size_t> PositionIndex::indexOf(const PositionKey& key) const {
    const std::size_t slot = slotOf(key);
    if (slots_[slot] == kEmpty) return std::nullopt;
    return slots_[slot];
}

void PositionIndex::place(std::uint32_t index) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOf(keys_[index]) & mask;
    while (slots_[slot] != kEmpty) slot = (slot + 1) & mask;
    slots_[slot] = index;
}

}  // namespace fiscora
