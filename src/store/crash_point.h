#pragma once

namespace fiscora {

// Ends the process on the spot, as a kill would, when the environment variable
// FISCORA_CRASH_AT names `step` ("STEP", or "STEP#N" for its N-th passage in this process).
// The steps of every multi-file change call it between two writes, so that tests and the
// kill probe can interrupt the change at each of them. Without the variable it does nothing.
void crashPoint(const char* step);

}  // namespace fiscora
