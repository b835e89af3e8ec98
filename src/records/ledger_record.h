#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fiscora {

// Kind codes of a ledger record as stored in its `type` field. 0 to 4 are stock records.
enum class RecordType : std::int32_t {
    Buy = 0,
    Sell = 1,
    Dividend = 2,
    BonusShares = 3,
    RightsIssue = 4,
    CashIn = 6,
    CashOut = 7,
    None = 8,
};

#pragma pack(push, 1)
// One ledger entry: 200 bytes, packed (the multi-byte fields sit at odd offsets),
// little-endian, stored byte for byte in the ledger file. Money is in the account's
// currency and never rounded when stored.
struct LedgerRecord {
    std::int32_t market;    // 0 深圳, 1 上海; 0 in cash records
    std::int32_t date;      // YYYYMMDD
    char remark[101];       // GBK, NUL-terminated
    std::int32_t cashSign;  // +1 cash in, -1 cash out, 0 none
    char stockCode[10];     // six digits, NUL-terminated; empty in cash records
    std::int32_t type;      // RecordType code, kept raw: a file may hold any value
    char reserved1[20];     // always zero
    std::int32_t quantity;  // shares
    double price;           // per share; for a dividend, the cash per share
    double fee;             // all fees and taxes of the trade
    double amount;          // cash moved, never negative; effect is cashSign * amount
    std::int32_t viewRow;   // working row of the ledger view; stored, ignored on read
    char reserved2[21];     // always zero

    // Every byte zero, then type None and viewRow -1.
    LedgerRecord();

    RecordType kind() const { return static_cast<RecordType>(type); }
    bool isStock() const { return type >= 0 && type <= 4; }
};
#pragma pack(pop)

static_assert(sizeof(LedgerRecord) == 200);
static_assert(offsetof(LedgerRecord, date) == 4);
static_assert(offsetof(LedgerRecord, remark) == 8);
static_assert(offsetof(LedgerRecord, cashSign) == 109);
static_assert(offsetof(LedgerRecord, stockCode) == 113);
static_assert(offsetof(LedgerRecord, type) == 123);
static_assert(offsetof(LedgerRecord, reserved1) == 127);
static_assert(offsetof(LedgerRecord, quantity) == 147);
static_assert(offsetof(LedgerRecord, price) == 151);
static_assert(offsetof(LedgerRecord, fee) == 159);
static_assert(offsetof(LedgerRecord, amount) == 167);
static_assert(offsetof(LedgerRecord, viewRow) == 175);
static_assert(offsetof(LedgerRecord, reserved2) == 179);

// A ledger keeps its records in entry order; nothing sorts it.
using Ledger = std::vector<LedgerRecord>;

// The direction of the cash a kind moves: +1, -1 or 0.
std::int32_t cashSignOf(RecordType kind);
// The kind's name as the program shows it ("买入股票", ...); empty for codes without one.
std::string kindName(std::int32_t type);

// A record of `kind` with its cash sign, date and the other fields zero.
LedgerRecord makeRecord(RecordType kind, std::int32_t date);

// The sum of cashSign * amount over every record, in list order.
double cashBalance(const Ledger& ledger);
// The same over records dated from `from` to `to` inclusive; `to` -1 has no upper bound.
double cashBalanceBetween(const Ledger& ledger, std::int32_t from, std::int32_t to);

// The first record whose viewRow is `row`, or null.
LedgerRecord* findByViewRow(Ledger& ledger, std::int32_t row);
// True when the record belongs to the stock (market, code), the code compared whole.
bool isRecordOf(const LedgerRecord& record, std::int32_t market, const std::string& gbkCode);

}  // namespace fiscora
