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

// A new password and its confirmation, as a dialog takes the two.
struct NewPassword {
    std::optional<std::string> password;  // UTF-8, as typed
    std::string confirmation;             // the second entry
    std::string error;                    // why there is none
};

// Where a new password comes from, never the command line: the first line of `file` when
// given (the option `fileOption`), else the environment variable `variable`, else typed
// twice on the terminal with echo off after `prompt` and "密码确认: ". From a file or the
// environment the confirmation is the password itself; two typed entries are returned as they are,
// and the dialog that takes them refuses a difference with its own message.
struct NewPasswordSource {
    std::optional<std::string> file;
    const char* fileOption;
    const char* variable;
    std::string prompt;
};
NewPassword readNewPassword(const NewPasswordSource& source);

// The password of account `name` (UTF-8) for a command, asked with the account's name.
// kExitOk with `password` set, or kExitUsage after the reason on `err`.
int accountPassword(const std::optional<std::string>& passwordFile, const std::string& name,
                    std::ostream& err, std::string& password);

// The first line of a password file's text: up to the first line feed, without a
// carriage return before it.
std::string firstLine(const std::string& text);

}  // namespace fiscora::cli
