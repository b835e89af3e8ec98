#pragma once

#include <string>

#include "records/account_info.h"
#include "records/ledger_record.h"

namespace fiscora::test {

// A data tree as the window leaves it, written by the core's own writers below `root`
// (which ends with '/'): invest/pinfo.dat with three accounts and their ledgers,
// trdpara.dat with one fee row, quotes.txt, a snapshot for --quotes, and the host's daily
// bars of 600036 and 000002 in mkthome/ for the weekdays from 20240102 to 20240111 but the
// holiday 20240109.
//   张三  password "secret", 深沪A股: cash, trades in two stocks, a remark that needs escaping
//   李四  empty password, 深证B股: its opening cash only
//   王五  password "pw3", 上证B股: a Shanghai position and a closed one
void writeSampleData(const std::string& root);

// Adds an account to the registry under `root` without touching its ledger.
void addAccount(const std::string& root, const AccountInfo& account);

// Writes a ledger file the way account creation does: the header, then the records.
void writeLedger(const std::string& root, const AccountInfo& account, const Ledger& ledger);

// The ledger of the account `name` (UTF-8) in the data folder `dataDir` (ending with '/'),
// read with the core's reader; the test fails when it cannot be read.
Ledger ledgerOnDisk(const std::string& dataDir, const std::string& name);

}  // namespace fiscora::test
