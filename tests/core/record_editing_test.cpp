#include "engine/record_editing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/trade_fee.h"

namespace fiscora {
namespace {

TradeParam defaultRow() {
    TradeParam row{};
    row.commissionRate = 0.0035;
    row.minCommission = 10;
    row.stampDutyRate = 0.002;
    return row;
}

TEST(RecordEditing, BoxesEnabledByKind) {
    const auto boxes = [](RecordType k) {
        const EditableBoxes b = editableBoxes(k);
        return std::string{b.code ? 'C' : '-', b.quantity ? 'Q' : '-', b.price ? 'P' : '-',
                           b.total ? 'T' : '-'};
    };
    EXPECT_EQ(boxes(RecordType::Buy), "CQP-");
    EXPECT_EQ(boxes(RecordType::Sell), "CQP-");
    EXPECT_EQ(boxes(RecordType::Dividend), "--P-");
    EXPECT_EQ(boxes(RecordType::BonusShares), "-Q--");
    EXPECT_EQ(boxes(RecordType::RightsIssue), "--P-");
    EXPECT_EQ(boxes(RecordType::CashIn), "---T");
    EXPECT_EQ(boxes(RecordType::CashOut), "---T");
    EXPECT_EQ(boxes(RecordType::None), "----");
}

TEST(RecordEditing, FiguresFollowTheKind) {
    const TradeParam row = defaultRow();
    // 100 at 10.00 with the default row: fee 10 + 2.
    const EditedFigures buy = editedFigures(RecordType::Buy, 10, 100, row);
    EXPECT_DOUBLE_EQ(*buy.fee, 12);
    EXPECT_DOUBLE_EQ(*buy.total, 1012);
    EXPECT_DOUBLE_EQ(*editedFigures(RecordType::RightsIssue, 10, 100, row).total, 1012);
    // A sale brings its value less the fee, as the selling dialog books it.
    const EditedFigures sell = editedFigures(RecordType::Sell, 10, 100, row);
    EXPECT_DOUBLE_EQ(*sell.fee, 12);
    EXPECT_DOUBLE_EQ(*sell.total, 988);
    // A dividend's total follows its price and has no fee.
    const EditedFigures dividend = editedFigures(RecordType::Dividend, 0.35, 1000, row);
    EXPECT_FALSE(dividend.fee);
    EXPECT_DOUBLE_EQ(*dividend.total, 350);
    // Bonus shares and cash compute nothing; neither does a price or quantity of 0.
    EXPECT_FALSE(editedFigures(RecordType::BonusShares, 10, 100, row).total);
    EXPECT_FALSE(editedFigures(RecordType::CashIn, 10, 100, row).total);
    EXPECT_FALSE(editedFigures(RecordType::Buy, 0, 100, row).fee);
    EXPECT_FALSE(editedFigures(RecordType::Buy, 10, 0, row).fee);
}

TEST(RecordEditing, RebuiltFromScratchWithTheKindsCashSign) {
    EditedValues v;
    v.kind = RecordType::Sell;
    v.date = 20240315;
    v.gbkCode = "600036";
    v.market = 1;
    v.quantity = 100;
    v.price = 10;
    v.fee = 12;
    v.amount = 988;
    v.gbkRemark = "note";
    const LedgerRecord r = rebuildRecord(v);
    EXPECT_EQ(r.type, 1);
    EXPECT_EQ(r.cashSign, 1);
    EXPECT_EQ(r.market, 1);
    EXPECT_EQ(r.date, 20240315);
    EXPECT_STREQ(r.stockCode, "600036");
    EXPECT_STREQ(r.remark, "note");
    EXPECT_EQ(r.quantity, 100);
    EXPECT_DOUBLE_EQ(r.amount, 988);
    // Every byte not set is zero, viewRow and the reserved areas included.
    EXPECT_EQ(r.viewRow, 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (std::size_t i = 127; i < 147; ++i) EXPECT_EQ(bytes[i], 0) << i;
    for (std::size_t i = 179; i < 200; ++i) EXPECT_EQ(bytes[i], 0) << i;
    for (std::size_t i = 8 + 5; i < 109; ++i) EXPECT_EQ(bytes[i], 0) << i;

    v.kind = RecordType::RightsIssue;
    EXPECT_EQ(rebuildRecord(v).cashSign, -1);
    v.kind = RecordType::BonusShares;
    EXPECT_EQ(rebuildRecord(v).cashSign, 0);
    v.kind = RecordType::CashOut;
    EXPECT_EQ(rebuildRecord(v).cashSign, -1);
}

}  // namespace
}  // namespace fiscora
