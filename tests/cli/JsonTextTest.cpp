#include "cli/JsonText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

TEST(JsonString, EscapesWhatJsonCannotHoldAndKeepsTheRestAsUtf8)
{
    EXPECT_EQ(JsonString(u""), "\"\"");
    EXPECT_EQ(JsonString(u"中文 \x7F/"), "\"中文 \x7F/\"");
    EXPECT_EQ(JsonString(u"a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(u"\b\f\n\r\t\x01\x1F"), "\"\\b\\f\\n\\r\\t\\u0001\\u001F\"");
    EXPECT_EQ(JsonString(u"\U0001F600"), "\"\xF0\x9F\x98\x80\"");
}

TEST(JsonString, LoneSurrogatesBecomeEscapes)
{
    const char16_t high = 0xD801;
    const char16_t low = 0xDC37;
    EXPECT_EQ(JsonString(std::u16string{high}), "\"\\uD801\"");
    EXPECT_EQ(JsonString(std::u16string{u'a', low, u'b'}), "\"a\\uDC37b\"");
    EXPECT_EQ(JsonString(std::u16string{low, high}), "\"\\uDC37\\uD801\"") << "the wrong order is no pair";
    EXPECT_EQ(JsonString(std::u16string{high, high, low}), "\"\\uD801\xF0\x90\x90\xB7\"");
}

TEST(JsonObjectArray, LaidOutTwoBlanksALevelAndReadableByAParser)
{
    EXPECT_EQ(JsonObjectArray({}), "[]");
    const std::string json = JsonObjectArray({{{"name", u"北京"}, {"domain", u""}}, {{"name", u"\"x\""}}});
    EXPECT_EQ(json, "[\n  {\n    \"name\": \"北京\",\n    \"domain\": \"\"\n  },\n  {\n    \"name\": "
                    "\"\\\"x\\\"\"\n  }\n]");
    nlohmann::json parsed = nlohmann::json::parse(json);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]["name"], "北京");
    EXPECT_EQ(parsed[1]["name"], "\"x\"");
}

} // namespace
