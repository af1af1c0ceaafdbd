#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

size_t LineCount(const std::u16string& text)
{
    return 1 + std::count(text.begin(), text.end(), u'\n');
}

TEST(ShortenedForDisplay, MessagesOfOrdinarySizeStayWhole)
{
    EXPECT_EQ(ShortenedForDisplay(u""), u"");
    std::u16string twoLines = u"无法写入 /tmp/ServerInfo.ini\n原因：所在目录不存在\n";
    EXPECT_EQ(ShortenedForDisplay(twoLines), twoLines);
    std::u16string longestWholeLine(1000, u'名');
    EXPECT_EQ(ShortenedForDisplay(longestWholeLine), longestWholeLine);
    std::u16string twentyLines;
    for (int i = 0; i < 20; ++i)
        twentyLines += std::u16string(i ? u"\n" : u"") + u"行";
    EXPECT_EQ(ShortenedForDisplay(twentyLines), twentyLines);
}

TEST(ShortenedForDisplay, AHugeNameKeepsTheStartAndTheEndOfItsLine)
{
    std::u16string name = u"开" + std::u16string(1 << 20, u'x') + u"尾";
    std::u16string text = u"游戏名称“" + name + u"”(编号 215)不能用作文件名!";
    std::u16string tail = std::u16string(32, u'x') + u"尾”(编号 215)不能用作文件名!";
    ASSERT_EQ(tail.size(), 50u);
    EXPECT_EQ(ShortenedForDisplay(text), text.substr(0, 200) + u"…" + tail);

    std::u16string oneLonger(1001, u'a');
    EXPECT_EQ(ShortenedForDisplay(oneLonger), std::u16string(200, u'a') + u"…" + std::u16string(50, u'a'));
}

TEST(ShortenedForDisplay, OnlyTheLongLineIsShortened)
{
    std::u16string path = u"/srv/" + std::u16string(5000, u'd') + u"/ServerInfo.ini";
    std::u16string text = u"无法写入 " + path + u"\n原因：路径太长\n原来的文件没有改动，请检查后重新保存";
    std::u16string shown = ShortenedForDisplay(text);
    EXPECT_EQ(shown, text.substr(0, 200) + u"…" + path.substr(path.size() - 50) +
                         u"\n原因：路径太长\n原来的文件没有改动，请检查后重新保存");
}

TEST(ShortenedForDisplay, ACharacterOutsideTheBasicPlaneIsNeverCutInTwo)
{
    // U+20000 is D840 DC00: a pair across the 200th unit stays out whole, one across the tail's start stays
    // in whole.
    const std::u16string pair = u"\U00020000";
    std::u16string text =
        std::u16string(199, u'a') + pair + std::u16string(1000, u'b') + pair + std::u16string(49, u'c');
    EXPECT_EQ(ShortenedForDisplay(text), std::u16string(199, u'a') + u"…" + std::u16string(49, u'c'));

    std::u16string late = std::u16string(1000, u'a') + pair + std::u16string(48, u'c');
    EXPECT_EQ(ShortenedForDisplay(late), std::u16string(200, u'a') + u"…" + pair + std::u16string(48, u'c'));
}

TEST(ShortenedForDisplay, ManyLinesKeepTheFirstSixteenAndTheLastThree)
{
    std::u16string text;
    for (int i = 0; i < 1000; ++i)
        text += std::u16string(i ? u"\n" : u"") + std::u16string(1, char16_t(u'A' + i % 26));
    std::u16string shown = ShortenedForDisplay(text);
    EXPECT_EQ(LineCount(shown), 20u);
    EXPECT_EQ(shown, u"A\nB\nC\nD\nE\nF\nG\nH\nI\nJ\nK\nL\nM\nN\nO\nP\n…\nJ\nK\nL");
}

} // namespace
