#include "cli/sample_data.h"

#include <sys/stat.h>

#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "store/trade_param_file.h"
#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

DataScrambler fileScrambler() {
    DataScrambler s;
    s.setFileKey();
    return s;
}

std::string dataDir(const std::string& root) {
    return root + "invest/";
}

LedgerRecord withRemark(LedgerRecord r, const std::string& remark) {
    storeText(r.remark, remark);
    return r;
}

// Bars whose prices (in cents, open high low close) rise by `step` a day from `first`.
std::vector<DayBar> sampleBars(std::uint32_t first, std::uint32_t step) {
    std::vector<DayBar> bars;
    std::uint32_t price = first;
    for (const std::int32_t day :
         {20240102, 20240103, 20240104, 20240105, 20240108, 20240110, 20240111}) {
        bars.push_back({day, {price, price + 20, price - 10, price + 5}, {}});
        price += step;
    }
    return bars;
}

}  // namespace

void addAccount(const std::string& root, const AccountInfo& account) {
    RecordingMessages messages;
    const DataScrambler scrambler = fileScrambler();
    ::mkdir(dataDir(root).c_str(), 0755);
    AccountList accounts = loadRegistry(dataDir(root), scrambler, messages);
    accounts.push_back(account);
    if (!saveRegistry(dataDir(root), accounts, scrambler, messages))
        throw std::runtime_error("registry not written");
}

void writeLedger(const std::string& root, const AccountInfo& account, const Ledger& ledger) {
    RecordingMessages messages;
    const DataScrambler scrambler = fileScrambler();
    const LedgerStore store{dataDir(root), scrambler, messages};
    if (!writeLedgerHeader(store, account, fieldBytes(account.password)) ||
        !saveLedger(store, account, ledger))
        throw std::runtime_error("ledger not written");
}

void writeSampleData(const std::string& root) {
    const AccountInfo zhang = account("张三", "secret", "深沪A股", 100000, 20240102);
    const AccountInfo li = account("李四", "", "深证B股", 5000, 20240301);
    const AccountInfo wang = account("王五", "pw3", "上证B股", 20000, 20240401);
    for (const auto& a : {zhang, li, wang}) addAccount(root, a);

    writeLedger(
        root, zhang,
        {withRemark(cashRecord(RecordType::CashIn, 20240102, 100000), "开户"),
         stockRecord(RecordType::Buy, 20240103, "600036", 1000, 10.5, 36.75),
         stockRecord(RecordType::Buy, 20240104, "000002", 500, 8, 14, 0),
         stockRecord(RecordType::Sell, 20240110, "600036", 400, 12, 26.8),
         stockRecord(RecordType::Dividend, 20240601, "000002", 500, 0.3, 0, 0),
         stockRecord(RecordType::BonusShares, 20240602, "000002", 100, 0, 0, 0),
         withRemark(cashRecord(RecordType::CashOut, 20240701, 5000), "取\"现\"\t\\备用\n金")});
    writeLedger(root, li, {cashRecord(RecordType::CashIn, 20240301, 5000)});
    writeLedger(root, wang,
                {cashRecord(RecordType::CashIn, 20240401, 20000),
                 stockRecord(RecordType::Buy, 20240402, "900901", 2000, 0.5, 3),
                 stockRecord(RecordType::Buy, 20240403, "900905", 100, 1, 1),
                 stockRecord(RecordType::Sell, 20240404, "900905", 100, 1.2, 1)});

    TradeParam row{};
    row.market = 1;
    storeBytes(row.codePrefix, "60");
    storeText(row.categoryName, "沪A");
    row.commissionRate = 0.003;
    row.minCommission = 5;
    row.stampDutyRate = 0.001;
    row.transferFeePer1000 = 1;
    row.minTransferFee = 1;
    RecordingMessages messages;
    if (!saveTradeParams(root + kTradeParamFileName, {row}, messages))
        throw std::runtime_error("params not written");

    writeDayBarFile(root, {1, "600036"}, sampleBars(1050, 15));
    writeDayBarFile(root, {0, "000002"}, sampleBars(800, 5));

    std::ofstream quotes(root + "quotes.txt", std::ios::binary);
    quotes << "# code\tmarket\tname\tlatest\tprevClose\n"
              "600036\t1\t招商银行\t12.5\t12.25\n"
              "000002\t0\t万科A\t0\t7.75\n"
              "900901\t1\t电子B股\t0.625\t0.6\n";
}

Ledger ledgerOnDisk(const std::string& dataDir, const std::string& name) {
    const DataScrambler scrambler = fileScrambler();
    RecordingMessages quiet;
    const AccountList accounts = loadRegistry(dataDir, scrambler, quiet, OpenMode::ReadOnly);
    const AccountInfo* account = findAccount(accounts, *utf8ToGbk(name));
    Ledger ledger;
    EXPECT_NE(account, nullptr);
    if (account != nullptr) {
        const LedgerStore store{dataDir, scrambler, quiet, OpenMode::ReadOnly};
        EXPECT_EQ(loadLedger(store, *account, ledger), LedgerStatus::Ok);
    }
    return ledger;
}

}  // namespace fiscora::test
