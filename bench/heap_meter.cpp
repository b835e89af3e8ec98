#include "heap_meter.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Heap bytes in use and their highest level since the last reset.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

}  // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) throw std::bad_alloc();
    *block = size;
    const std::size_t now = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

// GCC takes the free() below for one of a new'd pointer; it is the malloc'd block.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
    liveBytes -= *block;
    std::free(block);
}
#pragma GCC diagnostic pop

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace fiscora::bench {

void PeakMeter::start() {
    base_ = liveBytes.load();
    peakBytes = base_;
}

std::size_t PeakMeter::grown() const {
    return liveBytes.load() - base_;
}

void PeakMeter::stop() {
    highest_ = std::max(highest_, peakBytes.load() - base_);
}

}  // namespace fiscora::bench
