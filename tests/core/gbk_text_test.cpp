#include "records/gbk_text.h"

#include <gtest/gtest.h>

namespace fiscora {
namespace {

TEST(GbkText, RoundTripsChineseAndCountsGbkBytes) {
    auto gbk = utf8ToGbk("深沪A股");
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->size(), 7u);  // three characters of two bytes and one ASCII letter
    EXPECT_EQ(*gbk, std::string("\xC9\xEE\xBB\xA6"
                                "A"
                                "\xB9\xC9"));
    EXPECT_EQ(gbkToUtf8(*gbk), "深沪A股");
    EXPECT_EQ(gbkLength("帐户12"), 6u);
}

TEST(GbkText, RefusesTextGbkCannotHoldAndMarksBadBytes) {
    EXPECT_FALSE(utf8ToGbk("emoji \xF0\x9F\x98\x80"));
    EXPECT_FALSE(utf8ToGbk("\xFF not utf-8"));
    EXPECT_EQ(gbkToUtf8("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(gbkToUtf8("a\xC9"), "a\xEF\xBF\xBD");  // a lead byte cut off at the end
}

TEST(GbkText, FixedFieldsAreBoundedAndZeroFilled) {
    char field[21];
    std::memset(field, 'x', sizeof field);
    EXPECT_EQ(storeText(field, "帐户"), TextFit::Ok);
    EXPECT_EQ(fieldBytes(field).size(), 4u);
    for (std::size_t i = 4; i < sizeof field; ++i) EXPECT_EQ(field[i], 0) << i;
    EXPECT_EQ(fieldText(field), "帐户");

    // Eleven Chinese characters are 22 bytes: too long for 20, and the field is kept.
    EXPECT_EQ(storeText(field, "一二三四五六七八九十壹"), TextFit::TooLong);
    EXPECT_EQ(fieldText(field), "帐户");
    EXPECT_EQ(storeText(field, "ab", 1), TextFit::TooLong);
    EXPECT_EQ(storeText(field, "\xF0\x9F\x98\x80"), TextFit::NotGbk);

    char full[4] = {'a', 'b', 'c', 'd'};  // no terminator: reading stops at the field's end
    EXPECT_EQ(fieldBytes(full), "abcd");
}

}  // namespace
}  // namespace fiscora
