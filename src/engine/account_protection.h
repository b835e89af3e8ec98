#pragma once

#include <string>

#include "engine/workspace.h"
#include "store/change_intent.h"

namespace fiscora {

// 加强保护: a protected account's registry entry holds no password (records/account_info.h)
// and its ledger is enciphered with a key derived from the password
// (store/protected_ledger.h). Logging in is deriving that key; the workspace keeps it
// while the account is logged in.

enum class PasswordCheck { Right, Wrong, Tampered, Refused };

// Whether the typed password (UTF-8) is the account's. A protected account's is tried on
// its ledger file: when it opens it, the key is kept in the workspace. Tampered: the file
// is not a protected ledger or its header changed; Refused: it cannot be read (both
// reported).
PasswordCheck checkAccountPassword(Workspace& workspace, const AccountInfo& account,
                                   const std::string& typed);

// Turns protection on with the password (GBK), or off, giving the account the password
// back in the registry and the ledger's header; unprotecting needs the account's key
// (checkAccountPassword). All or nothing, even across a crash: the intent first, the
// previous ledger file kept under a second name, the ledger file replaced, the registry
// written (the change counts from then on), the second name and the intent dropped. The
// caller holds the data folder's lock; a failure is reported.
bool protectAccount(Workspace& workspace, const std::string& gbkName,
                    const std::string& gbkPassword);
bool unprotectAccount(Workspace& workspace, const std::string& gbkName,
                      const std::string& gbkPassword);

// A protected account's new password: the ledger enciphered again under a key with a new
// salt, in one replacement of the file (the registry does not change).
bool rekeyProtectedAccount(Workspace& workspace, const std::string& gbkName,
                           const std::string& gbkPassword);

// Finishes or undoes a Protect or Unprotect change a crash interrupted: when the registry
// holds it the previous file's second name goes, otherwise the previous file is put back.
bool settleProtection(const std::string& dataDirectory, const AccountList& registry,
                      const ChangeIntent& intent);

}  // namespace fiscora
