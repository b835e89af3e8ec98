#pragma once

#include <string>

#include "engine/workspace.h"
#include "store/change_intent.h"

namespace fiscora {

// The steps every change of more than one file shares (a rename, a new password, turning
// protection on or off): the intent written first, removed last.

inline constexpr const char* kNothingChanged = "帐户没有改变。";

// The intent of a change to the account's ledger file, with the file's identity.
ChangeIntent intentFor(ChangeIntent::Kind kind, const std::string& ledgerFile,
                       const std::string& account, const std::string& from, const std::string& to);

// Writes the intent; a failure is reported ("帐户没有改变。") and nothing is changed.
bool recordIntent(Workspace& workspace, const ChangeIntent& intent);

// The last step of a change: the registry holds it, the intent goes.
void forgetIntent(Workspace& workspace);

}  // namespace fiscora
