#include "cli/value_choices.h"

#include "records/trading_terms.h"

namespace fiscora::cli {
namespace {

// The kinds of record book takes and ledger --kind filters by.
std::vector<std::string> recordKinds() {
    return {"cash-in", "cash-out", "buy", "sell", "dividend", "bonus", "rights"};
}

std::vector<std::string> optionValues(const CommandOption& o) {
    const std::string& name = o.name;
    if (name == "--market" || name == "--benchmark-market") return marketTexts();
    if (name == "--trade-type") return tradeTypeTexts();
    if (name == "--kind" && o.value.find('|') == std::string::npos) return recordKinds();
    return {};
}

}  // namespace

std::vector<ValueChoice> valueChoices(const Command& c) {
    std::vector<ValueChoice> choices;
    for (const std::string& argument : c.arguments.names())
        if (argument == "KIND") choices.push_back({argument, recordKinds()});
    for (const CommandOption& o : c.options)
        if (std::vector<std::string> values = optionValues(o); !values.empty())
            choices.push_back({o.name, std::move(values)});
    return choices;
}

}  // namespace fiscora::cli
