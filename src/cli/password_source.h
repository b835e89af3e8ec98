#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace fiscora::cli {

// Environment variable that may hold the password.
inline constexpr const char* kPasswordVariable = "FISCORA_PASSWORD";
// And the one that may hold a new password.
inline constexpr const char* kNewPasswordVariable = "FISCORA_NEW_PASSWORD";

struct PasswordResult {
    std::optional<std::string> password;  // UTF-8, as typed
    std::string error;                    // why there is none
};

// The account's password, never from the command line: the first line of `passwordFile`
// when given, else $FISCORA_PASSWORD, else typed on the terminal with echo off. `prompt`
// is shown on the terminal.
PasswordResult readPassword(const std::optional<std::string>& passwordFile,
                            const std::string& prompt);

// A new password, never from the command line: the first line of `newPasswordFile` when
// given, else $FISCORA_NEW_PASSWORD, else typed twice on the terminal with echo off.
PasswordResult readNewPassword(const std::optional<std::string>& newPasswordFile);

// The password of account `name` (UTF-8) for a command, asked with the account's name.
// kExitOk with `password` set, or kExitUsage after the reason on `err`.
int accountPassword(const std::optional<std::string>& passwordFile, const std::string& name,
                    std::ostream& err, std::string& password);

// The first line of a password file's text: up to the first line feed, without a
// carriage return before it.
std::string firstLine(const std::string& text);

}  // namespace fiscora::cli
