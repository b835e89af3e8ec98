#include "engine/record_editing.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fiscora
