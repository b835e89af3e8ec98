// A broker's statement, as the import reads it: the file (text in any encoding, or a
// workbook), the lines, the header, the entries and the preview against a small ledger.
#include "engine/statement_import.h"
#include "fuzz_support.h"
#include "records/gbk_text.h"
#include "store/statement_text.h"

using namespace fiscora;

namespace {

// A deposit and a holding, so that sales, dividends and duplicates meet a ledger.
Ledger smallLedger() {
    LedgerRecord deposit = makeRecord(RecordType::CashIn, 20240101);
    deposit.amount = 100000;
    LedgerRecord buy = makeRecord(RecordType::Buy, 20240102);
    buy.market = 1;
    storeBytes(buy.stockCode, "600036");
    buy.quantity = 1000;
    buy.price = 10;
    buy.fee = 5;
    buy.amount = 10005;
    return {deposit, buy};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeScratchFile("statement", data, size);
    const StatementFile file = readStatementFile(path);
    if (file.status != StatementFileStatus::Ok) return 0;
    splitStatementLines(file.text, Delimiter::Comma);
    static const Ledger ledger = smallLedger();
    // Read whole and a piece at a time: both give the same lines.
    StatementFileReader pieces;
    if (pieces.open(path) != StatementFileStatus::Ok) return 0;
    ImportPreview preview = previewImport(ledger, readStatement(pieces, StatementLayouts{}, {}));
    for (const bool adjustments : {false, true}) {
        const StatementReading reading = readStatement(file.text, StatementLayouts{}, {});
        if (reading.entries.size() != preview.size()) __builtin_trap();
        judgeImport(preview, ledger, {adjustments});
        for (std::size_t i = 0; i < preview.size(); ++i) preview.row(i);
        preview.reconciliation.text();
        preview.recordsToBook();
    }
    return 0;
}
