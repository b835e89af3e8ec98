// A small stand-in for the quote terminal: loads libfiscora.so (found through the program's
// run path: its own folder in the build tree, the library folder once installed), serves
// quotes from a snapshot file and opens the ledger window.
//
//   fiscora-host [--quotes FILE] [--drift] [--data DIR]

#include <dlfcn.h>
#include <fiscora.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "store/quote_snapshot_file.h"

namespace {

using PopupFn = decltype(&PopupInvestDlg);
using RegisterFn = decltype(&RegisterInvestGPInfoHq);
using SetDirFn = decltype(&SetPrivateInvestDir);

fiscora::QuoteSnapshot snapshot;
bool drift = false;
std::mt19937 randomSteps(20260101u);

// Moves a price by up to 0.3 % either way, kept within the 10 % daily limit around the
// previous close and rounded to the cent.
void step(fiscora::QuoteSnapshot::Quote& quote) {
    std::uniform_real_distribution<float> change(-0.003f, 0.003f);
    const float base = quote.prevClose > 0 ? quote.prevClose : quote.latest;
    float next = quote.latest * (1 + change(randomSteps));
    next = std::fmin(std::fmax(next, base * 0.9f), base * 1.1f);
    quote.latest = std::round(next * 100) / 100;
}

// The callback the library calls: answers from the snapshot, moving the price first
// when drifting.
long hostQuotes(const char* code, short market, char* nameOut, float* latestOut,
                float* prevCloseOut) {
    if (drift && latestOut != nullptr && code != nullptr) {
        auto found = snapshot.quotes().find({code, market});
        if (found != snapshot.quotes().end()) step(found->second);
    }
    return fiscora::QuoteSnapshot::callback(code, market, nameOut, latestOut, prevCloseOut);
}

int usage() {
    std::fprintf(stderr, "usage: fiscora-host [--quotes FILE] [--drift] [--data DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string quotesFile;
    std::string dataDirectory;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quotes" && i + 1 < argc)
            quotesFile = argv[++i];
        else if (arg == "--data" && i + 1 < argc)
            dataDirectory = argv[++i];
        else if (arg == "--drift")
            drift = true;
        else
            return usage();
    }

    const char* const libraryName = FISCORA_LIBRARY_NAME;
    void* library = dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "fiscora-host: %s\n", dlerror());
        return 1;
    }
    auto popup = reinterpret_cast<PopupFn>(dlsym(library, "PopupInvestDlg"));
    auto registerQuotes = reinterpret_cast<RegisterFn>(dlsym(library, "RegisterInvestGPInfoHq"));
    auto setDirectory = reinterpret_cast<SetDirFn>(dlsym(library, "SetPrivateInvestDir"));
    if (popup == nullptr || registerQuotes == nullptr || setDirectory == nullptr) {
        std::fprintf(stderr, "fiscora-host: %s lacks an entry point\n", libraryName);
        return 1;
    }

    if (!quotesFile.empty()) {
        std::string error;
        if (!loadQuoteSnapshot(snapshot, quotesFile, error)) {
            std::fprintf(stderr, "fiscora-host: %s\n", error.c_str());
            return 1;
        }
        snapshot.install();
        registerQuotes(&hostQuotes);
    }
    if (!dataDirectory.empty()) {
        // The library takes the path verbatim; a bounded copy keeps it NUL-terminated.
        char buffer[FISCORA_DATA_DIR_SIZE] = {};
        std::strncpy(buffer, dataDirectory.c_str(), sizeof buffer - 1);
        setDirectory(buffer);
    }
    popup();
    dlclose(library);
    return 0;
}
