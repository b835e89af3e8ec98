// The heap an import takes, counted through the benchmarks' replaced operator new and
// delete (linked into this executable only): reading holds each line of a statement once,
// and booking never holds the records beside the lines they come from.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "engine/dates.h"
#include "engine/statement_import.h"
#include "heap_meter.h"
#include "store/statement_text.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

constexpr std::size_t kLines = 100000;

class StatementImportMemoryTest : public ::testing::Test {
protected:
    // A 交割单 of 100-share purchases, 40 a day.
    StatementImportMemoryTest() {
        std::ofstream out(path, std::ios::binary);
        out << "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,发生金额\r\n";
        for (std::size_t i = 0; i < kLines; ++i) {
            const std::time_t day = timeFromDate(20000103) + std::time_t(i / 40) * 24 * 60 * 60;
            out << dateFromTime(day) << ",600036,招商银行,证券买入,100,10.00,1000.00,-1005.00\r\n";
        }
    }

    StatementReading read() {
        StatementFileReader file;
        EXPECT_EQ(file.open(path), StatementFileStatus::Ok);
        return readStatement(file, StatementLayouts{}, {});
    }

    test::TempDir dir;
    const std::string path = dir.file("statement.csv");
    const Ledger opening = {[] {
        LedgerRecord deposit = makeRecord(RecordType::CashIn, 20000101);
        deposit.amount = 1e9;
        return deposit;
    }()};
};

TEST_F(StatementImportMemoryTest, ReadingHoldsEachLineOnceBesideThePiecesBeingRead) {
    bench::PeakMeter meter;
    meter.start();
    const StatementReading reading = read();
    const std::size_t held = meter.grown();
    meter.stop();
    ASSERT_EQ(reading.entries.size(), kLines);
    // The lines are never copied as they grow: beyond them, only the file's pieces of a
    // MiB being read and split.
    EXPECT_LE(meter.highest() - held, std::size_t{8} << 20);
}

TEST_F(StatementImportMemoryTest, BookingLetsTheLinesGoBeforeTheLedgerGrows) {
    StatementReading reading = read();
    bench::PeakMeter meter;
    meter.start();
    ImportPreview preview = previewImport(opening, std::move(reading));
    ASSERT_EQ(preview.count(ImportOutcome::Booked), kLines);
    Ledger ledger = opening;
    std::move(preview).appendRecordsTo(ledger);
    meter.stop();
    ASSERT_EQ(ledger.size(), kLines + 1);
    // From the lines read to the records booked, the heap grows by less than the records
    // themselves: the preview is gone by the time the ledger holds them.
    EXPECT_LE(meter.highest(), kLines * sizeof(LedgerRecord));
}

}  // namespace
}  // namespace fiscora
