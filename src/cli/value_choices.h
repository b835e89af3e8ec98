#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace fiscora::cli {

// The values a placeholder stands for when they are few: an argument ("KIND") or an option
// ("--market") and its alternatives. The help lists them under "Values:", and the bash
// completion made from the help offers them.
struct ValueChoice {
    std::string key;
    std::vector<std::string> values;
};

// The command's placeholders that stand for a few values, in synopsis order: KIND and a
// --kind without alternatives of its own are record kinds, --market and --benchmark-market
// the markets, --trade-type the trade types.
std::vector<ValueChoice> valueChoices(const Command& c);

}  // namespace fiscora::cli
