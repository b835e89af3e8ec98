#pragma once

#include <functional>
#include <string>

#include "engine/workspace.h"

namespace fiscora::test {

// Runs `change` on a workspace freshly opened on `folder`, in a child process that the
// program stops at `step` (FISCORA_CRASH_AT); true when the child did stop there.
bool stoppedAt(const std::string& folder, const char* step,
               const std::function<void(Workspace&)>& change);

}  // namespace fiscora::test
