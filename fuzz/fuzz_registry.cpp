// The account registry, as stored: every account read is looked up and named as the
// window and the command line do.
#include "fuzz_support.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DataScrambler* scrambler = &fuzz::fileScrambler();
    fuzz::writeScratchFile(kRegistryFileName, data, size);
    fuzz::QuietMessages messages;
    const AccountList accounts =
        loadRegistry(fuzz::scratchFolder(), *scrambler, messages, OpenMode::ReadOnly);
    loggedOutStates(accounts);
    for (const AccountInfo& a : accounts) {
        const std::string name = fieldText(a.name);
        if (isPlainFileName(name)) ledgerPath(fuzz::scratchFolder(), a);
        findAccount(accounts, fieldBytes(a.name));
        currencyUnit(accounts, fieldBytes(a.name));
        fieldText(a.remark);
        fieldText(a.tradeType);
    }
    return 0;
}
