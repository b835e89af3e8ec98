#pragma once

#include <string>

#include "host/messages.h"

namespace fiscora::demo {

// The demo accounts and their passwords, as the README gives them.
inline constexpr const char* kDemoAccount = "演示帐户";
inline constexpr const char* kDemoPassword = "123456";
inline constexpr const char* kSecondAccount = "稳健组合";
inline constexpr const char* kSecondPassword = "888888";
inline constexpr const char* kQuotesFileName = "quotes.txt";

// Writes a complete sample workspace into `folder` (which ends with '/'): the quote
// snapshot, the fee table trdpara.dat, the daily bar files under mkthome/ for every sample
// stock and, in invest/, two accounts with a year of history dated back from `today`.
// False (with the failures shown through `messages`) when a file cannot be written.
bool writeDemoWorkspace(const std::string& folder, std::int32_t today, Messages& messages);

}  // namespace fiscora::demo
