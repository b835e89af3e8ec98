// The quote snapshot's text: whatever parses answers the quote callback.
#include "fuzz_support.h"
#include "host/quote_snapshot.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuoteSnapshot snapshot;
    std::string error;
    if (!snapshot.parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz", error))
        return 0;
    for (const auto& [key, quote] : snapshot.quotes()) {
        char name[12];
        float latest = 0;
        float previous = 0;
        QuoteSnapshot* installed = &snapshot;
        installed->install();
        QuoteSnapshot::callback(key.first.c_str(), key.second, name, nullptr, nullptr);
        QuoteSnapshot::callback(key.first.c_str(), key.second, nullptr, &latest, &previous);
        QuoteSnapshot::uninstall();
        (void)quote;
    }
    return 0;
}
