#include "support/fake_quotes.h"

#include <cstring>
#include <map>
#include <utility>

#include "host/module_state.h"

namespace fiscora::test {
namespace {

struct Entry {
    std::string name;
    float latest;
    float prevClose;
};

struct State {
    std::map<std::pair<std::string, short>, Entry> table;
    short lastMarket = 99;
    bool askedName = false;
    bool askedPrices = false;
    int calls = 0;
};

State& state() {
    static State s;
    return s;
}

long callback(const char* code, short market, char* nameOut, float* latestOut,
              float* prevCloseOut) {
    State& s = state();
    ++s.calls;
    s.lastMarket = market;
    s.askedName = nameOut != nullptr;
    s.askedPrices = latestOut != nullptr && prevCloseOut != nullptr;
    auto it = s.table.find({code, market});
    if (it == s.table.end()) return 0;
    if (nameOut)
        std::memcpy(nameOut, it->second.name.data(),
                    std::min<std::size_t>(it->second.name.size(), 12));
    if (latestOut) *latestOut = it->second.latest;
    if (prevCloseOut) *prevCloseOut = it->second.prevClose;
    return 1;
}

}  // namespace

FakeQuotes::FakeQuotes() {
    state() = State{};
    registerQuoteCallback(&callback);
}

FakeQuotes::~FakeQuotes() {
    registerQuoteCallback(nullptr);
    state() = State{};
}

void FakeQuotes::add(const std::string& code, short market, const std::string& gbkName,
                     float latest, float prevClose) {
    state().table[{code, market}] = {gbkName, latest, prevClose};
}

short FakeQuotes::lastMarket() {
    return state().lastMarket;
}
bool FakeQuotes::lastAskedName() {
    return state().askedName;
}
bool FakeQuotes::lastAskedPrices() {
    return state().askedPrices;
}
int FakeQuotes::calls() {
    return state().calls;
}

}  // namespace fiscora::test
