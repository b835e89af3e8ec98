#include "engine/statement_import.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <tuple>

#include "engine/ledger_change_rules.h"
#include "engine/number_format.h"
#include "records/gbk_text.h"

namespace fiscora {
namespace {

// Later than any date a record holds.
constexpr std::int32_t kLatestDate = INT32_MAX;

// Half of the last decimal an amount shows: figures closer than this are the same figure.
constexpr double kSameFigure = 0.0005;

using RecordKey = std::tuple<std::int32_t, std::int32_t, std::string, std::int32_t, std::int32_t>;

RecordKey keyOf(const LedgerRecord& r) {
    // The packed fields are copied first: the tuple's constructor binds references.
    const std::int32_t date = r.date, market = r.market, type = r.type, quantity = r.quantity;
    return {date, market, std::string(fieldBytes(r.stockCode)), type, quantity};
}

bool sameFigures(const LedgerRecord& a, const LedgerRecord& b) {
    return std::fabs(a.price - b.price) < kSameFigure &&
           std::fabs(a.amount - b.amount) < kSameFigure;
}

// The ledger's records by key; each answers for one statement line at most.
class DuplicateFinder {
public:
    explicit DuplicateFinder(const Ledger& ledger) {
        for (const LedgerRecord& record : ledger) unused_[keyOf(record)].push_back(&record);
    }

    bool takeMatch(const LedgerRecord& record) {
        const auto found = unused_.find(keyOf(record));
        if (found == unused_.end()) return false;
        auto& candidates = found->second;
        const auto match =
            std::find_if(candidates.begin(), candidates.end(),
                         [&](const LedgerRecord* r) { return sameFigures(*r, record); });
        if (match == candidates.end()) return false;
        candidates.erase(match);
        return true;
    }

private:
    std::map<RecordKey, std::vector<const LedgerRecord*>> unused_;
};

using StockKey = std::pair<std::int32_t, std::string>;

StockKey stockOf(const LedgerRecord& r) {
    const std::int32_t market = r.market;  // copied: the pair's constructor binds references
    return {market, std::string(fieldBytes(r.stockCode))};
}

// The share movements of each stock: the ledger's and those of the lines accepted so far.
class Positions {
public:
    explicit Positions(const Ledger& ledger) {
        for (const LedgerRecord& record : ledger) add(record);
    }

    void add(const LedgerRecord& record) {
        const std::int64_t change = sharesMoved(record);
        if (change != 0) moves_[stockOf(record)].push_back({record.date, change});
    }

    // The shares held after every movement dated on or before `date`, and never more than
    // what all movements leave, so a later sale already in the ledger stays covered.
    std::int64_t heldOn(const StockKey& stock, std::int32_t date) const {
        const auto found = moves_.find(stock);
        if (found == moves_.end()) return 0;
        std::int64_t byDate = 0;
        std::int64_t overall = 0;
        for (const auto& [moveDate, change] : found->second) {
            overall += change;
            if (moveDate <= date) byDate += change;
        }
        return std::min(byDate, overall);
    }

private:
    std::map<StockKey, std::vector<std::pair<std::int32_t, std::int64_t>>> moves_;
};

// The rows with a record, oldest date first, each day's lines in the order they happen.
std::vector<std::size_t> chronologicalOrder(const std::vector<ImportRow>& rows) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].entry.record) order.push_back(i);
    }
    if (order.size() > 1 &&
        rows[order.front()].entry.record->date > rows[order.back()].entry.record->date)
        std::reverse(order.begin(), order.end());
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rows[a].entry.record->date < rows[b].entry.record->date;
    });
    return order;
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

std::size_t ImportPreview::count(ImportOutcome outcome) const {
    return static_cast<std::size_t>(std::count_if(
        rows.begin(), rows.end(), [&](const ImportRow& row) { return row.outcome == outcome; }));
}

Ledger ImportPreview::recordsToBook() const {
    Ledger records;
    for (std::size_t index : bookingOrder) records.push_back(*rows[index].entry.record);
    return records;
}

ImportPreview previewImport(const Ledger& ledger, const StatementReading& reading) {
    ImportPreview preview;
    preview.layoutName = reading.layoutName;
    for (const StatementEntry& entry : reading.entries)
        preview.rows.push_back({entry, ImportOutcome::Skipped, entry.reason});
    DuplicateFinder duplicates(ledger);
    Positions positions(ledger);
    double cash = cashBalance(ledger);
    for (std::size_t index : chronologicalOrder(preview.rows)) {
        ImportRow& row = preview.rows[index];
        const LedgerRecord& record = *row.entry.record;
        if (duplicates.takeMatch(record)) {
            row.outcome = ImportOutcome::Duplicate;
            continue;
        }
        if (record.kind() == RecordType::Sell) {
            const std::int64_t held = positions.heldOn(stockOf(record), record.date);
            if (record.quantity > held) {
                row.outcome = ImportOutcome::Refused;
                row.reason =
                    "卖出数量超过持有量" + formatQuantity(std::max<std::int64_t>(held, 0)) + "股";
                continue;
            }
        }
        if (record.kind() != RecordType::Sell &&
            positions.heldOn(stockOf(record), kLatestDate) + record.quantity > kMaxHeldQuantity) {
            row.outcome = ImportOutcome::Refused;
            row.reason = "持股数量将超过2147483647股";
            continue;
        }
        const double after = cash + record.cashSign * record.amount;
        if (record.cashSign < 0 && after < -kSameFigure) {
            row.outcome = ImportOutcome::Refused;
            row.reason = "资金余额不足：余额" + formatAmount(cash);
            continue;
        }
        cash = after;
        positions.add(record);
        row.outcome = ImportOutcome::Booked;
        preview.bookingOrder.push_back(index);
    }
    return preview;
}

bool bookImport(Workspace& workspace, const AccountInfo& account, const ImportPreview& preview) {
    if (preview.bookingOrder.empty()) return true;
    Ledger& ledger = workspace.ledger;
    const std::size_t before = ledger.size();
    for (const LedgerRecord& record : preview.recordsToBook()) ledger.push_back(record);
    const SaveStatus saved = workspace.saveLedgerOf(account);
    // A file another program changed meanwhile was loaded again, without the import.
    if (saved == SaveStatus::Failed) ledger.resize(before);
    workspace.recomputeHoldings();
    return saved == SaveStatus::Saved;
}

}  // namespace fiscora
