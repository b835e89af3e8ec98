#pragma once

// The heap's highest level over a piece of work: the benchmarks linking heap_meter.cpp count
// every allocation of the process through their replaced operator new and delete.
#include <cstddef>

namespace fiscora::bench {

// The heap's growth over one piece of work, the highest of all pieces measured.
class PeakMeter {
public:
    void start();
    void stop();
    // The heap's growth since start(), now.
    std::size_t grown() const;
    std::size_t highest() const { return highest_; }

private:
    std::size_t base_ = 0;
    std::size_t highest_ = 0;
};

}  // namespace fiscora::bench
