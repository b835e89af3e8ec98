#include "records/account_info.h"

#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {

bool isProtected(const AccountInfo& account) {
    return fieldBytes(account.password) == kProtectedMarker;
}

void markProtected(AccountInfo& account) {
    storeBytes(account.password, kProtectedMarker);
}

LoginStates loggedOutStates(const AccountList& accounts) {
    LoginStates states;
    states.reserve(accounts.size());
    for (const auto& a : accounts) states.push_back({std::string(fieldBytes(a.name)), false});
    return states;
}

AccountInfo* findAccount(AccountList& accounts, std::string_view gbkName) {
    for (auto& a : accounts) {
        if (fieldBytes(a.name) == gbkName) return &a;
    }
    return nullptr;
}

const AccountInfo* findAccount(const AccountList& accounts, std::string_view gbkName) {
    return findAccount(const_cast<AccountList&>(accounts), gbkName);
}

std::string currencyUnit(const AccountList& accounts, std::string_view gbkName) {
    const AccountInfo* a = findAccount(accounts, gbkName);
    return currencyUnitOfTradeType(a != nullptr ? fieldText(a->tradeType) : std::string());
}

}  // namespace fiscora
