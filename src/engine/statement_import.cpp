#include "engine/statement_import.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "engine/holdings.h"
#include "engine/learned_stock_names.h"
#include "engine/ledger_change_rules.h"
#include "engine/number_format.h"
#include "records/gbk_text.h"

namespace fiscora {
namespace {

// Later than any date a record holds.
constexpr std::int32_t kLatestDate = INT32_MAX;

// Half of the last decimal an amount shows: figures closer than this are the same figure.
constexpr double kSameFigure = 0.0005;
// A trade booked by hand carries the fee of the user's fee table, a few fen off the
// broker's: amounts this close still name the same trade.
constexpr double kFeeTolerance = 1.0;

constexpr const char* kTooLarge = "输入的数值太大,计算结果无法表示";

using RecordKey = std::tuple<std::int32_t, std::int32_t, std::string, std::int32_t, std::int32_t>;

// A dividend is matched by date, code and amount alone: a 资金流水 gives neither the
// market nor the shares the dialog booked it on.
RecordKey keyOf(const LedgerRecord& r) {
    // The packed fields are copied first: the tuple's constructor binds references.
    const std::int32_t date = r.date, type = r.type;
    const bool dividend = r.kind() == RecordType::Dividend;
    const std::int32_t market = dividend ? 0 : std::int32_t{r.market};
    const std::int32_t quantity = dividend ? 0 : std::int32_t{r.quantity};
    return {date, market, std::string(fieldBytes(r.stockCode)), type, quantity};
}

// How far a ledger record is from a statement's; nothing when they are different records.
std::optional<double> distance(const LedgerRecord& booked, const LedgerRecord& row) {
    const double amounts = std::fabs(booked.amount - row.amount);
    if (row.kind() == RecordType::Dividend)
        return amounts < kSameFigure ? std::optional<double>(amounts) : std::nullopt;
    if (std::fabs(booked.price - row.price) >= kSameFigure) return std::nullopt;
    const double tolerance =
        row.isStock() && row.kind() != RecordType::BonusShares ? kFeeTolerance : kSameFigure;
    return amounts <= tolerance ? std::optional<double>(amounts) : std::nullopt;
}

// The ledger's records by key; each answers for one statement line at most, the closest.
class DuplicateFinder {
public:
    explicit DuplicateFinder(const Ledger& ledger) {
        for (const LedgerRecord& record : ledger) unused_[keyOf(record)].push_back(&record);
    }

    const LedgerRecord* takeMatch(const LedgerRecord& record) {
        const auto found = unused_.find(keyOf(record));
        if (found == unused_.end()) return nullptr;
        auto& candidates = found->second;
        auto best = candidates.end();
        double bestDistance = 0;
        for (auto it = candidates.begin(); it != candidates.end(); ++it) {
            const auto d = distance(**it, record);
            if (d && (best == candidates.end() || *d < bestDistance)) {
                best = it;
                bestDistance = *d;
            }
        }
        if (best == candidates.end()) return nullptr;
        const LedgerRecord* match = *best;
        candidates.erase(best);
        return match;
    }

private:
    std::map<RecordKey, std::vector<const LedgerRecord*>> unused_;
};

using StockKey = std::pair<std::int32_t, std::string>;

StockKey stockOf(const LedgerRecord& r) {
    const std::int32_t market = r.market;  // copied: the pair's constructor binds references
    return {market, std::string(fieldBytes(r.stockCode))};
}

// The shares of each stock: the ledger's movements by date, and those of the lines accepted
// so far. The lines are accepted oldest date first, so every accepted movement lies on or
// before the date asked about: a holding is a binary search and a sum.
class Positions {
public:
    explicit Positions(const Ledger& ledger) {
        for (const LedgerRecord& record : ledger) {
            const std::int64_t change = sharesMoved(record);
            if (change != 0) stocks_[stockOf(record)].ledger.push_back({record.date, change});
        }
        for (auto& [key, stock] : stocks_) {
            std::stable_sort(stock.ledger.begin(), stock.ledger.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            std::int64_t running = 0;
            for (auto& move : stock.ledger) move.second = running += move.second;
        }
    }

    void add(const LedgerRecord& record) {
        const std::int64_t change = sharesMoved(record);
        if (change != 0) stocks_[stockOf(record)].accepted += change;
    }

    // The shares held after every movement dated on or before `date`, and never more than
    // what all movements leave, so a later sale already in the ledger stays covered.
    std::int64_t heldOn(const StockKey& key, std::int32_t date) const {
        const auto found = stocks_.find(key);
        if (found == stocks_.end()) return 0;
        const Stock& stock = found->second;
        const auto after =
            std::upper_bound(stock.ledger.begin(), stock.ledger.end(), date,
                             [](std::int32_t d, const auto& move) { return d < move.first; });
        const std::int64_t byDate = after == stock.ledger.begin() ? 0 : std::prev(after)->second;
        const std::int64_t overall = stock.ledger.empty() ? 0 : stock.ledger.back().second;
        return std::min(byDate, overall) + stock.accepted;
    }

private:
    struct Stock {
        std::vector<std::pair<std::int32_t, std::int64_t>> ledger;  // date, shares after it
        std::int64_t accepted = 0;
    };
    std::map<StockKey, Stock> stocks_;
};

// The indexes of `count` rows with a date, oldest first, each day's lines in the order
// they happen (a statement listed newest first is read from its end).
template <typename DateOf>
std::vector<std::size_t> chronological(std::size_t count, const DateOf& dateOf) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < count; ++i) {
        if (dateOf(i) != 0) order.push_back(i);
    }
    if (order.size() > 1 && dateOf(order.front()) > dateOf(order.back()))
        std::reverse(order.begin(), order.end());
    // A statement is mostly in date order already: checked in one pass before sorting.
    const auto earlier = [&](std::size_t a, std::size_t b) { return dateOf(a) < dateOf(b); };
    if (!std::is_sorted(order.begin(), order.end(), earlier))
        std::stable_sort(order.begin(), order.end(), earlier);
    return order;
}

// A record to book as the preview keeps it until it goes into the ledger: some 48 bytes
// where the record takes 200, a cash adjustment's remark as its number in the pool.
struct PendingRecord {
    double price = 0;
    double fee = 0;
    double amount = 0;
    std::int32_t date = 0;
    std::int32_t quantity = 0;
    TextPool::Id remark = TextPool::kEmpty;
    char stockCode[6] = {};
    std::int8_t type = 0;
    std::int8_t market = 0;
};

// The record a line books as judged: a skipped interest, tax or repo line as the deposit
// or withdrawal it amounts to, with its text as remark; a dividend on the shares held on
// its date, at its amount over them.
PendingRecord pendingOf(const CompactEntry& entry, const ImportJudgement& judged) {
    PendingRecord pending;
    pending.date = entry.date;
    if (judged.asCashAdjustment) {
        const RecordType kind = entry.cashEffect > 0 ? RecordType::CashIn : RecordType::CashOut;
        pending.type = static_cast<std::int8_t>(kind);
        pending.amount = std::fabs(entry.cashEffect);
        pending.remark = entry.action;
        return pending;
    }
    pending.type = entry.type;
    pending.market = entry.market;
    std::copy_n(entry.stockCode, sizeof entry.stockCode, pending.stockCode);
    pending.quantity = entry.quantity;
    pending.price = entry.price;
    pending.fee = entry.fee;
    pending.amount = entry.amount;
    if (entry.type == static_cast<std::int8_t>(RecordType::Dividend)) {
        if (judged.heldShares > 0) pending.quantity = judged.heldShares;
        if (pending.quantity > 0) pending.price = pending.amount / pending.quantity;
    }
    return pending;
}

LedgerRecord recordOf(const PendingRecord& pending, const TextPool& texts) {
    LedgerRecord record = makeRecord(static_cast<RecordType>(pending.type), pending.date);
    record.market = static_cast<std::uint8_t>(pending.market);  // 0 or 1
    if (pending.stockCode[0] != '\0')
        storeBytes(record.stockCode, std::string_view(pending.stockCode, sizeof pending.stockCode));
    record.quantity = pending.quantity;
    record.price = pending.price;
    record.fee = pending.fee;
    record.amount = pending.amount;
    // A line is booked as a cash adjustment only when its text fits the remark.
    if (pending.remark != TextPool::kEmpty) storeText(record.remark, texts.text(pending.remark));
    return record;
}

bool fitsRemark(const std::string& text) {
    LedgerRecord probe;
    return storeText(probe.remark, text) == TextFit::Ok;
}

// The rights of a 配股 the ledger holds, by stock and quantity.
std::set<std::tuple<std::int32_t, std::string, std::int32_t>> rightsIn(const Ledger& ledger) {
    std::set<std::tuple<std::int32_t, std::string, std::int32_t>> rights;
    for (const LedgerRecord& r : ledger) {
        const std::int32_t market = r.market, quantity = r.quantity;
        if (r.kind() == RecordType::RightsIssue)
            rights.insert({market, std::string(fieldBytes(r.stockCode)), quantity});
    }
    return rights;
}

bool alreadyCredited(const std::set<std::tuple<std::int32_t, std::string, std::int32_t>>& rights,
                     const CompactEntry& entry) {
    return entry.rightsCredit &&
           rights.contains({entry.market, std::string(entry.stockCode, sizeof entry.stockCode),
                            entry.quantity});
}

std::string duplicateReason(const LedgerRecord& booked, const LedgerRecord& row) {
    if (std::fabs(booked.fee - row.fee) < kSameFigure) return {};
    return "已记入，费用" + formatAmount(booked.fee) + "，交割单费用" + formatAmount(row.fee);
}

Reconciliation reconcile(const Ledger& ledger, const ImportPreview& preview) {
    Reconciliation result;
    const auto& entries = preview.entries;
    const auto order =
        chronological(entries.size(), [&](std::size_t i) { return entries[i].date; });
    if (order.empty()) return result;
    const std::int32_t lastDate = entries[order.back()].date;
    std::optional<double> brokerCash;
    // By code: the name and the shares.
    std::map<std::string, std::pair<std::string, std::int64_t>> brokerShares;
    for (std::size_t index : order) {
        const CompactEntry& entry = entries[index];
        if (entry.hasCashBalance) brokerCash = entry.cashBalance;
        if (entry.hasShareBalance && entry.hasRecord() && entry.record().isStock())
            brokerShares[preview.texts.text(entry.code)] = {
                preview.texts.text(entry.name), static_cast<std::int64_t>(entry.shareBalance)};
    }
    double cash = 0;
    std::map<std::string, std::int64_t> held;
    auto count = [&](const LedgerRecord& r) {
        if (r.date > lastDate) return;
        cash += r.cashSign * r.amount;
        held[std::string(fieldBytes(r.stockCode))] += sharesMoved(r);
    };
    for (const LedgerRecord& r : ledger) count(r);
    for (std::size_t index : preview.bookingOrder) count(*preview.record(index));
    if (brokerCash) result.cashDifference = cash - *brokerCash;
    for (const auto& [code, broker] : brokerShares) {
        const std::int64_t ours = held[code];
        if (ours != broker.second)
            result.shares.push_back({code, broker.first, ours, broker.second});
    }
    return result;
}

}  // namespace

std::string outcomeText(ImportOutcome outcome) {
    switch (outcome) {
    case ImportOutcome::Booked: return "记入";
    case ImportOutcome::Duplicate: return "重复";
    case ImportOutcome::Skipped: return "跳过";
    case ImportOutcome::Refused: return "拒绝";
    }
    return {};
}

ImportRow ImportPreview::row(std::size_t index) const {
    const ImportJudgement& judged = judgements.at(index);
    ImportRow row{entryOf(entries.at(index), texts), judged.outcome, texts.text(judged.reason)};
    row.entry.record = record(index);
    return row;
}

std::optional<LedgerRecord> ImportPreview::record(std::size_t index) const {
    const CompactEntry& entry = entries.at(index);
    const ImportJudgement& judged = judgements.at(index);
    if (judged.outcome == ImportOutcome::Skipped) return std::nullopt;
    return recordOf(pendingOf(entry, judged), texts);
}

std::size_t ImportPreview::count(ImportOutcome outcome) const {
    return static_cast<std::size_t>(
        std::count_if(judgements.begin(), judgements.end(),
                      [&](const ImportJudgement& judged) { return judged.outcome == outcome; }));
}

void ImportPreview::appendRecordsTo(Ledger& ledger) && {
    std::vector<PendingRecord> pending;
    pending.reserve(bookingOrder.size());
    for (std::uint32_t index : bookingOrder)
        pending.push_back(pendingOf(entries[index], judgements[index]));
    const TextPool remarks = std::move(texts);
    *this = ImportPreview{};
    ledger.reserve(ledger.size() + pending.size());
    for (const PendingRecord& record : pending) ledger.push_back(recordOf(record, remarks));
}

Ledger ImportPreview::recordsToBook() const {
    Ledger records;
    records.reserve(bookingOrder.size());
    for (std::uint32_t index : bookingOrder) records.push_back(*record(index));
    return records;
}

ImportPreview previewImport(const Ledger& ledger, StatementReading reading,
                            const ImportOptions& options) {
    ImportPreview preview;
    preview.layoutName = std::move(reading.layoutName);
    preview.texts = std::move(reading.texts);
    preview.entries = std::move(reading.entries);
    judgeImport(preview, ledger, options);
    return preview;
}

void judgeImport(ImportPreview& preview, const Ledger& ledger, const ImportOptions& options) {
    const auto& entries = preview.entries;
    TextPool& texts = preview.texts;
    preview.options = options;
    preview.bookingOrder.clear();
    preview.judgements.assign(entries.size(), {});
    std::vector<std::uint32_t> dated;
    for (std::uint32_t index = 0; index < entries.size(); ++index) {
        const CompactEntry& entry = entries[index];
        ImportJudgement& judged = preview.judgements[index];
        judged.reason = entry.reason;
        judged.asCashAdjustment = options.includeCashAdjustments && entry.cashAdjustment &&
                                  fitsRemark(texts.text(entry.action));
        if (judged.asCashAdjustment) {
            const RecordType kind = entry.cashEffect > 0 ? RecordType::CashIn : RecordType::CashOut;
            judged.reason = texts.add("按" + kindName(static_cast<std::int32_t>(kind)) + "记入");
        }
        if (entry.hasRecord() || judged.asCashAdjustment) dated.push_back(index);
    }
    // Judged as a record from here on: an outcome other than Skipped shows the record.
    const auto order =
        chronological(dated.size(), [&](std::size_t i) { return entries[dated[i]].date; });
    DuplicateFinder duplicates(ledger);
    Positions positions(ledger);
    const auto creditedRights = rightsIn(ledger);
    double cash = cashBalance(ledger);
    auto refuse = [&](ImportJudgement& judged, const std::string& reason) {
        judged.outcome = ImportOutcome::Refused;
        judged.reason = texts.add(reason);
    };
    for (std::size_t position : order) {
        const std::uint32_t index = dated[position];
        const CompactEntry& entry = entries[index];
        ImportJudgement& judged = preview.judgements[index];
        if (!judged.asCashAdjustment && alreadyCredited(creditedRights, entry)) {
            judged.reason = texts.add("配股已在缴款时记入");
            continue;
        }
        judged.outcome = ImportOutcome::Booked;  // for now: the record is wanted below
        if (entry.type == static_cast<std::int8_t>(RecordType::Dividend)) {
            const std::int64_t held = positions.heldOn(stockOf(entry.record()), entry.date);
            if (held > 0) judged.heldShares = static_cast<std::int32_t>(held);
            if (held <= 0 && entry.quantity <= 0) {
                refuse(judged, "分红日没有持股");
                continue;
            }
        }
        const LedgerRecord record = *preview.record(index);
        if (const LedgerRecord* booked = duplicates.takeMatch(record)) {
            judged.outcome = ImportOutcome::Duplicate;
            judged.reason = texts.add(duplicateReason(*booked, record));
            continue;
        }
        if (record.kind() == RecordType::Sell) {
            const std::int64_t held = positions.heldOn(stockOf(record), record.date);
            if (record.quantity > held) {
                refuse(judged, "卖出数量超过持有量" +
                                   formatQuantity(std::max<std::int64_t>(held, 0)) + "股");
                continue;
            }
        }
        if (record.kind() != RecordType::Sell &&
            positions.heldOn(stockOf(record), kLatestDate) + record.quantity > kMaxHeldQuantity) {
            refuse(judged, "持股数量将超过2147483647股");
            continue;
        }
        const double after = cash + record.cashSign * record.amount;
        if (!std::isfinite(after)) {
            refuse(judged, kTooLarge);
            continue;
        }
        if (record.cashSign < 0 && after < -kSameFigure) {
            refuse(judged, "资金余额不足：余额" + formatAmount(cash));
            continue;
        }
        cash = after;
        positions.add(record);
        preview.bookingOrder.push_back(index);
    }
    preview.reconciliation = reconcile(ledger, preview);
}

std::string Reconciliation::text() const {
    std::string text;
    if (cashDifference) {
        text = std::fabs(*cashDifference) < 0.005
                   ? "资金相符"
                   : "资金差 " + formatAmount(*cashDifference) + " 元";
    }
    for (const ShareDifference& d : shares) {
        text += (text.empty() ? "" : "，") + d.code + d.name + " 持股 " + std::to_string(d.held) +
                " 股，券商 " + std::to_string(d.broker) + " 股";
    }
    return text.empty() ? text : "对帐：" + text;
}

bool bookImport(Workspace& workspace, const AccountInfo& account, ImportPreview preview) {
    if (preview.bookingOrder.empty()) return true;
    const StockNames names = stockNamesOf(preview);
    Ledger& ledger = workspace.ledger;
    const std::size_t before = ledger.size();
    std::move(preview).appendRecordsTo(ledger);
    const SaveStatus saved = workspace.saveLedgerOf(account);
    // A file another program changed meanwhile was loaded again, without the import.
    if (saved == SaveStatus::Failed) ledger.resize(before);
    workspace.recomputeHoldings();
    if (saved == SaveStatus::Saved) learnStockNames(workspace.dataDirectory(), names);
    return saved == SaveStatus::Saved;
}

}  // namespace fiscora
