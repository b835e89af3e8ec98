#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/dates.h"
#include "host/module_state.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "ui/analysis/trade_details_dialog.h"
#include "ui/main/command_ids.h"
#include "ui/trade/bonus_shares_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/dividend_dialog.h"
#include "ui/trade/rights_issue_dialog.h"
#include "ui/trade/sell_dialog.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

using ui::BuyDialog;
using ui::CashDialog;
using ui::SellDialog;
namespace command = ui::command;

std::int32_t dayOffset(int days) {
    return dateFromTime(std::time(nullptr) + days * 86400);
}

// Two accounts: 甲 (A shares, 1000 in cash and 1000 shares of 600036 bought five days
// ago) and 乙 (Shanghai B shares, nothing but its opening cash).
class TradeCommandsTest : public WindowTest {
protected:
    TradeCommandsTest() {
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        quotes.add("600000", 1, *utf8ToGbk("浦发银行"), 1.2f, 1.1f);
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 3.5f, 3.4f);
        first = account("甲", "1");
        second = account("乙", "2", "上证B股");
        seed({first, second},
             {{cashRecord(RecordType::CashIn, 20240101, 11030),
               stockRecord(RecordType::Buy, dayOffset(-5), "600036", 1000, 10.0, 30)},
              {cashRecord(RecordType::CashIn, 20240101, 500)}});
        open();
    }
    void loginFirst() {
        login(0, "1");
        messages.shown.clear();
        runner.captions.clear();
    }
    Ledger ledgerOnDisk(const AccountInfo& a) {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), a, ledger), LedgerStatus::Ok);
        return ledger;
    }
    double cash() const { return cashBalance(window.workspace().ledger); }

    FakeQuotes quotes;
    AccountInfo first;
    AccountInfo second;
};

TEST_F(TradeCommandsTest, EveryCommandRunsTheAccountGuardFirst) {
    for (int id : {command::kCashIn, command::kCashOut, command::kBuy, command::kSell}) {
        window.selectTreeItem(-1);
        messages.shown.clear();
        window.OnCommand(id);
        window.selectTreeItem(0);  // logged out
        window.OnCommand(id);
        EXPECT_EQ(messages.texts(),
                  (std::vector<std::string>{"请选中一个帐户", "帐户还未登录，不能进行操作"}));
        EXPECT_EQ(messages.shown[0].caption, "Fiscora");
        EXPECT_EQ(messages.shown[1].caption, "错误");
        EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
    }
    EXPECT_TRUE(runner.captions.empty());
}

TEST_F(TradeCommandsTest, APurchaseIsAppendedSavedAndShownInTheHoldings) {
    loginFirst();
    const std::int32_t day = dayOffset(-1);
    runner.then<BuyDialog>([day](BuyDialog& d) {
        EXPECT_EQ(d.cash.text, "1000.000");
        d.tradeDate.date = day;
        d.focusChangedTo(&d.code);
        d.typeText(d.code, "000001");
        d.onKey(ui::NavKey::Enter);
        d.typeText(d.price, "3.3333");
        d.typeText(d.quantity, "300");
        d.remark.text = "第一笔";
        return true;
    });
    window.OnCommand(command::kBuy);
    EXPECT_EQ(runner.captions, std::vector<std::string>{"买入股票 -[甲]"});
    EXPECT_TRUE(messages.shown.empty());

    // The record as booked, byte for byte.
    const Ledger& ledger = window.workspace().ledger;
    ASSERT_EQ(ledger.size(), 3u);
    const LedgerRecord& r = ledger.back();
    LedgerRecord expected;
    std::memset(static_cast<void*>(&expected), 0, sizeof expected);
    expected.market = 0;
    expected.date = day;
    storeBytes(expected.remark, *utf8ToGbk("第一笔"));
    expected.cashSign = -1;
    storeBytes(expected.stockCode, "000001");
    expected.type = 0;
    expected.quantity = 300;
    expected.price = 3.3333;
    // The fee is 10 + 1.99998 and the expense 1011.98998: both as their boxes show them.
    expected.fee = 12.0;
    expected.amount = 1011.99;
    EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0);

    // The file holds the same records, in entry order.
    const Ledger onDisk = ledgerOnDisk(first);
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(std::memcmp(&onDisk.back(), &expected, sizeof expected), 0);

    // The holdings and the list are rebuilt: the new stock comes after 600036.
    ASSERT_EQ(window.holdingRows().size(), 2u);
    EXPECT_EQ(window.holdingRows()[1].cells[1], "000001");
    EXPECT_EQ(window.holdingRows()[1].cells[3], "300");
    EXPECT_EQ(window.workspace().holdings.size(), 2u);
    EXPECT_NEAR(cash(), 1000 - 1011.99, 1e-9);
}

TEST_F(TradeCommandsTest, ASaleBooksTheShownFiguresAndRefreshesTheHoldings) {
    loginFirst();
    runner.then<SellDialog>([](SellDialog& d) {
        EXPECT_EQ(d.sellable.text, "1000");
        d.typeText(d.sellQuantity, "500");
        d.typeText(d.price, "12.00");
        EXPECT_EQ(d.floatingProfit.text, "952.000");
        return true;
    });
    window.OnCommand(command::kSell);
    const LedgerRecord& r = window.workspace().ledger.back();
    EXPECT_EQ(test::unpacked(r.type), 1);
    EXPECT_EQ(test::unpacked(r.cashSign), 1);
    EXPECT_EQ(test::unpacked(r.market), 1);
    EXPECT_EQ(test::unpacked(r.date), today());
    EXPECT_STREQ(r.stockCode, "600036");
    EXPECT_EQ(test::unpacked(r.quantity), 500);
    EXPECT_DOUBLE_EQ(r.price, 12);
    EXPECT_DOUBLE_EQ(r.fee, 33);
    EXPECT_DOUBLE_EQ(r.amount, 5967);
    EXPECT_STREQ(r.remark, "");
    EXPECT_EQ(ledgerOnDisk(first).size(), 3u);
    ASSERT_EQ(window.holdingRows().size(), 1u);
    EXPECT_EQ(window.holdingRows()[0].cells[3], "500");

    // The sellable list is rebuilt for today at every sale: today's sale has used its shares.
    runner.then<SellDialog>([](SellDialog& d) {
        EXPECT_EQ(d.held.text, "500");
        EXPECT_EQ(d.sellable.text, "500");
        return false;
    });
    window.OnCommand(command::kSell);
    EXPECT_EQ(window.workspace().ledger.size(), 3u);
}

TEST_F(TradeCommandsTest, CashComesInAndGoesOutWithoutTouchingTheHoldings) {
    loginFirst();
    const auto rowsBefore = window.holdingRows().size();
    // The status line: the cash and the cash plus 1000 shares at 12.
    EXPECT_EQ(window.accountStatus(), "资金余额: 1000.000元    总资产: 13000.000元");
    runner.then<CashDialog>([](CashDialog& d) {
        EXPECT_EQ(d.caption(), "追加资金 -[甲]");
        EXPECT_EQ(d.balance.text, "现有资金:1000.000元");
        EXPECT_EQ(d.amount.text, "0.0");
        d.amount.text = "250.5";
        d.remark.text = "工资";
        return true;
    });
    window.OnCommand(command::kCashIn);
    LedgerRecord in = window.workspace().ledger.back();
    EXPECT_EQ(test::unpacked(in.type), 6);
    EXPECT_EQ(test::unpacked(in.cashSign), 1);
    EXPECT_DOUBLE_EQ(in.amount, 250.5);
    EXPECT_EQ(test::unpacked(in.date), today());
    EXPECT_EQ(fieldText(in.remark), "工资");
    EXPECT_EQ(test::unpacked(in.market), 0);
    EXPECT_STREQ(in.stockCode, "");
    EXPECT_EQ(test::unpacked(in.quantity), 0);
    EXPECT_EQ(window.accountStatus(), "资金余额: 1250.500元    总资产: 13250.500元");

    // Exactly the whole cash may go; a cent more may not.
    runner.then<CashDialog>([](CashDialog& d) {
        EXPECT_EQ(d.caption(), "划出资金 -[甲]");
        d.amount.text = "1250.51";
        return true;
    });
    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "1250.5";
        return true;
    });
    window.OnCommand(command::kCashOut);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"没有足够的资金,请减少划出的资金量"});
    const LedgerRecord& out = window.workspace().ledger.back();
    EXPECT_EQ(test::unpacked(out.type), 7);
    EXPECT_EQ(test::unpacked(out.cashSign), -1);
    EXPECT_DOUBLE_EQ(out.amount, 1250.5);
    EXPECT_DOUBLE_EQ(cash(), 0);
    EXPECT_EQ(window.accountStatus(), "资金余额: 0.000元    总资产: 12000.000元");
    EXPECT_EQ(ledgerOnDisk(first).size(), 4u);
    EXPECT_EQ(window.holdingRows().size(), rowsBefore);

    // With nothing left every withdrawal is refused.
    messages.shown.clear();
    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "0.01";
        return true;
    });
    window.OnCommand(command::kCashOut);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"没有足够的资金,请减少划出的资金量"});
    EXPECT_EQ(window.workspace().ledger.size(), 4u);

    // 0.7 + 0.1 lies a hair below the 0.800 shown; taking all of it leaves -1e-16, which the
    // status line shows as 0.000, not -0.000.
    for (const auto& [command, amount] :
         {std::pair{command::kCashIn, "0.7"}, std::pair{command::kCashIn, "0.1"},
          std::pair{command::kCashOut, "0.800"}}) {
        runner.then<CashDialog>([amount = std::string(amount)](CashDialog& d) {
            d.amount.text = amount;
            return true;
        });
        window.OnCommand(command);
    }
    EXPECT_LT(cash(), 0);
    EXPECT_EQ(window.accountStatus(), "资金余额: 0.000元    总资产: 12000.000元");
}

TEST_F(TradeCommandsTest, ACancelledDialogChangesNothing) {
    loginFirst();
    const auto before = readBytes(ledgerFile("甲"));
    for (int id : {command::kCashIn, command::kCashOut, command::kBuy, command::kSell}) {
        runner.thenCancel();
        window.OnCommand(id);
    }
    // With no holdings the sale dialog's 确定 closes it without a sale.
    EXPECT_EQ(window.workspace().ledger.size(), 2u);
    EXPECT_EQ(readBytes(ledgerFile("甲")), before);
    EXPECT_EQ(runner.captions.size(), 4u);

    login(1, "2");
    runner.then<SellDialog>([](SellDialog& d) {
        EXPECT_TRUE(d.code.items.empty());
        return true;
    });
    window.OnCommand(command::kSell);
    EXPECT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TradeCommandsTest, AFailedWriteIsReportedAndTheRecordKept) {
    loginFirst();
    const Bytes before = readBytes(ledgerFile("甲"));
    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "10";
        return true;
    });
    {
        const ScopedFileSizeLimit limit(100);
        window.OnCommand(command::kCashIn);
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"不能打开文件" + ledgerFile("甲") +
                                                         ".不能完成操作（原因：文件过大）"});
    EXPECT_EQ(window.workspace().ledger.size(), 3u);
    EXPECT_DOUBLE_EQ(cash(), 1010);
    EXPECT_EQ(readBytes(ledgerFile("甲")), before);
}

// Another program (the command line, a second window) books while this window holds the
// ledger: the window's next change does not overwrite that booking.
TEST_F(TradeCommandsTest, ALedgerChangedByAnotherProgramIsReadAgainNotOverwritten) {
    loginFirst();
    Ledger theirs = ledgerOnDisk(first);
    theirs.push_back(cashRecord(RecordType::CashIn, 20240105, 7));
    ASSERT_TRUE(saveLedger(store(), first, theirs));

    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "10";
        return true;
    });
    window.OnCommand(command::kCashIn);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"文件" + ledgerFile("甲") +
                                                         "已被其他程序修改,已重新读入,请重新操作"});
    EXPECT_EQ(ledgerOnDisk(first).size(), 3u);
    EXPECT_EQ(window.workspace().ledger.size(), 3u);
    EXPECT_DOUBLE_EQ(cash(), 1007);

    // Done again, the deposit is booked after theirs.
    messages.shown.clear();
    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "10";
        return true;
    });
    window.OnCommand(command::kCashIn);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ledgerOnDisk(first).size(), 4u);
    EXPECT_DOUBLE_EQ(cash(), 1017);
}

// Each stock dialog opens on the stock selected in the holdings list, in that stock's market
// even where the code could be of either; after a booking the list stays on the stock booked.
TEST_F(TradeCommandsTest, StockDialogsOpenOnTheSelectedHoldingAndTheListKeepsTheBookedOne) {
    Ledger ledger = ledgerOnDisk(first);
    ledger[0].amount = 1e6;
    ledger.push_back(stockRecord(RecordType::Buy, dayOffset(-5), "000001", 100, 3.0, 5, 0));
    ledger.push_back(stockRecord(RecordType::Buy, dayOffset(-5), "150001", 200, 1.0, 5, 1));
    ASSERT_TRUE(saveLedger(store(), first, ledger));
    loginFirst();
    ASSERT_EQ(window.holdingRows().size(), 3u);
    EXPECT_EQ(window.selectedRow(), 0);

    const auto opensOn = [this](int row, const char* code, const char* market, const char* held) {
        window.setSelectedRow(row);
        const auto check = [=](auto& d) {
            EXPECT_EQ(d.code.selectedText(), code) << d.caption();
            EXPECT_EQ(d.market.selectedText(), market) << d.caption();
            EXPECT_EQ(d.held.text, held) << d.caption();
            return false;
        };
        runner.then<SellDialog>(check);
        window.OnCommand(command::kSell);
        runner.then<ui::DividendDialog>(check);
        window.OnCommand(command::kDividend);
        runner.then<ui::BonusSharesDialog>(check);
        window.OnCommand(command::kBonusShares);
        runner.then<ui::RightsIssueDialog>(check);
        window.OnCommand(command::kRightsIssue);
        runner.then<ui::TradeDetailsDialog>([=](ui::TradeDetailsDialog& d) {
            EXPECT_EQ(d.heldQty.text, held);
            return false;
        });
        window.OnCommand(command::kTradeDetails);
    };
    opensOn(1, "000001", "深圳", "100");
    opensOn(2, "150001", "上海", "200");
    EXPECT_TRUE(runner.done());
    EXPECT_TRUE(messages.shown.empty());

    // A sale of the third stock, from the second selected: the list stays on the third.
    window.setSelectedRow(1);
    runner.then<SellDialog>([](SellDialog& d) {
        d.pickItem(d.code, d.code.indexOf("150001"));
        d.pickItem(d.market, d.market.indexOf("上海"));  // the code could be of either
        d.typeText(d.sellQuantity, "50");
        d.typeText(d.price, "1.1");
        return true;
    });
    const auto selections = window.holdingList().selectionRevision;
    window.OnCommand(command::kSell);
    EXPECT_EQ(window.holdingRows()[2].cells[3], "150");
    EXPECT_EQ(window.selectedRow(), 2);
    EXPECT_NE(window.holdingList().selectionRevision, selections);  // the view follows
}

// A purchase that would hold more shares than a record can is refused.
TEST_F(TradeCommandsTest, APositionNeverGrowsBeyondWhatARecordHolds) {
    Ledger ledger = ledgerOnDisk(first);
    ledger[0].amount = 1e15;
    ledger.push_back(stockRecord(RecordType::Buy, dayOffset(-5), "600000", 2147483647, 0.001, 0));
    ASSERT_TRUE(saveLedger(store(), first, ledger));
    loginFirst();
    const auto buy = [&](const char* quantity) {
        runner.then<BuyDialog>([quantity](BuyDialog& d) {
            d.focusChangedTo(&d.code);
            d.typeText(d.code, "600000");
            d.onKey(ui::NavKey::Enter);
            d.typeText(d.price, "0.001");
            d.typeText(d.quantity, quantity);
            return true;
        });
        window.OnCommand(command::kBuy);
    };
    buy("1");
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"买入后持股数量将超过2147483647股,不能买入"});
    EXPECT_EQ(ledgerOnDisk(first).size(), 3u);
    messages.shown.clear();
    buy("0");  // refused by the dialog, as any zero quantity
    EXPECT_EQ(ledgerOnDisk(first).size(), 3u);
}

}  // namespace
}  // namespace fiscora::test
