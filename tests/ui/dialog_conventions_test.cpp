#include <gtest/gtest.h>

#include "engine/dates.h"
#include "support/temp_dir.h"
#include "ui/common/date_picker.h"
#include "ui/common/dialog_model.h"
#include "ui/common/dialog_title.h"
#include "ui/common/field_entry.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {
namespace {

TEST(NumberText, IntegersReadBackWholeWithBlanksAround) {
    EXPECT_EQ(parseInt32("42"), 42);
    EXPECT_EQ(parseInt32("  -7\t"), -7);
    EXPECT_EQ(parseInt32("+15"), 15);
    EXPECT_EQ(parseInt32("2147483647"), 2147483647);
    for (const char* bad : {"", "   ", "12a", "1 2", "2147483648", "+-1", "1.5", "-"}) {
        EXPECT_FALSE(parseInt32(bad)) << bad;
    }
    EXPECT_EQ(parseUInt32("4294967295"), 4294967295u);
    EXPECT_FALSE(parseUInt32("-1"));
    EXPECT_FALSE(parseUInt32("4294967296"));
}

TEST(NumberText, NumbersAcceptDecimalsAndExponentsButNotInfinity) {
    EXPECT_DOUBLE_EQ(*parseDouble("1000.5"), 1000.5);
    EXPECT_DOUBLE_EQ(*parseDouble(" -0.25 "), -0.25);
    EXPECT_DOUBLE_EQ(*parseDouble("+3"), 3);
    EXPECT_DOUBLE_EQ(*parseDouble("1e3"), 1000);
    EXPECT_DOUBLE_EQ(*parseDouble(".5"), 0.5);
    for (const char* bad : {"", " ", "abc", "1,5", "1.2.3", "inf", "nan", "1e999", "10元"}) {
        EXPECT_FALSE(parseDouble(bad)) << bad;
    }
}

TEST(DialogTitle, NamesTheAccountInBrackets) {
    EXPECT_EQ(dialogTitle("买入股票", "张三"), "买入股票 -[张三]");
    EXPECT_EQ(dialogTitle("Fiscora", ""), "Fiscora -[]");
}

TEST(DatePicker, ReachesTenThousandDaysEitherWayAndStartsToday) {
    const std::time_t now = 1700000000;  // 2023-11-15 06:13:20 in Shanghai
    DateField picker;
    startPickerAtNow(picker, now);
    EXPECT_EQ(picker.earliest, now - 864000000);
    EXPECT_EQ(picker.latest, now + 864000000);
    EXPECT_EQ(picker.date, 20231115);

    DateField stored;
    stored.date = 20200101;
    setPickerRange(stored, now);
    EXPECT_EQ(stored.date, 20200101);
    EXPECT_EQ(stored.latest, now + 864000000);
}

// A dialog of four fields, the third a drop-down, recording where the focus went.
class FourFields : public DialogModel {
public:
    explicit FourFields(Messages& messages, bool navigation = true) : DialogModel(messages) {
        setTabOrder({&a, &b, &choice, &d});
        setKeyNavigation(navigation);
    }
    using DialogModel::checkStorable;
    using DialogModel::focusOn;
    using DialogModel::readInt;
    using DialogModel::readNumber;
    using DialogModel::readUnsigned;

    TextField a, b, d;
    ChoiceField choice;
    std::vector<std::pair<const Field*, const Field*>> moves;
    const Field* bounceBackFrom = nullptr;

protected:
    void OnFocusMoved(const Field& from, const Field* to) override {
        moves.emplace_back(&from, to);
        if (&from == bounceBackFrom) focusOn(from);
    }
};

class DialogModelTest : public ::testing::Test {
protected:
    test::RecordingMessages messages;
    FourFields dialog{messages};
};

TEST_F(DialogModelTest, OpensWithTheFocusInTheFirstEnabledField) {
    dialog.a.enabled = false;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.focused(), &dialog.b);
    EXPECT_FALSE(dialog.textSelected());
}

TEST_F(DialogModelTest, EnterAndDownMoveOnSelectingTextAndConfirmFromTheLastField) {
    dialog.OnInitDialog();
    const auto request = dialog.focusRequest();
    EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.b);
    EXPECT_TRUE(dialog.textSelected());
    EXPECT_NE(dialog.focusRequest(), request);
    // The drop-down takes the arrows as navigation: its selection stays.
    dialog.choice.selected = 1;
    EXPECT_EQ(dialog.onKey(NavKey::Down), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.choice);
    EXPECT_EQ(dialog.onKey(NavKey::Down), KeyOutcome::Moved);
    EXPECT_EQ(dialog.choice.selected, 1);
    EXPECT_EQ(dialog.focused(), &dialog.d);
    EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(dialog.onKey(NavKey::Down), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(dialog.focused(), &dialog.d);
}

TEST_F(DialogModelTest, UpMovesBackAndNavigationSkipsDisabledFields) {
    dialog.OnInitDialog();
    dialog.b.enabled = false;
    EXPECT_EQ(dialog.onKey(NavKey::Down), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.choice);
    EXPECT_EQ(dialog.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.a);
    // From the first field, back round to the last.
    EXPECT_EQ(dialog.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.d);
    // A disabled last field makes the one before it the last.
    dialog.d.enabled = false;
    dialog.focusOn(dialog.choice);
    EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::ConfirmRequested);
}

TEST_F(DialogModelTest, DialogsWithoutNavigationLeaveTheKeysToThePlatform) {
    FourFields plain(messages, false);
    plain.OnInitDialog();
    EXPECT_EQ(plain.onKey(NavKey::Enter), KeyOutcome::NotHandled);
    EXPECT_EQ(plain.onKey(NavKey::Up), KeyOutcome::NotHandled);
    EXPECT_EQ(plain.focused(), &plain.a);
    // With the focus on a button the keys stay with the button.
    dialog.OnInitDialog();
    dialog.focusChangedTo(nullptr);
    EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::NotHandled);
}

TEST_F(DialogModelTest, EveryFocusChangeIsReportedOnceAndMayBeTurnedBack) {
    dialog.OnInitDialog();
    dialog.focusChangedTo(&dialog.a);  // where it already is: nothing happens
    EXPECT_TRUE(dialog.moves.empty());
    dialog.focusChangedTo(&dialog.d);
    EXPECT_FALSE(dialog.textSelected());
    dialog.focusChangedTo(nullptr);
    ASSERT_EQ(dialog.moves.size(), 2u);
    EXPECT_EQ(dialog.moves[0].first, &dialog.a);
    EXPECT_EQ(dialog.moves[0].second, &dialog.d);
    EXPECT_EQ(dialog.moves[1].second, nullptr);

    dialog.focusOn(dialog.b);
    dialog.bounceBackFrom = &dialog.b;
    const auto request = dialog.focusRequest();
    dialog.onKey(NavKey::Enter);
    EXPECT_EQ(dialog.focused(), &dialog.b);
    EXPECT_TRUE(dialog.textSelected());
    EXPECT_GT(dialog.focusRequest(), request + 1);
}

TEST_F(DialogModelTest, NumberBoxesThatDoNotParsePromptAndTakeTheFocusBack) {
    dialog.OnInitDialog();
    dialog.b.text = "12x";
    EXPECT_FALSE(dialog.readInt(dialog.b));
    dialog.d.text = "";
    EXPECT_FALSE(dialog.readNumber(dialog.d));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "请输入一个整数。");
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[1].text, "请输入一个数字。");
    EXPECT_EQ(dialog.focused(), &dialog.d);
    EXPECT_TRUE(dialog.textSelected());

    dialog.b.text = "-3";
    EXPECT_FALSE(dialog.readUnsigned(dialog.b));
    EXPECT_EQ(dialog.focused(), &dialog.b);
    dialog.d.text = "2.5";
    EXPECT_EQ(dialog.readNumber(dialog.d), 2.5);
    EXPECT_EQ(dialog.readInt(dialog.b), -3);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(DialogModelTest, StoredTextMustBeGbkAndFitItsByteLimit) {
    dialog.OnInitDialog();
    dialog.b.maxGbkBytes = 4;
    dialog.b.text = "张三";  // four GBK bytes, six UTF-8 bytes
    EXPECT_TRUE(dialog.checkStorable(dialog.b, "名称"));
    dialog.b.text = "张三a";
    EXPECT_FALSE(dialog.checkStorable(dialog.b, "名称"));
    dialog.d.text = "\xF0\x9F\x98\x80";  // an emoji: no GBK form
    EXPECT_FALSE(dialog.checkStorable(dialog.d, "备注"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "名称太长,最多4个字节(一个汉字占两个字节)");
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.shown[1].text, "备注中含有不能保存的字符");
    EXPECT_EQ(dialog.focused(), &dialog.d);
}

// Entering without a window takes exactly what a box's widget lets a user type: each refusal
// names the field and leaves its text as it was; the limits count characters, or GBK bytes.
TEST_F(DialogModelTest, EnteredTextIsRefusedWhereTheBoxWouldRefuseIt) {
    dialog.a.name = "a";
    dialog.b.name = "b";
    dialog.d.name = "d";
    dialog.a.maxChars = 6;
    dialog.a.digitsOnly = true;
    dialog.b.maxGbkBytes = 4;
    dialog.OnInitDialog();
    using Reason = EntryRefusal::Reason;
    const auto refusal = [this](const Entries& entries) { return enterFields(dialog, entries); };

    EXPECT_EQ(refusal({{"a", "60003a"}})->reason, Reason::NotDigits);
    const auto tooManyDigits = refusal({{"a", "6000361"}});
    ASSERT_TRUE(tooManyDigits);
    EXPECT_EQ(tooManyDigits->reason, Reason::TooLong);
    EXPECT_EQ(tooManyDigits->limit, 6u);
    EXPECT_FALSE(tooManyDigits->limitInBytes);
    const auto tooManyBytes = refusal({{"b", "张三a"}});  // five GBK bytes, three characters
    ASSERT_TRUE(tooManyBytes);
    EXPECT_EQ(tooManyBytes->reason, Reason::TooLong);
    EXPECT_EQ(tooManyBytes->field, "b");
    EXPECT_TRUE(tooManyBytes->limitInBytes);
    EXPECT_EQ(refusal({{"b", "\xF0\x9F\x98\x80"}})->reason, Reason::NotGbk);
    dialog.d.enabled = false;
    EXPECT_EQ(refusal({{"d", "1"}})->reason, Reason::Disabled);
    // A name the dialog has no field for is refused before anything is entered.
    EXPECT_EQ(refusal({{"a", "1"}, {"rate", "1"}})->reason, Reason::NoSuchField);
    EXPECT_TRUE(dialog.a.text.empty() && dialog.b.text.empty() && dialog.d.text.empty());

    // What fits is typed, up to the limit itself.
    EXPECT_FALSE(refusal({{"a", "600036"}, {"b", "张三"}}));
    EXPECT_EQ(dialog.a.text, "600036");
    EXPECT_EQ(dialog.b.text, "张三");
}

}  // namespace
}  // namespace fiscora::ui
