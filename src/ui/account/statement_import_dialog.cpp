#include "ui/account/statement_import_dialog.h"

#include "engine/number_format.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "ui/common/dialog_title.h"

namespace fiscora::ui {
namespace {

enum Column {
    Line,
    Outcome,
    Date,
    Action,
    Code,
    Name,
    Market,
    Quantity,
    Price,
    Fee,
    Amount,
    Reason
};

std::vector<ListColumn> importColumns() {
    using A = ColumnAlign;
    return {{"行", 44, A::Right},    {"结果", 44, A::Center}, {"日期", 76, A::Center},
            {"业务", 76, A::Left},   {"代码", 60, A::Center}, {"名称", 76, A::Left},
            {"市场", 44, A::Center}, {"数量", 64, A::Right},  {"价格", 68, A::Right},
            {"费用", 68, A::Right},  {"金额", 92, A::Right},  {"说明", 220, A::Left}};
}

std::string recordCell(const LedgerRecord& r, std::size_t column) {
    switch (column) {
    case Date: return std::to_string(r.date);
    case Market: return r.isStock() ? marketText(r.market) : std::string();
    case Quantity: return r.isStock() ? formatQuantity(r.quantity) : std::string();
    case Price: return r.isStock() ? formatAmount(r.price) : std::string();
    case Fee: return r.isStock() ? formatAmount(r.fee) : std::string();
    case Amount: return formatAmount(r.amount);
    default: return {};
    }
}

std::string counts(const ImportPreview& p) {
    auto part = [&](ImportOutcome o) {
        return outcomeText(o) + " " + std::to_string(p.count(o)) + " 条";
    };
    return part(ImportOutcome::Booked) + "    " + part(ImportOutcome::Duplicate) + "    " +
           part(ImportOutcome::Skipped) + "    " + part(ImportOutcome::Refused);
}

}  // namespace

StatementImportDialog::StatementImportDialog(Messages& messages, const std::string& accountName,
                                             const std::string& fileName, ImportPreview preview,
                                             const Ledger& ledger)
    : DialogModel(messages), preview_(std::move(preview)), ledger_(ledger) {
    setCaption(dialogTitle("导入交割单", accountName));
    declare(file, "file");
    declare(summary, "summary");
    declare(reconciliation, "reconciliation");
    declare(cashAdjustments, "include-cash-adjustments", "利息、税费和逆回购记为投入资金/划出资金");
    declare(lines, "lines");
    file.text = "文件：" + fileName + "（" + preview_.layoutName + "）";
    cashAdjustments.checked = preview_.options.includeCashAdjustments;
    lines.columns = importColumns();
    lines.cellText = [this](std::size_t row, std::size_t column) { return cellText(row, column); };
    showJudgement();
    onChange(cashAdjustments, [this] {
        judgeImport(preview_, ledger_, {.includeCashAdjustments = cashAdjustments.checked});
        showJudgement();
    });
    setTabOrder({&cashAdjustments, &lines});
    setKeyNavigation(false);
}

void StatementImportDialog::showJudgement() {
    summary.text = counts(preview_);
    reconciliation.text = preview_.reconciliation.text();
    lines.rowsReplaced(preview_.size(), true);
}

std::string StatementImportDialog::cellText(std::size_t row, std::size_t column) const {
    const ImportRow line = preview_.row(row);
    const StatementEntry& entry = line.entry;
    switch (column) {
    case Line: return std::to_string(entry.line);
    case Outcome: return outcomeText(line.outcome);
    case Action: return entry.action;
    case Code: return entry.code;
    case Name: return entry.name;
    case Reason: return line.reason;
    default: return entry.record ? recordCell(*entry.record, column) : std::string();
    }
}

}  // namespace fiscora::ui
