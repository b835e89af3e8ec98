#include "engine/journal_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/capital_series.h"
#include "engine/dates.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "store/day_bar_file.h"

namespace fiscora {
namespace {

// Money as a whole number of thousandths of a yuan.
using Milli = std::int64_t;

Milli milli(double x) {
    return std::llround(x * 1000);
}

std::string milliText(Milli m) {
    char text[40];
    const Milli whole = std::llabs(m);
    std::snprintf(text, sizeof text, "%s%lld.%03lld", m < 0 ? "-" : "",
                  static_cast<long long>(whole / 1000), static_cast<long long>(whole % 1000));
    return text;
}

std::string isoDate(std::int32_t date) {
    const DateParts p = splitDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
    return text;
}

// SZ000002, SH600036: a letter first, as beancount wants; codes of other bytes than
// letters and digits have none.
std::string commodityOf(std::int32_t market, std::string_view code) {
    if (code.empty()) return {};
    std::string symbol = market == 1 ? "SH" : "SZ";
    for (const char c : code) {
        if (c >= 'a' && c <= 'z') {
            symbol += static_cast<char>(c - 'a' + 'A');
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            symbol += c;
        } else {
            return {};
        }
    }
    return symbol;
}

// A record's text on one line: its kind, code and remark.
std::string descriptionOf(const LedgerRecord& r) {
    std::string text = kindName(r.type);
    if (text.empty()) text = "type " + std::to_string(r.type);
    const std::string code = gbkToUtf8(fieldBytes(r.stockCode));
    if (!code.empty()) text += " " + code;
    const std::string remark = gbkToUtf8(fieldBytes(r.remark));
    if (!remark.empty()) text += " " + remark;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return text;
}

struct Posting {
    std::string account;  // below the root, as hledger names it ("assets:broker:cash")
    Milli cash = 0;       // CNY, when no stock quantity
    std::int64_t quantity = 0;
    std::string commodity;  // with a quantity
    Milli totalPrice = 0;   // CNY paid for the whole quantity, never negative
};

Posting money(const char* account, Milli amount) {
    Posting p;
    p.account = account;
    p.cash = amount;
    return p;
}

// The postings of one record. The cash posting is the record's effect on the cash
// balance (cashSign * amount), as the program counts it; the others balance it.
std::vector<Posting> postingsOf(const LedgerRecord& r, const std::string& commodity) {
    std::vector<Posting> postings;
    const Milli cash = r.cashSign * milli(r.amount);
    const Milli fee = milli(r.fee);
    Milli rest = -cash;  // what the other postings add up to
    if (cash != 0) postings.push_back(money("assets:broker:cash", cash));
    if (fee != 0 && r.isStock()) {
        postings.push_back(money("expenses:fees", fee));
        rest -= fee;
    }
    switch (r.kind()) {
    case RecordType::CashIn:
    case RecordType::CashOut:
        if (rest != 0) postings.push_back(money("equity:transfers", rest));
        return postings;
    case RecordType::Dividend:
        if (rest != 0) postings.push_back(money("income:dividends", rest));
        return postings;
    case RecordType::Buy:
    case RecordType::Sell:
    case RecordType::BonusShares:
    case RecordType::RightsIssue: {
        const std::int64_t quantity =
            r.kind() == RecordType::Sell ? -std::int64_t{r.quantity} : std::int64_t{r.quantity};
        // Shares bought weigh what they cost, shares sold what they brought.
        const Milli weight = quantity >= 0 ? std::max<Milli>(rest, 0) : std::min<Milli>(rest, 0);
        if (quantity != 0) {
            postings.push_back({"assets:broker:" + commodity, 0, quantity, commodity,
                                weight < 0 ? -weight : weight});
            rest -= weight;
        }
        break;
    }
    default: break;
    }
    if (rest != 0) postings.push_back(money("income:other", rest));
    return postings;
}

// hledger quotes a commodity symbol holding digits; beancount capitalises each part of an
// account name.
std::string accountName(const std::string& account, JournalFormat format) {
    if (format == JournalFormat::Hledger) return account;
    std::string name = account;
    bool partStart = true;
    for (char& c : name) {
        if (partStart && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        partStart = c == ':';
    }
    return name;
}

std::string commodityText(const std::string& symbol, JournalFormat format) {
    return format == JournalFormat::Hledger ? "\"" + symbol + "\"" : symbol;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void writeTransaction(std::string& out, const LedgerRecord& r, const std::vector<Posting>& postings,
                      JournalFormat format) {
    const std::string description = descriptionOf(r);
    if (format == JournalFormat::Hledger) {
        out += isoDate(r.date) + " " + description + "\n";
    } else {
        out += isoDate(r.date) + " * " + quoted(description) + "\n";
    }
    for (const Posting& p : postings) {
        out += "    " + accountName(p.account, format) + "  ";
        if (p.commodity.empty()) {
            out += milliText(p.cash) + " CNY\n";
        } else {
            out += std::to_string(p.quantity) + " " + commodityText(p.commodity, format) + " @@ " +
                   milliText(p.totalPrice) + " CNY\n";
        }
    }
    out += "\n";
}

// A bar's close in yuan, exactly as the file holds it.
std::string closeText(std::uint32_t close, int decimals) {
    std::string digits = std::to_string(close);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return digits;
}

void writePrices(std::string& out, const StockId& stock, const std::string& commodity,
                 const std::string& hostDirectory, std::int32_t firstDay, std::int32_t lastDay,
                 JournalFormat format) {
    std::vector<DayBar> bars = readDayBarFile(hostDirectory, stock.market, stock.code);
    std::stable_sort(bars.begin(), bars.end(),
                     [](const DayBar& a, const DayBar& b) { return a.date < b.date; });
    const int decimals = priceDecimals(stock.code);
    std::int32_t previous = 0;
    for (const DayBar& bar : bars) {
        if (bar.date < firstDay || bar.date > lastDay || bar.date == previous ||
            !isCalendarDate(bar.date))
            continue;
        previous = bar.date;
        const std::string close = closeText(bar.prices[3], decimals);
        if (format == JournalFormat::Hledger) {
            out += "P " + isoDate(bar.date) + " " + commodityText(commodity, format) + " " + close +
                   " CNY\n";
        } else {
            out += isoDate(bar.date) + " price " + commodity + " " + close + " CNY\n";
        }
    }
}

const char* const kAccounts[] = {"assets:broker:cash", "expenses:fees", "income:dividends",
                                 "equity:transfers", "income:other"};

}  // namespace

JournalText journalText(const Ledger& ledger, JournalFormat format,
                        const std::string& hostDirectory, std::int32_t lastDay) {
    std::int32_t firstDay = lastDay;
    for (std::size_t i = 0; i < ledger.size(); ++i) {
        const LedgerRecord& r = ledger[i];
        if (!isCalendarDate(r.date))
            return {{},
                    "record " + std::to_string(i + 1) + " is dated " + std::to_string(r.date) +
                        ", not a day of the calendar"};
        if (r.isStock() && commodityOf(r.market, fieldBytes(r.stockCode)).empty())
            return {{},
                    "record " + std::to_string(i + 1) + " has no stock code of letters and digits"};
        firstDay = std::min(firstDay, r.date);
    }
    const std::vector<StockId> stocks = tradedStocks(ledger);
    std::string out;
    if (format == JournalFormat::Beancount) {
        out += "option \"operating_currency\" \"CNY\"\n\n";
        const std::string opened = isoDate(firstDay);
        for (const char* account : kAccounts)
            out += opened + " open " + accountName(account, format) + "\n";
        for (const StockId& s : stocks)
            out += opened + " open " +
                   accountName("assets:broker:" + commodityOf(s.market, s.code), format) + "\n";
        out += "\n";
    }
    for (const LedgerRecord& r : ledger) {
        const std::string commodity = commodityOf(r.market, fieldBytes(r.stockCode));
        writeTransaction(out, r, postingsOf(r, commodity), format);
    }
    for (const StockId& s : stocks)
        writePrices(out, s, commodityOf(s.market, s.code), hostDirectory, firstDay, lastDay,
                    format);
    return {out, {}};
}

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string shortest(double x) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return {text, result.ptr};
}

}  // namespace

std::string ledgerCsv(const Ledger& ledger) {
    std::string out =
        "market,date,type,kind,stockCode,quantity,price,fee,amount,cashSign,remark\r\n";
    for (const LedgerRecord& r : ledger) {
        const std::string fields[] = {std::to_string(r.market),
                                      std::to_string(r.date),
                                      std::to_string(r.type),
                                      kindName(r.type),
                                      gbkToUtf8(fieldBytes(r.stockCode)),
                                      std::to_string(r.quantity),
                                      shortest(r.price),
                                      shortest(r.fee),
                                      shortest(r.amount),
                                      std::to_string(r.cashSign),
                                      gbkToUtf8(fieldBytes(r.remark))};
        bool first = true;
        for (const std::string& f : fields) {
            if (!first) out += ',';
            first = false;
            out += csvField(f);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace fiscora
