#include "cli/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/temp_dir.h"

namespace fiscora::test {

void expectGolden(const CliRun& r, const std::string& name) {
    const std::string path = std::string(FISCORA_CLI_GOLDEN_DIR) + "/" + name;
    if (std::getenv("FISCORA_UPDATE_GOLDEN") != nullptr)
        std::ofstream(path, std::ios::binary) << r.out;
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, readText(path)) << "golden file " << name;
}

}  // namespace fiscora::test
