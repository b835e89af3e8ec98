#include "store/parallel_decipher.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace fiscora {

bool decipherOnAllCores(const DataScrambler& scrambler, void* buffer, std::size_t length,
                        unsigned threads) {
    if (length % 8 != 0) return false;
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    const std::size_t blocks = length / 8;
    // Every piece at least the size worth a thread of its own.
    const std::size_t pieces = std::min<std::size_t>(threads, length / kParallelDecipherMinBytes);
    if (pieces <= 1) return scrambler.decrypt(buffer, length);
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto pieceBytes = [&](std::size_t piece) {
        // Whole blocks, the first pieces one block longer when they do not divide evenly.
        return 8 * (blocks / pieces + (piece < blocks % pieces ? 1 : 0));
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(pieces - 1);
    std::size_t offset = pieceBytes(0);
    for (std::size_t piece = 1; piece < pieces; ++piece) {
        const std::size_t size = pieceBytes(piece);
        unsigned char* start = bytes + offset;
        try {
            helpers.emplace_back([&scrambler, start, size] { scrambler.decrypt(start, size); });
        } catch (const std::system_error&) {
            // No thread to be had: this piece is deciphered here.
            scrambler.decrypt(start, size);
        }
        offset += size;
    }
    scrambler.decrypt(bytes, pieceBytes(0));
    return true;  // each helper is joined as `helpers` goes out of scope
}

namespace {

// The helpers take the buffer in pieces this large (whole blocks): small enough that the
// reader's core finds work left when it joins, large enough that claiming one costs nothing.
constexpr std::size_t kBehindPieceBytes = 1024 * 1024;

}  // namespace

DecipherBehindReader::DecipherBehindReader(const DataScrambler& scrambler, unsigned char* buffer,
                                           std::size_t length, unsigned threads)
    : scrambler_(scrambler), buffer_(buffer), length_(length),
      pieces_((length + kBehindPieceBytes - 1) / kBehindPieceBytes) {
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    if (length < kParallelDecipherMinBytes) return;  // the reader's core alone, at the end
    for (unsigned helper = 1; helper < threads; ++helper) {
        try {
            helpers_.emplace_back([this] { decipherPieces(false); });
        } catch (const std::system_error&) {
            break;  // no thread to be had: the reader deciphers more at the end
        }
    }
}

void DecipherBehindReader::filled(std::size_t bytes) {
    // Helpers wait only at a piece's end: a wake-up for less would find nothing to do.
    const std::size_t before = filled_.load(std::memory_order_relaxed);
    filled_.store(bytes, std::memory_order_release);
    if (bytes / kBehindPieceBytes != before / kBehindPieceBytes || bytes == length_)
        filled_.notify_all();
}

void DecipherBehindReader::finish() {
    decipherPieces(true);
    helpers_.clear();  // joins them
}

void DecipherBehindReader::abandon() {
    abandoned_.store(true, std::memory_order_release);
    // A new value wakes a helper about to wait as well as one waiting.
    filled_.store(SIZE_MAX, std::memory_order_release);
    filled_.notify_all();
    helpers_.clear();
}

void DecipherBehindReader::decipherPieces(bool reader) {
    for (;;) {
        const std::size_t piece = nextPiece_.fetch_add(1, std::memory_order_relaxed);
        if (piece >= pieces_) return;
        const std::size_t start = piece * kBehindPieceBytes;
        const std::size_t end = std::min(length_, start + kBehindPieceBytes);
        if (!reader) {
            for (std::size_t now = filled_.load(std::memory_order_acquire); now < end;
                 now = filled_.load(std::memory_order_acquire)) {
                if (abandoned_.load(std::memory_order_acquire)) return;
                filled_.wait(now, std::memory_order_acquire);
            }
            if (abandoned_.load(std::memory_order_acquire)) return;
        }
        scrambler_.decrypt(buffer_ + start, end - start);
    }
}

}  // namespace fiscora
