#pragma once

#include "cli/command.h"
#include "records/account_info.h"

namespace fiscora::cli {

// An account as the commands print it: name, trade type, initial capital, creation date
// and remark (never the password).
std::vector<Column> accountColumns();
std::vector<Value> accountRow(const AccountInfo& account);
const RowFormat<AccountInfo>& accountFormat();

// Commands over the registry, which need no password.
Command accountsCommand();
Command verifyCommand();
// Creates an account through the window's own command.
Command createAccountCommand();

}  // namespace fiscora::cli
