// A password file as the command line reads it (--password-file, --new-password-file),
// then the password as the login compares it and as a new password's header stores it:
// a password that fits its field reads back from the ledger's header as written.
#include <string>

#include "cli/password_source.h"
#include "fuzz_support.h"
#include "records/gbk_text.h"
#include "store/ledger_file.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeScratchFile("pw", data, size);
    const cli::PasswordResult typed = cli::readPassword(path, "");
    const cli::NewPassword fresh =
        cli::readNewPassword({path, "--new-password-file", cli::kNewPasswordVariable, ""});
    if (typed.password != fresh.password) __builtin_trap();
    // A file's password is its own confirmation.
    if (fresh.password && fresh.confirmation != *fresh.password) __builtin_trap();
    if (!typed.password) return 0;
    const auto gbk = utf8ToGbk(*typed.password);
    if (!gbk || gbk->size() > kPasswordMaxBytes || gbk->find('\0') != std::string::npos) return 0;

    AccountInfo account{};
    storeBytes(account.name, "fuzz");
    storeBytes(account.password, *gbk);
    if (fieldBytes(account.password) != *gbk) __builtin_trap();
    fuzz::QuietMessages messages;
    const LedgerStore store{fuzz::scratchFolder(), fuzz::fileScrambler(), messages};
    if (!writeLedgerHeader(store, account, *gbk)) return 0;
    if (ledgerHeaderPassword(store, account) != *gbk) __builtin_trap();
    return 0;
}
