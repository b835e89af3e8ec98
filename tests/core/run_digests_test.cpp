#include "store/run_digests.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fiscora {
namespace {

// Whatever the length and however the runs are shared out, each digest is its run's alone,
// in order, the last run shorter.
TEST(RunDigests, EachRunsDigestInOrderOnAnyLength) {
    constexpr std::size_t kRun = 800;
    std::vector<unsigned char> bytes(kRun * 37 + 123);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 131);
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{5}, kRun, kRun * 4 + 1, kRun * 9, bytes.size()}) {
        SCOPED_TRACE(length);
        const std::vector<ByteDigest> digests = runDigestsOnAllCores(bytes.data(), length, kRun);
        ASSERT_EQ(digests.size(), (length + kRun - 1) / kRun);
        for (std::size_t run = 0; run < digests.size(); ++run)
            EXPECT_EQ(digests[run],
                      digestOf(bytes.data() + run * kRun, std::min(kRun, length - run * kRun)));
    }
}

}  // namespace
}  // namespace fiscora
