#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fiscora {

#pragma pack(push, 1)
// One account in "pinfo.dat": 192 bytes, packed, little-endian, the same in memory and
// on disk. Texts are GBK, NUL-terminated, zero after the terminator.
struct AccountInfo {
    char name[21];             // <= 20 bytes, unique; also the ledger file's base name
    char password[21];         // <= 20 bytes, may be empty
    char tradeType[15];        // "深沪A股", "深证B股" or "上证B股"
    double initialCapital;     // in the account's currency
    std::int32_t createdDate;  // YYYYMMDD
    char remark[123];          // entered with at most 100 bytes
};
#pragma pack(pop)

static_assert(sizeof(AccountInfo) == 192);
static_assert(offsetof(AccountInfo, password) == 21);
static_assert(offsetof(AccountInfo, tradeType) == 42);
static_assert(offsetof(AccountInfo, initialCapital) == 57);
static_assert(offsetof(AccountInfo, createdDate) == 65);
static_assert(offsetof(AccountInfo, remark) == 69);

inline constexpr std::size_t kAccountNameMaxBytes = 20;
inline constexpr std::size_t kPasswordMaxBytes = 20;
inline constexpr std::size_t kAccountRemarkMaxBytes = 100;

// A protected account's entry holds this instead of its password, so that the entry holds
// nothing the password can be found from: its ledger is enciphered with a key derived from
// the password, and logging in is deciphering it. 0xFF is never a byte of GBK text, so no
// password typed here or in the original program equals it: the original program refuses
// every password for such an account.
inline constexpr char kProtectedMarker[] = "\xFFprotected";  // 0xFF, then "protected"
bool isProtected(const AccountInfo& account);
void markProtected(AccountInfo& account);

using AccountList = std::vector<AccountInfo>;

// Whether a login-state entry is logged in, one per account in registry order.
struct LoginState {
    std::string name;  // GBK bytes, as in the registry
    bool loggedIn = false;
};
using LoginStates = std::vector<LoginState>;

// Every account logged out.
LoginStates loggedOutStates(const AccountList& accounts);

// The account whose name equals `gbkName` byte for byte, the first in list order.
AccountInfo* findAccount(AccountList& accounts, std::string_view gbkName);
const AccountInfo* findAccount(const AccountList& accounts, std::string_view gbkName);

// The currency unit of the account's trade type ("元", "美元", "港元"); "港元" when the
// account is unknown, like any type that is neither A shares nor Shanghai B shares.
std::string currencyUnit(const AccountList& accounts, std::string_view gbkName);

}  // namespace fiscora
