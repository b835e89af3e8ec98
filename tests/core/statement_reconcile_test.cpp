// Imports judged against a ledger: duplicates of hand-booked trades and of overlapping
// statements, rights and new shares over two statements, and the reconciliation with the
// broker's balances.
#include <gtest/gtest.h>

#include "engine/statement_import.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/packed_field.h"

namespace fiscora {
namespace {

using O = ImportOutcome;

StatementReading read(const std::string& text) {
    return readStatement(text, StatementLayouts{}, {});
}

std::vector<O> outcomes(const ImportPreview& preview) {
    std::vector<O> all;
    for (std::size_t i = 0; i < preview.size(); ++i) all.push_back(preview.row(i).outcome);
    return all;
}

Ledger booking(Ledger ledger, const ImportPreview& preview) {
    for (const LedgerRecord& r : preview.recordsToBook()) ledger.push_back(r);
    return ledger;
}

const std::string kDeliveryHeader =
    "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,发生金额,资金余额,股份余额,"
    "交易市场\n";

TEST(ImportReconcileTest, AHandBookedTradeWithAnotherFeeIsADuplicateShowingBothFees) {
    // Booked through the dialog with the fee table's 5.00; the broker charged 5.03.
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 5000),
                           test::stockRecord(RecordType::Buy, 20240105, "600036", 100, 10, 5)};
    const ImportPreview preview =
        previewImport(ledger, read(kDeliveryHeader +
                                   "20240105,600036,招商银行,证券买入,100,10.00,1000,-1005.03,,,"
                                   "沪A\n"
                                   "20240105,600036,招商银行,证券买入,100,10.00,1000,-1005.03,,,"
                                   "沪A\n"));
    EXPECT_EQ(outcomes(preview), (std::vector<O>{O::Duplicate, O::Booked}));
    EXPECT_EQ(preview.row(0).reason, "已记入，费用5.000，交割单费用5.030");
}

TEST(ImportReconcileTest, OverlappingCashFlowDoesNotBookItsDividendsAgain) {
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 20000)};
    const ImportPreview delivery = previewImport(
        ledger,
        read(kDeliveryHeader + "20240105,600036,招商银行,证券买入,600,30.00,18000,-18005.00,,,沪A\n"
                               "20240610,600036,招商银行,股息入帐,0,31.50,0,582.00,,,沪A\n"));
    EXPECT_EQ(outcomes(delivery), (std::vector<O>{O::Booked, O::Booked}));
    // The per-share figure follows from the amount and the 600 shares held.
    const LedgerRecord dividend = *delivery.record(1);
    EXPECT_EQ(test::unpacked(dividend.quantity), 600);
    EXPECT_DOUBLE_EQ(dividend.price, 0.97);
    ledger = booking(ledger, delivery);

    const ImportPreview cashFlow =
        previewImport(ledger, read("发生日期,摘要,证券代码,证券名称,发生数量,发生金额\n"
                                   "20240610,股息入账,600036,招商银行,0,582.00\n"
                                   "20240611,银证转入,,,0,100.00\n"));
    EXPECT_EQ(outcomes(cashFlow), (std::vector<O>{O::Duplicate, O::Booked}));
}

TEST(ImportReconcileTest, RightsOverTwoStatementsAreBookedOnce) {
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 20000),
                     test::stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 0)};
    const ImportPreview march = previewImport(
        ledger,
        read(kDeliveryHeader + "20240305,700036,招商配股,配股缴款,300,8.00,2400,-2400,,,沪A\n"));
    ASSERT_EQ(outcomes(march), (std::vector<O>{O::Booked}));
    EXPECT_EQ(std::string(fieldBytes(march.record(0)->stockCode)), "600036");
    ledger = booking(ledger, march);

    const ImportPreview april = previewImport(
        ledger, read(kDeliveryHeader + "20240312,600036,招商银行,配股入帐,300,0,0,0,,,沪A\n"));
    EXPECT_EQ(outcomes(april), (std::vector<O>{O::Skipped}));
    EXPECT_EQ(april.row(0).reason, "配股已在缴款时记入");
}

TEST(ImportReconcileTest, NewSharesBoughtAtTheirPriceMayBeSold) {
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 10000)};
    const ImportPreview preview =
        previewImport(ledger, read(kDeliveryHeader +
                                   "20240510,732999,某某配号,中签缴款,500,10.50,5250,-5250,,,\n"
                                   "20240520,603999,某某股份,新股入帐,500,0,0,0,,,沪A\n"
                                   "20240601,603999,某某股份,证券卖出,500,20,10000,9990,,,沪A\n"));
    EXPECT_EQ(outcomes(preview), (std::vector<O>{O::Skipped, O::Booked, O::Booked}));
}

const std::string kReconciled =
    kDeliveryHeader + "20240105,600036,招商银行,证券买入,100,10.00,1000,-1005.00,3995.00,100,沪A\n"
                      "20240106,000002,万科A,证券买入,200,5.00,1000,-1005.00,2990.00,200,深A\n"
                      "20240107,,,利息归本,0,0,0,1.20,2991.20,0,\n";

TEST(ImportReconcileTest, ReconciliationMatchingAndDiffering) {
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240101, 5000)};
    const ImportPreview differing = previewImport(ledger, read(kReconciled));
    EXPECT_NEAR(differing.reconciliation.cashDifference.value(), -1.2, 1e-9);
    EXPECT_TRUE(differing.reconciliation.shares.empty());
    EXPECT_EQ(differing.reconciliation.text(), "对帐：资金差 -1.200 元");
    EXPECT_EQ(differing.row(2).reason, "利息结算，不是交易，资金+1.200元");

    // The interest booked as a deposit with its text as remark: the cash matches.
    const ImportPreview matching = previewImport(ledger, read(kReconciled), {true});
    EXPECT_EQ(matching.reconciliation.text(), "对帐：资金相符");
    const LedgerRecord interest = *matching.record(2);
    EXPECT_EQ(interest.kind(), RecordType::CashIn);
    EXPECT_EQ(fieldText(interest.remark), "利息归本");
    EXPECT_EQ(matching.row(2).reason, "按投入资金记入");

    // A holding the ledger already had differs from the broker's.
    const Ledger holding = {
        test::cashRecord(RecordType::CashIn, 20240101, 5000),
        test::stockRecord(RecordType::BonusShares, 20240102, "000002", 50, 0, 0, 0)};
    const ImportPreview shares = previewImport(holding, read(kReconciled), {true});
    ASSERT_EQ(shares.reconciliation.shares.size(), 1u);
    EXPECT_EQ(shares.reconciliation.text(), "对帐：资金相符，000002万科A 持股 250 股，券商 200 股");
}

TEST(ImportReconcileTest, CashBeyondRepresentationIsRefused) {
    const ImportPreview preview =
        previewImport({}, read("发生日期,摘要,证券代码,发生数量,发生金额\n"
                               "20240101,银证转入,,0,1e308\n"
                               "20240102,银证转入,,0,1e308\n"));
    EXPECT_EQ(outcomes(preview), (std::vector<O>{O::Booked, O::Refused}));
    EXPECT_EQ(preview.row(1).reason, "输入的数值太大,计算结果无法表示");
}

}  // namespace
}  // namespace fiscora
