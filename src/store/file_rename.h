#pragma once

#include <string>

namespace fiscora {

enum class RenameStatus { Done, SourceMissing, TargetExists, Failed };

// Gives the file at `from` the name `to` without ever replacing a file already at `to`
// (checked and done in one step where the file system allows it). `reason` receives the
// system's description of a failure.
RenameStatus renameWithoutReplacing(const std::string& from, const std::string& to,
                                    std::string& reason);

}  // namespace fiscora
