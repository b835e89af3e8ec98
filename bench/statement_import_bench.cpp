// Importing a broker's statement against loading and rewriting a ledger of as many records,
// in the same run. Each import reads the file, finds the header, reads every line, judges
// it against the ledger and writes the ledger with the booked records. The statements
// alternate purchases and sales of one stock, so time that grows faster than the rows shows
// as a ratio above 2 between the 200,000 and the 100,000 rows. The peak/file counter is the
// heap's highest level during one import over the statement file's size.
// Run: build/bench/statement_import_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/dates.h"
#include "engine/statement_import.h"
#include "heap_meter.h"
#include "large_ledger.h"
#include "records/gbk_text.h"

namespace fiscora::bench {
namespace {

// A 交割单 of `rows` lines: 100 shares of 600036 bought and sold in turn, 40 lines a day.
std::string writeStatement(const std::string& dir, int rows) {
    std::string path = dir + "statement" + std::to_string(rows) + ".csv";
    std::ofstream out(path, std::ios::binary);
    out << "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,发生金额,资金余额,股份余额,"
           "交易市场\r\n";
    double cash = 1e9;
    std::time_t day = timeFromDate(20000103);
    for (int i = 0; i < rows; ++i) {
        if (i % 40 == 0 && i > 0) day += std::time_t{24} * 60 * 60;
        const std::int32_t date = dateFromTime(day);
        const bool buy = i % 2 == 0;
        cash += buy ? -1005 : 995;
        out << date << ",600036,招商银行," << (buy ? "证券买入" : "证券卖出")
            << ",100,10.00,1000.00," << (buy ? "-1005.00," : "995.00,") << cash << ","
            << (buy ? 100 : 0) << ",上海A股\r\n";
    }
    return path;
}

struct Statements {
    Statements() {
        LargeLedger& f = largeLedger();
        small = writeStatement(f.dir, kLargeLedgerRecords);
        large = writeStatement(f.dir, 2 * kLargeLedgerRecords);
        importer = f.owner;
        storeText(importer.name, "import");
        writeLedgerHeader(f.writableStore(), importer, "pw");
    }
    std::string small;
    std::string large;
    AccountInfo importer{};
};

Statements& statements() {
    static Statements s;
    return s;
}

// The baseline: a ledger of 100,000 records loaded and written back.
void BM_LoadAndWriteLedger(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    for (auto _ : state) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        saveLedger(f.writableStore(), f.owner, ledger);
    }
}
BENCHMARK(BM_LoadAndWriteLedger)->Unit(benchmark::kMillisecond);

void importStatement(benchmark::State& state, const std::string& path) {
    LargeLedger& f = largeLedger();
    const AccountInfo& importer = statements().importer;
    const Ledger opening = {[] {
        LedgerRecord deposit = makeRecord(RecordType::CashIn, 20000101);
        deposit.amount = 1e9;
        return deposit;
    }()};
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        // The file is closed before booking, as the import command closes it.
        ImportPreview preview = [&] {
            StatementFileReader file;
            file.open(path);
            return previewImport(opening, readStatement(file, StatementLayouts{}, {}));
        }();
        const std::size_t lines = preview.size();
        const std::size_t booked = preview.count(ImportOutcome::Booked);
        Ledger ledger = opening;
        std::move(preview).appendRecordsTo(ledger);
        saveLedger(f.writableStore(), importer, ledger);
        meter.stop();
        if (booked != lines) state.SkipWithError("not every line was booked");
    }
    state.counters["peak/file"] = static_cast<double>(meter.highest()) /
                                  static_cast<double>(std::filesystem::file_size(path));
}

void BM_Import100000Rows(benchmark::State& state) {
    importStatement(state, statements().small);
}
BENCHMARK(BM_Import100000Rows)->Unit(benchmark::kMillisecond);

void BM_Import200000Rows(benchmark::State& state) {
    importStatement(state, statements().large);
}
BENCHMARK(BM_Import200000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora::bench
