#pragma once

#include <string>

#include "engine/workspace.h"

namespace fiscora {

// A new name or a new password for a registered account, kept in step in the registry
// file, the ledger file and the workspace's accounts and login states. Each change is
// all or nothing: the step that can be undone goes first and is undone when the second
// fails, the user is told why, and the result is false with everything as it was.

// Renames the account `oldGbkName` to `newGbkName`. The new name must be able to be a
// file name, and its ledger file must not exist yet: an existing file is never replaced.
bool renameAccount(Workspace& workspace, const std::string& oldGbkName,
                   const std::string& newGbkName);

// Gives the account `gbkName` the password `newGbkPassword`: the ledger file's header
// first (every record after it kept), then the registry.
bool changeAccountPassword(Workspace& workspace, const std::string& gbkName,
                           const std::string& newGbkPassword);

}  // namespace fiscora
