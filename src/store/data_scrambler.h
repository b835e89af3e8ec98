#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fiscora {

// The cipher of the account registry and the ledger files: Blowfish (16 rounds, 64-bit
// blocks) in ECB mode over whole buffers. Each block's halves are read and written as
// little-endian 32-bit words, unlike the big-endian halves of the reference vectors.
class DataScrambler {
public:
    // The key compiled into the program; its 22 bytes (no NUL) key every data file.
    static constexpr char kFileKey[] = "724=kq8w1r906;3mf;bxce";
    static constexpr std::uint16_t kFileKeyLength = sizeof(kFileKey) - 1;

    // Starts from the standard initial values (the hexadecimal digits of pi).
    DataScrambler();

    // The standard key schedule. Keying twice would corrupt the tables; nobody does.
    void setKey(const unsigned char* key, std::uint16_t length);
    void setFileKey();

    // In place. A length that is not a multiple of 8 leaves the buffer untouched and
    // returns false; a length of 0 returns true.
    bool encrypt(void* buffer, std::size_t length) const;
    bool decrypt(void* buffer, std::size_t length) const;

    // One block, halves as words (left, right).
    void encryptBlock(std::uint32_t& left, std::uint32_t& right) const;
    void decryptBlock(std::uint32_t& left, std::uint32_t& right) const;

    const std::array<std::uint32_t, 18>& pArray() const { return pArray_; }
    const std::array<std::array<std::uint32_t, 256>, 4>& sBoxes() const { return sBoxes_; }

private:
    std::uint32_t f(std::uint32_t x) const {
        return ((sBoxes_[0][x >> 24] + sBoxes_[1][(x >> 16) & 0xFF]) ^
                sBoxes_[2][(x >> 8) & 0xFF]) +
               sBoxes_[3][x & 0xFF];
    }

    std::array<std::uint32_t, 18> pArray_{};
    std::array<std::array<std::uint32_t, 256>, 4> sBoxes_{};
};

}  // namespace fiscora
