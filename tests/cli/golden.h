#pragma once

#include <string>

#include "cli/cli_runner.h"

namespace fiscora::test {

// `r` succeeded silently and printed exactly tests/cli/golden/NAME;
// FISCORA_UPDATE_GOLDEN=1 rewrites the file instead.
void expectGolden(const CliRun& r, const std::string& name);

}  // namespace fiscora::test
