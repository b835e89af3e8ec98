#include "host/module_state.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace fiscora {
namespace {

struct ModuleState {
    std::string dataDirectory;
    QuoteCallback callback = nullptr;
    TradeParam defaults{};
};

ModuleState& state() {
    static ModuleState s;
    return s;
}

}  // namespace

std::optional<std::string> currentDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    std::string dir(buffer.data());
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

bool initDefaultDataDirectory() {
    auto cwd = currentDirectory();
    if (!cwd) return false;
    // The whole path: the 259-byte bound is for what the host hands over, and a cut
    // default would put the data beside the current directory. A path the system cannot
    // open counts as no current directory.
    std::string dir = *cwd + "invest/";
    if (dir.size() >= PATH_MAX) return false;
    state().dataDirectory = std::move(dir);
    return true;
}

void setPrivateInvestDir(const char* path) {
    if (path == nullptr) return;
    // Bounded like the original 260-byte buffer: never read or keep more than 259 bytes.
    state().dataDirectory.assign(path, ::strnlen(path, kDataDirectoryCapacity - 1));
}

const std::string& dataDirectory() {
    return state().dataDirectory;
}

void registerQuoteCallback(QuoteCallback callback) {
    state().callback = callback;
}

QuoteCallback quoteCallback() {
    return state().callback;
}

TradeParam& defaultTradeParams() {
    return state().defaults;
}

void setStandardDefaultTradeParams() {
    TradeParam p{};
    p.commissionRate = 0.0035;
    p.minCommission = 10.0;
    p.stampDutyRate = 0.002;
    state().defaults = p;
}

}  // namespace fiscora
