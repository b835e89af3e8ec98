#include <gtest/gtest.h>

#include <cstring>

#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "ui/main/command_ids.h"
#include "ui/trade/bonus_shares_dialog.h"
#include "ui/trade/dividend_dialog.h"
#include "ui/trade/rights_issue_dialog.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

using ui::BonusSharesDialog;
using ui::DividendDialog;
using ui::RightsIssueDialog;
namespace command = ui::command;

// 甲 holds 1000 shares of 600036 and 2000 in cash.
class CorporateActionCommandsTest : public WindowTest {
protected:
    CorporateActionCommandsTest() {
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        holder = account("甲", "1");
        seed({holder}, {{cashRecord(RecordType::CashIn, 20240101, 12030),
                         stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10.0, 30)}});
        open();
        login(0, "1");
        messages.shown.clear();
        runner.captions.clear();
    }
    Ledger ledgerOnDisk() {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), holder, ledger), LedgerStatus::Ok);
        return ledger;
    }
    // The last record in memory equals the last in the file, byte for byte.
    const LedgerRecord& lastBooked() {
        const Ledger onDisk = ledgerOnDisk();
        EXPECT_EQ(onDisk.size(), window.workspace().ledger.size());
        EXPECT_EQ(
            std::memcmp(&onDisk.back(), &window.workspace().ledger.back(), sizeof(LedgerRecord)),
            0);
        return window.workspace().ledger.back();
    }

    // The account's ledger on disk gains `records` (and cash enough for anything), and the
    // window reads it again.
    void relogin(const Ledger& records) {
        Ledger ledger = ledgerOnDisk();
        ledger[0].amount = 1e15;
        ledger.insert(ledger.end(), records.begin(), records.end());
        ASSERT_TRUE(saveLedger(store(), holder, ledger));
        window.selectTreeItem(-1);
        window.selectTreeItem(0);
        messages.shown.clear();
    }

    FakeQuotes quotes;
    AccountInfo holder;
};

TEST_F(CorporateActionCommandsTest, EveryCommandRunsTheAccountGuardFirst) {
    for (int id : {command::kDividend, command::kBonusShares, command::kRightsIssue}) {
        window.selectTreeItem(-1);
        messages.shown.clear();
        window.OnCommand(id);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"请选中一个帐户"});
    }
    EXPECT_TRUE(runner.captions.empty());
}

TEST_F(CorporateActionCommandsTest, ADividendIsSavedAndTheListRebuilt) {
    // A new price shows only if the list is rebuilt after the booking.
    quotes.add("600036", 1, *utf8ToGbk("招商银行"), 13.0f, 12.0f);
    runner.then<DividendDialog>([](DividendDialog& d) {
        d.typeText(d.rate, "0.125");
        return true;
    });
    window.OnCommand(command::kDividend);
    EXPECT_EQ(runner.captions, std::vector<std::string>{"股票分红 -[甲]"});
    const LedgerRecord& r = lastBooked();
    EXPECT_EQ(test::unpacked(r.type), 2);
    EXPECT_EQ(test::unpacked(r.cashSign), 1);
    EXPECT_EQ(test::unpacked(r.amount), 125.0);
    EXPECT_EQ(window.holdingRows()[0].cells[7], "13.000");
    EXPECT_DOUBLE_EQ(cashBalance(window.workspace().ledger), 2125.0);
}

TEST_F(CorporateActionCommandsTest, BonusSharesAddToTheHoldings) {
    runner.then<BonusSharesDialog>([](BonusSharesDialog& d) {
        d.typeText(d.grant, "3");
        return true;
    });
    window.OnCommand(command::kBonusShares);
    EXPECT_EQ(test::unpacked(lastBooked().quantity), 300);
    EXPECT_EQ(window.holdingRows()[0].cells[3], "1300");
    EXPECT_DOUBLE_EQ(cashBalance(window.workspace().ledger), 2000.0);
}

TEST_F(CorporateActionCommandsTest, ARightsIssueIsPaidFromTheCash) {
    runner.then<RightsIssueDialog>([](RightsIssueDialog& d) {
        EXPECT_EQ(d.cash.text, "2000.000");
        d.typeText(d.quantity, "100");
        d.typeText(d.price, "9.00");
        return true;
    });
    window.OnCommand(command::kRightsIssue);
    const LedgerRecord& r = lastBooked();
    EXPECT_EQ(test::unpacked(r.type), 4);
    EXPECT_EQ(test::unpacked(r.amount), 911.8);
    EXPECT_EQ(window.holdingRows()[0].cells[3], "1100");
    EXPECT_NEAR(cashBalance(window.workspace().ledger), 2000 - 911.8, 1e-9);
}

// Like a purchase, bonus shares and rights issues never take a position beyond what one
// record holds; below that they are booked as ever.
TEST_F(CorporateActionCommandsTest, NoCorporateActionTakesAPositionBeyondWhatARecordHolds) {
    relogin({stockRecord(RecordType::Buy, 20240103, "600036", 2000000000, 0.001, 0)});
    runner.then<BonusSharesDialog>([](BonusSharesDialog& d) {
        EXPECT_EQ(d.held.text, "2000001000");
        EXPECT_EQ(d.bonus.text, "200000100");
        return true;
    });
    window.OnCommand(command::kBonusShares);
    runner.then<RightsIssueDialog>([](RightsIssueDialog& d) {
        d.typeText(d.quantity, "200000000");
        d.typeText(d.price, "0.001");
        return true;
    });
    window.OnCommand(command::kRightsIssue);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"送股后持股数量将超过2147483647股,不能送股",
                                        "配股后持股数量将超过2147483647股,不能配股"}));
    EXPECT_EQ(ledgerOnDisk().size(), 3u);

    runner.then<BonusSharesDialog>([](BonusSharesDialog& d) {
        d.typeText(d.per, "100");
        d.typeText(d.grant, "7");
        return true;
    });
    window.OnCommand(command::kBonusShares);
    EXPECT_EQ(test::unpacked(lastBooked().quantity), 140000070);
    EXPECT_EQ(window.holdingRows()[0].cells[3], "2140001070");
}

// A holding already beyond the limit (a file written elsewhere) is shown whole; each action
// on it is refused with its own reason, never at the held-quantity box.
TEST_F(CorporateActionCommandsTest, AHoldingBeyondTheLimitIsShownAndRefusedWithItsReason) {
    relogin({stockRecord(RecordType::Buy, 20240103, "600036", 2147483647, 0.001, 0)});
    const auto showsWhole = [](ui::HeldStockDialog& d) {
        EXPECT_EQ(d.held.text, "2147484647");
        return true;
    };
    runner.then<DividendDialog>([&](DividendDialog& d) {
        d.typeText(d.rate, "0.1");
        return showsWhole(d);
    });
    window.OnCommand(command::kDividend);
    runner.then<BonusSharesDialog>(showsWhole);
    window.OnCommand(command::kBonusShares);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"持股数量超过2147483647股,不能分红",
                                        "送股后持股数量将超过2147483647股,不能送股"}));
    EXPECT_EQ(ledgerOnDisk().size(), 3u);
}

TEST_F(CorporateActionCommandsTest, CancellingChangesNothing) {
    const Bytes before = readBytes(ledgerFile("甲"));
    for (int id : {command::kDividend, command::kBonusShares, command::kRightsIssue}) {
        runner.thenCancel();
        window.OnCommand(id);
    }
    EXPECT_EQ(window.workspace().ledger.size(), 2u);
    EXPECT_EQ(readBytes(ledgerFile("甲")), before);
}

}  // namespace
}  // namespace fiscora::test
