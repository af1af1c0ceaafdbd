#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct BadInput
{
    std::string bytes;
    size_t offset; // of the first byte that is not part of a well-formed sequence
};

TEST(FromUtf8Strict, TakesEveryWellFormedSequenceUpToTheLastCodePoint)
{
    EXPECT_EQ(FromUtf8Strict(""), u"");
    EXPECT_EQ(FromUtf8Strict("a/\x7F"), u"a/\x7F");
    EXPECT_EQ(FromUtf8Strict("\xC2\x80\xDF\xBF"), u"\u0080\u07FF");
    EXPECT_EQ(FromUtf8Strict("\xE0\xA0\x80\xE4\xB8\xAD\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"),
              u"\u0800中\uD7FF\uE000\uFFFF");
    EXPECT_EQ(FromUtf8Strict("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), u"\U00010000\U0010FFFF");
}

TEST(FromUtf8Strict, RefusesWhatIsNotWellFormedAndSaysWhere)
{
    const BadInput cases[] = {
        {"a\xC0\xAF", 1},                // overlong "/"
        {"\xE0\x80\xAF", 0},             // overlong "/" in three bytes
        {"\xF0\x8F\xBF\xBF", 0},         // overlong U+FFFF
        {"\xC1\xBF", 0},                 // overlong U+007F
        {"ok\xED\xA0\x80", 2},           // encoded high surrogate
        {"\xED\xBF\xBF", 0},             // encoded low surrogate
        {"\xF4\x90\x80\x80", 0},         // U+110000
        {"\xF5\x80\x80\x80", 0},         // no code point has this lead byte
        {"\xFF", 0},                     // nor this one
        {"ab\x80", 2},                   // a continuation byte without its lead
        {"\xE4\xB8", 0},                 // cut off at the end
        {"\xE4\xB8z", 0},                // cut off by another character
        {"\xE4\xB8\xAD\xF0\x90\x80", 3}, // a good character, then a cut-off one
    };
    for (const BadInput& c : cases) {
        size_t offset = 12345;
        EXPECT_FALSE(FromUtf8Strict(c.bytes, &offset).has_value()) << testing::PrintToString(c.bytes);
        EXPECT_EQ(offset, c.offset) << testing::PrintToString(c.bytes);
    }
}

TEST(FromUtf8, ReplacesEachBadByteButNeverDecodesAnOverlongOrSurrogateForm)
{
    EXPECT_EQ(FromUtf8("a\xC0\xAF"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xED\xA0\x81"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xE4\xB8z中"), u"\uFFFD\uFFFDz中");
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(FindLoneSurrogate, PairsAreFineHalvesAreNot)
{
    const size_t none = std::u16string_view::npos;
    EXPECT_EQ(FindLoneSurrogate(u"abc\U0001F600"), none);
    EXPECT_EQ(FindLoneSurrogate(std::u16string(u"ab") + char16_t(0xD801)), 2u);
    EXPECT_EQ(FindLoneSurrogate(std::u16string(1, char16_t(0xDC00)) + u"x"), 0u);
    // A low half before its high half is no pair.
    EXPECT_EQ(FindLoneSurrogate(std::u16string{char16_t(0xDC00), char16_t(0xD800)}), 0u);
    EXPECT_EQ(FindLoneSurrogate(std::u16string{char16_t(0xD800), char16_t(0xDC00), char16_t(0xD800)}), 2u);
    EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD801)}), "a\xEF\xBF\xBD");
}

} // namespace
