#pragma once

#include <string>

#include "engine/workspace.h"

namespace fiscora {

// A new name or a new password for a registered account, kept in step in the registry
// file, the ledger file and the workspace's accounts and login states. Each change is
// all or nothing, even across a crash: an intent record (store/change_intent.h) is
// written first, then the ledger file is renamed or its header rewritten, then the
// registry written (the change counts from then on), then the intent removed. A failure
// undoes the first step and tells the user; a crash is settled by the next open
// (settleInterruptedChange). The caller holds the data folder's lock.

// Renames the account `oldGbkName` to `newGbkName`. The new name must be able to be a
// file name, and its ledger file must not exist yet: an existing file is never replaced.
bool renameAccount(Workspace& workspace, const std::string& oldGbkName,
                   const std::string& newGbkName);

// Gives the account `gbkName` the password `newGbkPassword`: the ledger file's header
// first (every record after it kept), then the registry.
bool changeAccountPassword(Workspace& workspace, const std::string& gbkName,
                           const std::string& newGbkPassword);

// Finishes or undoes a rename or password change that a crash interrupted, from the
// intent it left: when the registry already holds the new name or password the ledger
// file is brought to it, otherwise the ledger file is put back. The intent is removed
// once the two files agree. Takes the data folder's lock; while another program holds
// it (and so may be making the change) nothing is done. A failure is reported.
void settleInterruptedChange(const std::string& dataDirectory, const DataScrambler& scrambler,
                             Messages& messages);

}  // namespace fiscora
