#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/dates.h"
#include "engine/workspace.h"
#include "host/module_state.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/temp_dir.h"

namespace fiscora::test {

// A dialog on a held stock over a ledger the test gives: the host names 600036 (上海),
// 000001 (深圳) and 100001 in either market.
template <typename Dialog> class HeldStockDialogTest : public ::testing::Test {
protected:
    HeldStockDialogTest() {
        setStandardDefaultTradeParams();
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 9.0f, 9.1f);
        quotes.add("100001", 0, *utf8ToGbk("深转债"), 101.0f, 100.5f);
        quotes.add("100001", 1, *utf8ToGbk("沪转债"), 102.0f, 101.5f);
    }

    // Opens the dialog for 张三's account.
    Dialog& show(std::unique_ptr<Dialog> made) {
        dialog = std::move(made);
        dialog->OnInitDialog();
        return *dialog;
    }
    void type(ui::TextField& box, const std::string& text) { dialog->typeText(box, text); }
    void pick(ui::ChoiceField& list, const std::string& entry) {
        dialog->pickItem(list, list.indexOf(entry));
    }
    // The record the confirmed dialog books, every byte checked against `expected`.
    void expectBooked(const LedgerRecord& expected) {
        const auto booked = dialog->confirmedRecord();
        ASSERT_TRUE(booked.has_value());
        EXPECT_EQ(std::memcmp(&*booked, &expected, sizeof expected), 0);
    }
    // A record as the dialogs book it: a fresh record (every byte zero, view row -1) with
    // the values given.
    static LedgerRecord zeroed(RecordType kind, std::int32_t market, const char* code,
                               std::int32_t quantity, double price, double fee, double amount,
                               const char* remark) {
        LedgerRecord r;
        r.type = static_cast<std::int32_t>(kind);
        r.cashSign = cashSignOf(kind);
        r.date = today();
        r.market = market;
        std::strcpy(r.stockCode, code);
        storeText(r.remark, remark, 99);
        r.quantity = quantity;
        r.price = price;
        r.fee = fee;
        r.amount = amount;
        return r;
    }

    FakeQuotes quotes;
    RecordingMessages messages;
    Workspace workspace{messages};
    std::unique_ptr<Dialog> dialog;
};

}  // namespace fiscora::test
