#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

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

// Deciphers a buffer that a reader fills front to back, on the other cores while it reads:
// the reader says how far the buffer is filled, helpers decipher the pieces behind that
// point, and `finish` has the reader's core join them on what is left. The bytes are those
// of one core. A reader that stops early calls `abandon`: the helpers then stop without
// touching what was not filled.
class DecipherBehindReader {
public:
    // `length` a multiple of 8; `threads` 0 takes the machine's cores.
    DecipherBehindReader(const DataScrambler& scrambler, unsigned char* buffer, std::size_t length,
                         unsigned threads = 0);
    ~DecipherBehindReader() { abandon(); }
    DecipherBehindReader(const DecipherBehindReader&) = delete;
    DecipherBehindReader& operator=(const DecipherBehindReader&) = delete;

    // The first `bytes` of the buffer are in place.
    void filled(std::size_t bytes);
    // Deciphers what the helpers have not, with them; the whole buffer must be filled.
    void finish();
    void abandon();

private:
    void decipherPieces(bool reader);

    const DataScrambler& scrambler_;
    unsigned char* buffer_;
    std::size_t length_;
    std::size_t pieces_;
    std::atomic<std::size_t> filled_{0};
    std::atomic<std::size_t> nextPiece_{0};
    std::atomic<bool> abandoned_{false};
    std::vector<std::jthread> helpers_;
};

}  // namespace fiscora
