#pragma once

#include <cstddef>

#include "store/data_scrambler.h"

namespace fiscora {

// Below this many bytes a buffer is deciphered on the calling thread alone: starting a
// thread costs more than it saves.
inline constexpr std::size_t kParallelDecipherMinBytes = 256 * 1024;

// Deciphers the buffer in place as DataScrambler::decrypt does, on every core: the cipher
// works on each 8-byte block alone, so the buffer is cut into one piece per core on block
// boundaries and the pieces are deciphered side by side. The bytes are those of one core.
// `threads` 0 takes the machine's cores. A length that is not a multiple of 8 leaves the
// buffer untouched and returns false.
bool decipherOnAllCores(const DataScrambler& scrambler, void* buffer, std::size_t length,
                        unsigned threads = 0);

}  // namespace fiscora
