#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "records/ledger_record.h"

namespace fiscora {

// A stock position as its records name it: the market and the code's bytes up to its
// terminator (the bytes after it do not take part), packed into two words.
struct PositionKey {
    std::uint64_t code = 0;  // the first 8 bytes of the code
    std::uint64_t rest = 0;  // its last 2 bytes, then the market

    static PositionKey of(const LedgerRecord& record);
    bool operator==(const PositionKey&) const = default;
};

// Numbers the positions of records in order of first appearance. The few hundred positions
// of a ledger of a million records sit in an open-addressed table at most half full: about
// one probe per record, nothing allocated per record.
class PositionIndex {
public:
    struct Found {
        std::size_t index;
        bool added;  // the record's position is new: its index is the count before it
    };
    Found find(const LedgerRecord& record);
    // The number of the position of `key`, or nothing when no record has named it.
    std::optional<std::size_t> indexOf(const PositionKey& key) const;

    std::size_t size() const { return keys_.size(); }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    static std::size_t hashOf(const PositionKey& key);
    // The slot holding `key`, or the empty slot where it would go.
    std::size_t slotOf(const PositionKey& key) const;
    void place(std::uint32_t index);

    std::vector<PositionKey> keys_;                                              // by index
    std::vector<std::uint32_t> slots_ = std::vector<std::uint32_t>(64, kEmpty);  // 2^n
};

}  // namespace fiscora
