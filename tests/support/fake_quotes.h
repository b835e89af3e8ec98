#pragma once

#include <string>

namespace fiscora::test {

// A host quote callback over a table the test fills. Installs itself on construction and
// removes itself (and the table) at the end of the scope.
class FakeQuotes {
public:
    FakeQuotes();
    ~FakeQuotes();
    FakeQuotes(const FakeQuotes&) = delete;
    FakeQuotes& operator=(const FakeQuotes&) = delete;

    // `gbkName` is what the host writes into the 12-byte name buffer.
    void add(const std::string& code, short market, const std::string& gbkName, float latest,
             float prevClose);

    // What the last call asked for.
    static short lastMarket();
    static bool lastAskedName();
    static bool lastAskedPrices();
    static int calls();
};

}  // namespace fiscora::test
