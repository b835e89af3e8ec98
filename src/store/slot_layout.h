#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fiscora {

// How a data file is cut into records: a header of `header` bytes, then records of `slot`
// bytes each (a trailing piece of a record is not one). A ledger has a 200-byte header slot
// and 200-byte records, the registry 192-byte entries, the fee table 79-byte rows.
struct SlotLayout {
    std::size_t header = 0;
    std::size_t slot = 1;

    std::size_t recordsIn(std::uint64_t bytes) const {
        return bytes <= header ? 0 : static_cast<std::size_t>((bytes - header) / slot);
    }
};

// The layout of a data file by its name: a ledger (".da0"), the registry or the fee table;
// any other file counts its bytes.
SlotLayout slotLayoutOf(const std::string& fileName);

}  // namespace fiscora
