#include "engine/statement_entries.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <tuple>

#include "engine/dates.h"
#include "engine/number_format.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {
namespace {

using C = StatementColumn;

// What the booking dialogs say of figures no record can represent.
constexpr const char* kTooLarge = "输入的数值太大,计算结果无法表示";

// A line's cells by role; a column the header lacks, or a short line, reads empty.
class LineCells {
public:
    LineCells(const StatementLine& line, const StatementHeader& header)
        : line_(line), header_(header) {}

    std::string_view operator[](StatementColumn column) const {
        const auto found = header_.columns.find(column);
        return found == header_.columns.end() ? std::string_view() : at(found->second);
    }
    bool has(StatementColumn column) const { return header_.columns.contains(column); }
    const StatementHeader& header() const { return header_; }
    std::string_view at(std::size_t index) const {
        return index < line_.cells.size() ? std::string_view(line_.cells[index])
                                          : std::string_view();
    }

private:
    const StatementLine& line_;
    const StatementHeader& header_;
};

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Rows the program leaves out on purpose though they move cash: the reconciliation lists
// them, and they may be booked as deposits and withdrawals.
bool isCashAdjustment(const std::string& action) {
    return contains(action, "利息") || contains(action, "税") || contains(action, "回购") ||
           contains(action, "购回") || contains(action, "结息");
}

// Why a line is not a trade, from its business text.
std::string notATrade(const std::string& action) {
    if (contains(action, "利息") || contains(action, "结息")) return "利息结算，不是交易";
    if (contains(action, "税")) return "税费调整，不是交易";
    if (contains(action, "回购") || contains(action, "购回")) return "逆回购，不是股票交易";
    if (contains(action, "中签缴款") || contains(action, "新股缴款"))
        return "新股缴款，在新股入账时记入";
    if (contains(action, "申购") || contains(action, "配号")) return "新股申购，尚未中签";
    if (contains(action, "撤单")) return "撤单，没有成交";
    if (action.empty()) return "没有业务名称";
    return "“" + action + "”不是可记入的交易";
}

bool isIpoCredit(const std::string& action) {
    return contains(action, "新股入");
}

bool isIpoPayment(const std::string& action) {
    return contains(action, "中签缴款") || contains(action, "新股缴款");
}

bool isMarginTrade(const std::string& action) {
    return action == "融资买入" || action == "卖券还款";
}

bool isRightsCreditText(const std::string& action) {
    return contains(action, "配股入账") || contains(action, "配股入帐");
}

// Six digits; a code a spreadsheet shortened (2 for 000002) gets its zeros back.
std::optional<std::string> sixDigitCode(std::string_view cell) {
    if (cell.empty() || cell.size() > 6) return std::nullopt;
    if (!std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::string(6 - cell.size(), '0') + std::string(cell);
}

// A rights subscription's own code (沪 700xxx/760xxx, 深 080xxx/082xxx/380xxx) as the
// stock's: the subscription never becomes a holding.
std::string stockOfRightsCode(const std::string& code) {
    static const std::pair<std::string_view, std::string_view> kPrefixes[] = {
        {"700", "600"}, {"760", "601"}, {"080", "000"}, {"082", "002"}, {"380", "300"}};
    for (const auto& [subscription, stock] : kPrefixes) {
        if (code.starts_with(subscription)) return std::string(stock) + code.substr(3);
    }
    return code;
}

// 北交所 codes: 43xxxx and 8xxxxx of the former 新三板 and the new 92xxxx.
bool isBeijingCode(const std::string& code) {
    return code[0] == '4' || code[0] == '8' || code.starts_with("92");
}

// The market of a code when the row names none: the code's own, with Shenzhen's funds
// (15xxxx, 16xxxx, 18xxxx) told apart from Shanghai's bonds.
int marketOfStatementCode(const std::string& code) {
    if (code.starts_with("15") || code.starts_with("16") || code.starts_with("18")) return 0;
    return marketOfCode(code);
}

struct Failure {
    std::string reason;
};

// The reader of one line; every step either fills the record or gives the reason.
class EntryReader {
public:
    EntryReader(const LineCells& cells, const StatementLayout& layout,
                const StatementAccount& account)
        : cells_(cells), layout_(layout), account_(account) {}

    std::optional<Failure> read(StatementEntry& entry) {
        const auto kind = layout_.actions.find(entry.action);
        if (kind == layout_.actions.end()) return Failure{notATrade(entry.action)};
        if (!entry.date) return Failure{"日期无法识别：" + std::string(cells_[C::Date])};
        LedgerRecord record = makeRecord(kind->second, entry.date);
        if (record.isStock()) {
            if (auto failure = stock(record, entry)) return failure;
        } else if (auto failure = cash(record)) {
            return failure;
        }
        if (!representable(record)) return Failure{kTooLarge};
        entry.record = record;
        if (isMarginTrade(entry.action))
            entry.reason = entry.action + "，按" + kindName(record.type) + "记入";
        return std::nullopt;
    }

private:
    static bool representable(const LedgerRecord& r) {
        return std::isfinite(r.amount) && std::isfinite(r.fee) && std::isfinite(r.price) &&
               std::isfinite(r.price * r.quantity) && std::isfinite(r.amount + r.fee);
    }

    std::optional<Failure> signedNumber(std::string_view cell, double& value) const {
        const auto read = statementNumber(cell);
        if (!read) return Failure{"数字无法识别：" + std::string(cell)};
        value = *read;
        return std::nullopt;
    }

    std::optional<Failure> number(StatementColumn column, double& value) const {
        if (auto failure = signedNumber(cells_[column], value)) return failure;
        value = std::fabs(value);
        return std::nullopt;
    }

    // The fee columns: a total column when the header has one and the row fills it, else
    // the sum of the single fees.
    std::optional<Failure> feeColumns(double& total) const {
        total = 0;
        if (const auto column = cells_.header().feeTotalColumn) {
            if (auto failure = signedNumber(cells_.at(*column), total)) return failure;
            total = std::fabs(total);
            if (total > 0) return std::nullopt;
        }
        for (std::size_t column : cells_.header().feeColumns) {
            double fee = 0;
            if (auto failure = signedNumber(cells_.at(column), fee)) return failure;
            total += std::fabs(fee);
        }
        return std::nullopt;
    }

    // Fee and amount of a trade; `feeSign` +1 when the fee adds to the cash paid, -1 when
    // it takes from the cash received.
    std::optional<Failure> feeAndAmount(LedgerRecord& record, int feeSign) const {
        double net = 0, traded = 0;
        if (auto failure = number(C::NetAmount, net)) return failure;
        if (auto failure = number(C::TradeAmount, traded)) return failure;
        if (net > 0 && traded > 0 && feeSign * (net - traded) >= 0) {
            record.amount = net;
            record.fee = feeSign * (net - traded);
            return std::nullopt;
        }
        double fee = 0;
        if (auto failure = feeColumns(fee)) return failure;
        record.fee = fee;
        if (net > 0) {
            record.amount = net;
            return std::nullopt;
        }
        if (traded <= 0) traded = record.quantity * record.price;
        record.amount = traded + feeSign * fee;
        return std::nullopt;
    }

    std::optional<Failure> hongKong() const {
        if (marketOfCell(cells_[C::Market]) == kMarketHongKong)
            return Failure{"港股通的证券，不能记入"};
        const std::string_view currency = cells_[C::Currency];
        if (contains(currency, "港") || contains(currency, "HK"))
            return Failure{"港股通的证券，不能记入"};
        double rate = 0;
        if (!signedNumber(cells_[C::ExchangeRate], rate) && rate != 0 && rate != 1)
            return Failure{"港股通的证券，不能记入"};
        return std::nullopt;
    }

    std::optional<Failure> market(const std::string& code, std::int32_t& market) const {
        if (account_.fixedMarket) {
            market = *account_.fixedMarket;
            return std::nullopt;
        }
        if (auto failure = hongKong()) return failure;
        const int fromRow = marketOfCell(cells_[C::Market]);
        if (fromRow == kMarketBeijing || isBeijingCode(code))
            return Failure{"北交所的证券，不能记入"};
        if (fromRow >= 0) {
            market = fromRow;
            return std::nullopt;
        }
        const int fromCode = marketOfStatementCode(code);
        if (fromCode != 0 && fromCode != 1)
            return Failure{"无法确定市场：代码两市都有，行中没有市场"};
        market = fromCode;
        return std::nullopt;
    }

    std::optional<Failure> quantity(LedgerRecord& record) const {
        double shares = 0;
        if (auto failure = number(C::Quantity, shares)) return failure;
        if (shares != std::floor(shares)) return Failure{"成交数量不是整数"};
        if (shares > 2147483647.0) return Failure{"成交数量超出范围"};
        record.quantity = static_cast<std::int32_t>(shares);
        return std::nullopt;
    }

    std::optional<Failure> stock(LedgerRecord& record, StatementEntry& entry) const {
        const std::string_view codeCell = cells_[C::Code];
        // 港股通 codes have five digits; they must not pass for a Shenzhen code.
        if (codeCell.size() == 5 && !account_.fixedMarket && hongKong()) return hongKong();
        auto code = sixDigitCode(codeCell);
        if (!code) return Failure{"证券代码不是6位数字"};
        if (record.kind() == RecordType::RightsIssue) {
            const std::string own = stockOfRightsCode(*code);
            if (own != *code) entry.reason = "配股代码" + *code + "，记在" + own + "名下";
            code = own;
        }
        entry.code = *code;
        storeBytes(record.stockCode, *code);
        // The record's fields are packed: each is read into a local and stored, never bound
        // to a reference.
        std::int32_t rowMarket = 0;
        if (auto failure = market(*code, rowMarket)) return failure;
        record.market = rowMarket;
        if (auto failure = quantity(record)) return failure;
        switch (record.kind()) {
        case RecordType::BonusShares:
            if (record.quantity == 0) return Failure{"送股数量为0"};
            return std::nullopt;
        case RecordType::Dividend: return dividend(record);
        default: break;
        }
        if (record.quantity == 0) return Failure{"成交数量为0"};
        double price = 0;
        if (auto failure = number(C::Price, price)) return failure;
        record.price = price;
        const int feeSign = record.kind() == RecordType::Sell ? -1 : 1;
        if (auto failure = feeAndAmount(record, feeSign)) return failure;
        if (record.price == 0 && record.amount > 0)
            record.price = (record.amount - feeSign * record.fee) / record.quantity;
        return std::nullopt;
    }

    // The cash paid; the per-share price follows from it and the holding in the preview,
    // never from a price column that may hold the stock's quote.
    std::optional<Failure> dividend(LedgerRecord& record) const {
        record.price = 0;
        if (auto failure = feeAndAmount(record, 0)) return failure;
        record.fee = 0;
        if (!(record.amount > 0)) return Failure{"金额为0"};
        return std::nullopt;
    }

    std::optional<Failure> cash(LedgerRecord& record) const {
        double net = 0;
        double traded = 0;
        if (auto failure = number(C::NetAmount, net)) return failure;
        if (auto failure = number(C::TradeAmount, traded)) return failure;
        record.amount = net > 0 ? net : traded;
        if (!(record.amount > 0)) return Failure{"金额为0"};
        return std::nullopt;
    }

    const LineCells& cells_;
    const StatementLayout& layout_;
    const StatementAccount& account_;
};

using Subscription = std::tuple<std::int32_t, std::string_view, std::int32_t>;

Subscription subscriptionOf(const CompactEntry& entry) {
    return {entry.market, std::string_view(entry.stockCode, sizeof entry.stockCode),
            entry.quantity};
}

// The shares of a rights issue arrive twice in a statement: paid for (配股缴款) and later
// credited (配股入账). The payment books them; the credit would count them again.
void skipCreditedRights(CompactEntries& entries, TextPool& texts) {
    constexpr auto kRights = static_cast<std::int8_t>(RecordType::RightsIssue);
    std::set<Subscription> paid;
    for (const CompactEntry& entry : entries) {
        if (entry.type == kRights && !entry.rightsCredit) paid.insert(subscriptionOf(entry));
    }
    for (CompactEntry& entry : entries) {
        if (entry.rightsCredit && entry.hasRecord() && paid.contains(subscriptionOf(entry))) {
            entry.type = -1;
            entry.reason = texts.add("配股已在缴款时记入");
        }
    }
}

// What a 中签缴款 line paid for a number of new shares.
struct IpoPayment {
    std::string code;
    std::int32_t quantity = 0;
    double price = 0;
    double paid = 0;
    bool used = false;
};

std::optional<IpoPayment> ipoPaymentOf(const LineCells& cells) {
    const auto code = sixDigitCode(cells[C::Code]);
    const auto quantity = statementNumber(cells[C::Quantity]);
    const auto price = statementNumber(cells[C::Price]);
    const auto net = statementNumber(cells[C::NetAmount]);
    const auto traded = statementNumber(cells[C::TradeAmount]);
    if (!code || !quantity || !price || !net || !traded || *quantity == 0) return std::nullopt;
    IpoPayment payment{*code, static_cast<std::int32_t>(std::fabs(*quantity)), std::fabs(*price),
                       std::fabs(*net) > 0 ? std::fabs(*net) : std::fabs(*traded)};
    if (payment.price == 0) payment.price = payment.paid / payment.quantity;
    if (payment.paid == 0) payment.paid = payment.price * payment.quantity;
    return payment;
}

// New shares arrive (新股入账) at the price their 中签缴款 paid: the payment of the same
// quantity whose code (a Shanghai subscription code differs in its first digits) ends alike.
void priceNewShares(CompactEntries& entries, TextPool& texts, std::vector<IpoPayment>& payments) {
    for (CompactEntry& entry : entries) {
        if (!entry.hasRecord() || entry.price > 0 || !isIpoCredit(texts.text(entry.action)))
            continue;
        const std::string& code = texts.text(entry.code);
        const auto payment = std::find_if(payments.begin(), payments.end(), [&](const auto& p) {
            return !p.used && p.quantity == entry.quantity && p.code.substr(3) == code.substr(3);
        });
        if (payment == payments.end()) {
            entry.type = -1;
            entry.reason = texts.add("新股入账，找不到它的中签缴款，无法得知价格");
            continue;
        }
        payment->used = true;
        entry.price = payment->price;
        entry.fee = 0;
        entry.amount = payment->paid;
        entry.reason = texts.add("新股，按中签缴款的价格记入");
    }
}

std::string withoutSeparators(std::string_view cell) {
    std::string text;
    for (char c : cell) {
        if (c != ',' && c != ' ' && c != '+') text += c;
    }
    return text;
}

std::optional<double> balanceOf(const LineCells& cells, StatementColumn column) {
    if (!cells.has(column) || cells[column].empty()) return std::nullopt;
    return statementNumber(cells[column]);
}

StatementEntry readEntry(const StatementLine& line, const StatementHeader& header,
                         const StatementLayout& layout, const StatementAccount& account,
                         std::vector<IpoPayment>& payments) {
    const LineCells cells(line, header);
    StatementEntry entry;
    entry.line = line.number;
    entry.action = std::string(cells[C::Action]);
    entry.code = std::string(cells[C::Code]);
    entry.name = std::string(cells[C::Name]);
    entry.date = statementDate(cells[C::Date]).value_or(0);
    entry.cashBalance = balanceOf(cells, C::CashBalance);
    entry.shareBalance = balanceOf(cells, C::ShareBalance);
    entry.rightsCredit = isRightsCreditText(entry.action);
    if (const auto net = statementNumber(cells[C::NetAmount]); net && std::isfinite(*net))
        entry.cashEffect = *net;
    EntryReader reader(cells, layout, account);
    if (const auto failure = reader.read(entry)) {
        entry.reason = failure->reason;
        entry.cashAdjustment =
            entry.date != 0 && entry.cashEffect != 0 && isCashAdjustment(entry.action);
        if (entry.cashAdjustment)
            entry.reason += "，资金" + std::string(entry.cashEffect > 0 ? "+" : "") +
                            formatAmount(entry.cashEffect) + "元";
        if (isIpoPayment(entry.action)) {
            if (auto payment = ipoPaymentOf(cells)) payments.push_back(std::move(*payment));
        }
    }
    return entry;
}

// The entries of the lines below a header, as they come, kept compact.
class EntryList {
public:
    EntryList(const StatementHeader& header, const StatementLayout& layout,
              const StatementAccount& account, TextPool& texts)
        : header_(header), layout_(layout), account_(account), texts_(texts) {}

    void add(const StatementLine& line) {
        entries_.push_back(
            compactEntryOf(readEntry(line, header_, layout_, account_, payments_), texts_));
    }

    CompactEntries finish() {
        skipCreditedRights(entries_, texts_);
        priceNewShares(entries_, texts_, payments_);
        return std::move(entries_);
    }

private:
    const StatementHeader& header_;
    const StatementLayout& layout_;
    const StatementAccount& account_;
    TextPool& texts_;
    std::vector<IpoPayment> payments_;
    CompactEntries entries_;
};

// The text the header is looked for in: pieces until it holds the lines with text searched
// (blank lines do not count), or a head no statement's title rows reach.
std::string headOf(StatementPieces& pieces) {
    constexpr std::size_t kMostHeadBytes = std::size_t{16} << 20;
    std::string head;
    while (head.size() < kMostHeadBytes &&
           splitStatementLines(head, Delimiter::Comma, kHeaderSearchLines + 1).size() <=
               kHeaderSearchLines &&
           pieces.appendNext(head)) {
    }
    return head;
}

}  // namespace

LedgerRecord CompactEntry::record() const {
    LedgerRecord r = makeRecord(static_cast<RecordType>(type), date);
    r.market = static_cast<std::uint8_t>(market);  // 0 or 1
    if (stockCode[0] != '\0')
        storeBytes(r.stockCode, std::string_view(stockCode, sizeof stockCode));
    r.quantity = quantity;
    r.price = price;
    r.fee = fee;
    r.amount = amount;
    return r;
}

CompactEntry compactEntryOf(const StatementEntry& entry, TextPool& texts) {
    CompactEntry c;
    c.cashEffect = entry.cashEffect;
    c.hasCashBalance = entry.cashBalance.has_value();
    c.cashBalance = entry.cashBalance.value_or(0);
    c.hasShareBalance = entry.shareBalance.has_value();
    c.shareBalance = entry.shareBalance.value_or(0);
    c.date = entry.date;
    c.line = static_cast<std::uint32_t>(entry.line);
    c.action = texts.add(entry.action);
    c.code = texts.add(entry.code);
    c.name = texts.add(entry.name);
    c.reason = texts.add(entry.reason);
    c.cashAdjustment = entry.cashAdjustment;
    c.rightsCredit = entry.rightsCredit;
    if (const auto& r = entry.record) {
        c.type = static_cast<std::int8_t>(r->type);
        c.market = static_cast<std::int8_t>(r->market);
        c.quantity = r->quantity;
        c.price = r->price;
        c.fee = r->fee;
        c.amount = r->amount;
        const std::string_view code = fieldBytes(r->stockCode);
        std::copy_n(code.begin(), std::min(code.size(), sizeof c.stockCode), c.stockCode);
    }
    return c;
}

StatementEntry entryOf(const CompactEntry& c, const TextPool& texts) {
    StatementEntry entry;
    entry.line = c.line;
    entry.action = texts.text(c.action);
    entry.code = texts.text(c.code);
    entry.name = texts.text(c.name);
    if (c.hasRecord()) entry.record = c.record();
    entry.reason = texts.text(c.reason);
    if (c.hasCashBalance) entry.cashBalance = c.cashBalance;
    if (c.hasShareBalance) entry.shareBalance = c.shareBalance;
    entry.date = c.date;
    entry.cashEffect = c.cashEffect;
    entry.cashAdjustment = c.cashAdjustment;
    entry.rightsCredit = c.rightsCredit;
    return entry;
}

StatementAccount statementAccountOf(std::string_view tradeType) {
    const std::string unit = currencyUnitOfTradeType(tradeType);
    if (unit == "港元") return {0};
    if (unit == "美元") return {1};
    return {};
}

std::optional<double> statementNumber(std::string_view cell) {
    const std::string text = withoutSeparators(cell);
    if (text.empty() || text == "-" || text == "--") return 0.0;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> statementDate(std::string_view cell) {
    std::vector<std::string> groups;
    std::string current;
    for (char c : cell) {
        if (c >= '0' && c <= '9') {
            current += c;
            continue;
        }
        if (!current.empty()) groups.push_back(std::move(current));
        current.clear();
        // A time after the date (2024-01-05 09:31:02) is not part of it.
        if (c == ' ' && !groups.empty()) break;
    }
    if (!current.empty()) groups.push_back(std::move(current));
    int year = 0, month = 0, day = 0;
    if (!groups.empty() && groups[0].size() == 8) {
        const int whole = std::stoi(groups[0]);
        year = whole / 10000;
        month = whole / 100 % 100;
        day = whole % 100;
    } else if (groups.size() >= 3 && groups[0].size() == 4 && groups[1].size() <= 2 &&
               groups[2].size() <= 2) {
        year = std::stoi(groups[0]);
        month = std::stoi(groups[1]);
        day = std::stoi(groups[2]);
    } else {
        return std::nullopt;
    }
    const std::int32_t date = dateFromParts(year, month, day);
    if (!isCalendarDate(date)) return std::nullopt;
    return date;
}

StatementReading readStatement(StatementPieces& pieces, const StatementLayouts& layouts,
                               const StatementAccount& account) {
    std::vector<const StatementLayout*> tried;
    for (const StatementLayout& mapping : layouts.mappings) tried.push_back(&mapping);
    if (layouts.builtInToo) tried.push_back(&builtInLayout());
    // Handed to the line reader once the header is found, not copied: its first piece.
    std::string head = headOf(pieces);
    MissingHeader likeliest;
    for (Delimiter delimiter : {Delimiter::Tab, Delimiter::Comma}) {
        const std::vector<StatementLine> lines =
            splitStatementLines(head, delimiter, kHeaderSearchLines);
        for (const StatementLayout* layout : tried) {
            const auto header = findHeader(lines, *layout);
            if (!header) continue;
            StatementReading reading{header->kindName, {}, {}, {}};
            EntryList list(*header, *layout, account, reading.texts);
            StatementLineReader reader(pieces, delimiter, std::move(head));
            StatementLine line;
            const std::size_t headerLine = lines[header->lineIndex].number;
            while (reader.next(line)) {
                if (line.number > headerLine) list.add(line);
            }
            reading.entries = list.finish();
            return reading;
        }
        // The reason is the one the likeliest reading gives, with the first layout tried.
        if (tried.empty()) continue;
        MissingHeader missing = missingHeaderReason(lines, *tried.front());
        if (likeliest.reason.empty() || missing.columnsFound > likeliest.columnsFound)
            likeliest = std::move(missing);
    }
    return {{}, {}, {}, likeliest.reason};
}

StatementReading readStatement(std::string_view utf8, const StatementLayouts& layouts,
                               const StatementAccount& account) {
    WholeText text(utf8);
    return readStatement(text, layouts, account);
}

}  // namespace fiscora
