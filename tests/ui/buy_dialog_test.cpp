#include <gtest/gtest.h>

#include <ctime>

#include "engine/dates.h"
#include "host/module_state.h"
#include "records/gbk_text.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"
#include "ui/trade/buy_dialog.h"

namespace fiscora::ui {
namespace {

using test::FakeQuotes;
using test::RecordingMessages;

TradeParam row(std::int32_t market, const char* prefix, double rate, double minimum) {
    TradeParam r{};
    r.market = market;
    storeBytes(r.codePrefix, prefix);
    r.commissionRate = rate;
    r.minCommission = minimum;
    return r;
}

class BuyDialogTest : public ::testing::Test {
protected:
    BuyDialogTest() {
        setStandardDefaultTradeParams();
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 10.5f, 10.2f);
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 12.0f, 11.8f);
        quotes.add("100001", 0, *utf8ToGbk("深债一"), 100.0f, 100.0f);
    }

    BuyDialog& open(double cash = 100000, const std::string& unit = "元") {
        dialog = std::make_unique<BuyDialog>(messages, "张三", unit, cash, table);
        dialog->OnInitDialog();
        return *dialog;
    }
    // Types a code and leaves the box with Enter, as the user does.
    void enterCode(const std::string& code) {
        dialog->focusChangedTo(&dialog->code);
        dialog->typeText(dialog->code, code);
        dialog->onKey(NavKey::Enter);
    }
    void type(TextField& box, const std::string& text) { dialog->typeText(box, text); }
    // A purchase that passes every check.
    void fillValid() {
        enterCode("600036");
        type(dialog->price, "10.00");
        type(dialog->quantity, "100");
    }

    FakeQuotes quotes;
    RecordingMessages messages;
    TradeParamTable table;
    std::unique_ptr<BuyDialog> dialog;
};

TEST_F(BuyDialogTest, OpensWithZeroedBoxesTheCashAndTheAccountsTitle) {
    BuyDialog& d = open(1500);
    EXPECT_EQ(d.caption(), "买入股票 -[张三]");
    for (const TextField* box : {&d.quantity, &d.price, &d.commission, &d.expense, &d.maxBuyable}) {
        EXPECT_EQ(box->text, "0");
    }
    EXPECT_EQ(d.code.text, "");
    EXPECT_EQ(d.remark.text, "");
    EXPECT_EQ(d.nameLabel.text, "股票名称");
    EXPECT_EQ(d.cash.text, "1500.000");
    EXPECT_FALSE(d.codeValid());
    EXPECT_EQ(d.focused(), &d.tradeDate);

    const std::time_t now = std::time(nullptr);
    EXPECT_EQ(d.tradeDate.date, today());
    EXPECT_NEAR(static_cast<double>(d.tradeDate.earliest), static_cast<double>(now - 864000000), 5);
    EXPECT_NEAR(static_cast<double>(d.tradeDate.latest), static_cast<double>(now + 864000000), 5);

    EXPECT_EQ(d.price.maxChars, 19u);
    EXPECT_EQ(d.code.maxChars, 6u);
    EXPECT_EQ(d.remark.maxGbkBytes, 99u);
    EXPECT_EQ(d.tabOrder(), (std::vector<Field*>{&d.tradeDate, &d.code, &d.market, &d.price,
                                                 &d.quantity, &d.remark}));
}

TEST_F(BuyDialogTest, TheTradeTypePresetsTheMarket) {
    BuyDialog& a = open(0, "元");
    EXPECT_EQ(a.market.items, (std::vector<std::string>{"深圳", "上海"}));
    EXPECT_EQ(a.market.selectedText(), "深圳");
    EXPECT_TRUE(a.market.enabled);
    BuyDialog& shanghaiB = open(0, "美元");
    EXPECT_EQ(shanghaiB.market.selectedText(), "上海");
    EXPECT_FALSE(shanghaiB.market.enabled);
    BuyDialog& shenzhenB = open(0, "港元");
    EXPECT_EQ(shenzhenB.market.selectedText(), "深圳");
    EXPECT_FALSE(shenzhenB.market.enabled);
}

TEST_F(BuyDialogTest, FiguresFollowTheQuantityAndPriceAsTyped) {
    BuyDialog& d = open(1000);
    type(d.quantity, "100");
    type(d.price, "10.00");
    EXPECT_EQ(d.commission.text, "12.000");  // minimum commission 10 + stamp duty 2
    EXPECT_EQ(d.expense.text, "1012.000");
    EXPECT_EQ(d.maxBuyable.text, "100");

    type(d.price, "3");
    EXPECT_EQ(d.maxBuyable.text, "333");  // fees are not counted
    type(d.price, "3abc");                // only the leading number counts while typing
    EXPECT_EQ(d.maxBuyable.text, "333");

    type(d.price, "0");
    EXPECT_EQ(d.maxBuyable.text, "0");
    EXPECT_EQ(d.commission.text, "10.000");

    // An empty box stops the figures where they are.
    type(d.price, "");
    EXPECT_EQ(d.commission.text, "10.000");
    d.quantity.text.clear();
    type(d.price, "20");
    EXPECT_EQ(d.commission.text, "10.000");
    EXPECT_EQ(d.maxBuyable.text, "0");
    EXPECT_EQ(d.cash.text, "1000.000");  // never recomputed
}

TEST_F(BuyDialogTest, LeavingTheCodeBoxChecksItDerivesTheMarketAndLooksUpTheName) {
    BuyDialog& d = open();
    enterCode("60003");
    EXPECT_EQ(d.nameLabel.text, "必须输入六位股票代码");
    EXPECT_EQ(d.focused(), &d.code);
    EXPECT_TRUE(d.textSelected());
    EXPECT_FALSE(d.codeValid());

    enterCode("600036");
    EXPECT_EQ(d.nameLabel.text, "招商银行");
    EXPECT_TRUE(d.codeValid());
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_FALSE(d.market.enabled);
    EXPECT_EQ(d.focused(), &d.price);  // past the market box, which the code decided
    EXPECT_TRUE(d.textSelected());

    enterCode("600999");
    EXPECT_EQ(d.nameLabel.text, "非法代码");
    EXPECT_FALSE(d.codeValid());

    // A code that may belong to either market frees the box even in a B share account.
    open(0, "港元");
    enterCode("100001");
    EXPECT_TRUE(dialog->market.enabled);
    EXPECT_EQ(dialog->market.selectedText(), "深圳");
    EXPECT_EQ(dialog->focused(), &dialog->price);  // Enter skipped the box while it was fixed
    EXPECT_EQ(dialog->nameLabel.text, "深债一");
    EXPECT_EQ(dialog->onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(dialog->focused(), &dialog->market);
}

TEST_F(BuyDialogTest, ACodeLeftForTheButtonsIsNotLookedUp) {
    BuyDialog& d = open();
    enterCode("600036");
    d.focusChangedTo(&d.code);
    d.code.text = "600999";
    d.focusChangedTo(nullptr);  // clicked 确定
    EXPECT_EQ(d.nameLabel.text, "招商银行");
    EXPECT_TRUE(d.codeValid());
}

TEST_F(BuyDialogTest, TheFeeRowFollowsTheCodeAndTheMarket) {
    table.push_back(row(1, "600", 0.01, 1));
    table.push_back(row(0, "100", 0.02, 1));
    BuyDialog& d = open();
    type(d.quantity, "1000");
    type(d.price, "10");
    EXPECT_EQ(d.commission.text, "55.000");  // default row: 35 + 20
    enterCode("600036");
    EXPECT_EQ(d.commission.text, "100.000");  // 1000 * 0.01 * 10, no stamp duty
    // A code of either market keeps the market the last code chose.
    enterCode("100001");
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.nameLabel.text, "非法代码");
    EXPECT_EQ(d.commission.text, "55.000");
    // Picking 深圳 looks the name up there and takes the 深圳 row of prefix 100.
    d.pickItem(d.market, 0);
    EXPECT_EQ(d.nameLabel.text, "深债一");
    EXPECT_TRUE(d.codeValid());
    EXPECT_EQ(d.commission.text, "200.000");
    d.pickItem(d.market, 1);
    EXPECT_FALSE(d.codeValid());
    EXPECT_EQ(d.commission.text, "55.000");
}

TEST_F(BuyDialogTest, PickingTheMarketAlreadyShownStillRunsItsHandler) {
    BuyDialog& d = open();
    d.focusChangedTo(&d.code);
    d.typeText(d.code, "100001");
    EXPECT_EQ(d.nameLabel.text, "股票名称");
    d.pickItem(d.market, d.market.selected);
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_EQ(d.nameLabel.text, "深债一");
}

TEST_F(BuyDialogTest, ConfirmationReadsEveryBoxBackFirst) {
    BuyDialog& d = open();
    fillValid();
    d.quantity.text = "";
    EXPECT_FALSE(d.OnConfirm());
    d.quantity.text = "-5";
    EXPECT_FALSE(d.OnConfirm());
    d.quantity.text = "100";
    d.price.text = "10元";
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请输入一个整数。", "请输入一个整数。",
                                                          "请输入一个数字。"}));
    EXPECT_EQ(d.focused(), &d.price);
    EXPECT_TRUE(d.textSelected());

    // A count a record cannot hold is refused like any other out-of-range entry.
    messages.shown.clear();
    d.price.text = "0.000001";
    d.quantity.text = "3000000000";
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"请输入一个在 0 和 2147483647 之间的整数。"});
    EXPECT_EQ(d.focused(), &d.quantity);
}

TEST_F(BuyDialogTest, ChecksComeInTheirOrder) {
    BuyDialog& d = open(1000);
    // Nothing looked up yet: the code is judged first, even with everything else wrong.
    type(d.price, "0");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(d.focused(), &d.code);

    // A valid lookup, then the code emptied and confirmed with a click.
    enterCode("600036");
    d.focusChangedTo(&d.code);
    d.code.text.clear();
    d.focusChangedTo(nullptr);
    EXPECT_FALSE(d.OnConfirm());

    d.code.text = "600036";
    type(d.price, "0");
    type(d.quantity, "100");
    EXPECT_FALSE(d.OnConfirm());
    type(d.price, "10");
    type(d.quantity, "0");
    EXPECT_FALSE(d.OnConfirm());
    d.quantity.text = "100";
    d.commission.text = "-1";
    EXPECT_FALSE(d.OnConfirm());
    type(d.quantity, "101");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"不正确的股票代码", "请把数据填完整",
                                        "价格数量的值不能小于等于零,佣金的值不能为负",
                                        "价格数量的值不能小于等于零,佣金的值不能为负",
                                        "价格数量的值不能小于等于零,佣金的值不能为负",
                                        "现金超支，不能买入，请减小买入量"}));
    for (const auto& shown : messages.shown) EXPECT_EQ(shown.caption, "Fiscora");

    // 100 at 10.00 is within the cash although the fees take the expense to 1012.
    messages.shown.clear();
    type(d.quantity, "100");
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_TRUE(messages.shown.empty());
    const auto bought = d.confirmedRecord();
    ASSERT_TRUE(bought);
    EXPECT_EQ(test::unpacked(bought->market), 1);
    EXPECT_EQ(test::unpacked(bought->quantity), 100);
    EXPECT_DOUBLE_EQ(bought->price, 10);
    EXPECT_DOUBLE_EQ(bought->fee, 12);
    EXPECT_DOUBLE_EQ(bought->amount, 1012);
}

// The boxes marked required (the command line needs their options) are exactly those
// whose opening entry the dialog refuses.
TEST_F(BuyDialogTest, ItRefusesWhatARequiredBoxOpensWithAndNothingElse) {
    const std::size_t count = open().tabOrder().size();
    int required = 0;
    for (std::size_t i = 0; i < count; ++i) {
        BuyDialog& d = open();
        if (d.tabOrder()[i]->kind != FieldKind::Edit) continue;
        auto* box = static_cast<TextField*>(d.tabOrder()[i]);
        const std::string opened = box->text;
        fillValid();
        d.focusChangedTo(box);
        type(*box, opened);
        d.focusChangedTo(nullptr);
        EXPECT_EQ(d.OnConfirm(), !box->required) << box->name;
        required += box->required;
    }
    EXPECT_GT(required, 0);
}

TEST_F(BuyDialogTest, TheCashCheckAndTheLargestQuantityAgreeAtTheWholeCash) {
    // (cash, price, largest quantity): the whole cash may be spent, exactly or as shown.
    const struct {
        double cash;
        const char* price;
        const char* most;
    } cases[] = {{1000.0004, "1000.0004", "1"},  // exactly the cash; the box shows 1000.000
                 {1000.0004, "1000.0005", "0"},
                 {0.29999999999999993, "0.3", "1"},  // the box shows 0.300
                 {0.29999999999999993, "0.3001", "0"},
                 {1000, "3", "333"}};
    for (const auto& c : cases) {
        messages.shown.clear();
        BuyDialog& d = open(c.cash);
        enterCode("600036");
        type(d.quantity, "1");
        type(d.price, c.price);
        EXPECT_EQ(d.maxBuyable.text, c.most) << c.cash << " " << c.price;
        EXPECT_EQ(d.OnConfirm(), std::string(c.most) != "0") << c.cash << " " << c.price;
        type(d.quantity, c.most);
        if (std::string(c.most) != "0") {
            EXPECT_TRUE(d.OnConfirm()) << c.price;
        }
        type(d.quantity, std::to_string(std::stoi(c.most) + 1));
        EXPECT_FALSE(d.OnConfirm()) << c.price;
    }
}

TEST_F(BuyDialogTest, ConfirmedFiguresCarryTheThreeDecimalsShown) {
    BuyDialog& d = open();
    enterCode("000001");
    type(d.price, "3.3333");
    type(d.quantity, "3333");
    // 3333 x 3.3333 = 11109.8889; fee 3333 x 0.0055 x 3.3333 = 61.10439...
    EXPECT_EQ(d.commission.text, "61.104");
    EXPECT_EQ(d.expense.text, "11170.993");
    ASSERT_TRUE(d.OnConfirm());
    const auto bought = d.confirmedRecord();
    ASSERT_TRUE(bought);
    EXPECT_EQ(test::unpacked(bought->market), 0);
    EXPECT_DOUBLE_EQ(bought->fee, 61.104);
    EXPECT_DOUBLE_EQ(bought->amount, 11170.993);
    EXPECT_DOUBLE_EQ(bought->price, 3.3333);
}

TEST_F(BuyDialogTest, TheRemarkTakesNinetyNineGbkBytes) {
    BuyDialog& d = open();
    fillValid();
    d.remark.text = "备注😀";  // no GBK form
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.shown.back().caption, "错误");
    EXPECT_EQ(d.focused(), &d.remark);
    d.remark.text = std::string(97, 'x') + "中";  // 99 bytes
    EXPECT_TRUE(d.OnConfirm());
}

TEST_F(BuyDialogTest, EnterAndTheArrowsWalkTheTabStopsAndTheRemarkConfirms) {
    BuyDialog& d = open();
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.code);
    d.code.text = "000001";
    EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.price);  // the market box is disabled by the code
    EXPECT_EQ(d.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.code);
    EXPECT_TRUE(d.textSelected());
    d.onKey(NavKey::Down);
    d.onKey(NavKey::Enter);
    EXPECT_EQ(d.focused(), &d.quantity);
    d.onKey(NavKey::Down);
    EXPECT_EQ(d.focused(), &d.remark);
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::ConfirmRequested);
}

}  // namespace
}  // namespace fiscora::ui
