// Statement files as they come: Excel workbooks, UTF-16 text, files too large to be one.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "engine/statement_entries.h"
#include "records/gbk_text.h"
#include "store/statement_text.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

std::string workbook(const std::string& name) {
    return std::string(FISCORA_WORKBOOK_DIR) + "/" + name;
}

// Both workbooks hold a title row and the same two purchases (tests/core/workbooks).
TEST(StatementFileTest, ExcelWorkbooksReadTheirFirstSheet) {
    for (const char* name : {"delivery.xls", "delivery.xlsx"}) {
        SCOPED_TRACE(name);
        const StatementFile file = readStatementFile(workbook(name));
        ASSERT_EQ(file.status, StatementFileStatus::Ok);
        const StatementReading reading = readStatement(file.text, StatementLayouts{}, {});
        ASSERT_TRUE(reading.error.empty()) << reading.error << "\n" << file.text;
        ASSERT_EQ(reading.entries.size(), 2u);
        ASSERT_TRUE(reading.entry(0).record) << reading.entry(0).reason;
        const LedgerRecord vanke = *reading.entry(0).record;
        EXPECT_EQ(std::string(fieldBytes(vanke.stockCode)), "000002");
        EXPECT_EQ(test::unpacked(vanke.market), 0);
        EXPECT_EQ(test::unpacked(vanke.quantity), 1000);
        EXPECT_DOUBLE_EQ(vanke.price, 7.5);
        EXPECT_NEAR(vanke.fee, 5.2, 1e-9);
        ASSERT_TRUE(reading.entry(1).record) << reading.entry(1).reason;
        EXPECT_EQ(test::unpacked(reading.entry(1).record->date), 20240108);
        EXPECT_EQ(reading.entry(1).name, "招商银行");
    }
}

// Dates Excel keeps as serial numbers under a date format (built in, custom with 年月日,
// with a time of day), counted from 1900 or, by the workbook's flag, from 1904; the figures
// beside them stay numbers (tests/core/workbooks/make_workbooks.py wrote both files).
TEST(StatementFileTest, SerialDatesOfAWorkbookAreCalendarDays) {
    for (const char* name : {"serial-dates.xlsx", "serial-dates-1904.xlsx"}) {
        SCOPED_TRACE(name);
        const StatementFile file = readStatementFile(workbook(name));
        ASSERT_EQ(file.status, StatementFileStatus::Ok);
        const StatementReading reading = readStatement(file.text, StatementLayouts{}, {});
        ASSERT_EQ(reading.entries.size(), 3u) << reading.error << "\n" << file.text;
        std::vector<std::int32_t> dates;
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(reading.entry(i).record) << reading.entry(i).reason;
            dates.push_back(reading.entry(i).record->date);
        }
        EXPECT_EQ(dates, (std::vector<std::int32_t>{20240101, 20240108, 20240229}));
        EXPECT_EQ(test::unpacked(reading.entry(0).record->quantity), 1000);
        EXPECT_DOUBLE_EQ(reading.entry(1).record->price, 35.2);
    }
}

TEST(StatementFileTest, UnreadableWorkbookAndTooLargeFileSaySo) {
    test::TempDir dir;
    std::ofstream(dir.file("broken.xlsx"), std::ios::binary) << "PK\x03\x04 not a workbook";
    EXPECT_EQ(readStatementFile(dir.file("broken.xlsx")).status, StatementFileStatus::Unreadable);

    // A sparse file beyond the limit: refused as too large, not read as an empty statement.
    const std::string huge = dir.file("huge.csv");
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kStatementFileLimit) + 1), 0);
    ::close(fd);
    EXPECT_EQ(readStatementFile(huge).status, StatementFileStatus::TooLarge);
}

TEST(StatementFileTest, Utf16TextIsDecodedWithOrWithoutItsMark) {
    // "日期,1\n" in UTF-16: 日 U+65E5, 期 U+671F.
    const std::string little("\xE5\x65\x1F\x67,\0001\0\n\0", 10);
    const std::string big("\x65\xE5\x67\x1F\0,\0001\0\n", 10);
    EXPECT_EQ(decodeStatementText("\xFF\xFE" + little), "日期,1\n");
    EXPECT_EQ(decodeStatementText("\xFE\xFF" + big), "日期,1\n");
    EXPECT_EQ(decodeStatementText(little + little), "日期,1\n日期,1\n");
    // An unpaired surrogate does not stop the text.
    EXPECT_EQ(decodeStatementText(std::string("\xFF\xFE\x00\xD8,\0", 6)), "\xEF\xBF\xBD,");
}

}  // namespace
}  // namespace fiscora
