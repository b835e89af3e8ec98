#pragma once

#include <map>
#include <string>
#include <string_view>

#include "store/protected_ledger.h"

namespace fiscora {

// The keys of the protected accounts logged in, by account name (GBK). A key is put when
// its password opened the ledger and forgotten when the account is logged out; it never
// reaches a file.
class LedgerKeyring {
public:
    const LedgerKey* find(std::string_view gbkName) const {
        const auto it = keys_.find(gbkName);
        return it == keys_.end() ? nullptr : &it->second;
    }
    void put(const std::string& gbkName, const LedgerKey& key) { keys_[gbkName] = key; }
    void forget(std::string_view gbkName) {
        if (const auto it = keys_.find(gbkName); it != keys_.end()) keys_.erase(it);
    }
    void rename(std::string_view from, const std::string& to) {
        if (const auto it = keys_.find(from); it != keys_.end()) {
            const LedgerKey key = it->second;
            keys_.erase(it);
            keys_[to] = key;
        }
    }
    void clear() { keys_.clear(); }

private:
    std::map<std::string, LedgerKey, std::less<>> keys_;
};

}  // namespace fiscora
