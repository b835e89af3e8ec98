#pragma once

namespace fiscora::cli {

inline constexpr int kExitOk = 0;
// Refused by the ledger's rules (unknown account, wrong password, a file that cannot be
// read, is damaged or tampered with); the system's message is on stderr.
inline constexpr int kExitRefused = 1;
// The command line itself is wrong; a usage text is on stderr.
inline constexpr int kExitUsage = 2;

}  // namespace fiscora::cli
