#include "create/ScriptEditing.h"

#include <gtest/gtest.h>

namespace {

TEST(InsertBeforeMarker, UnderAnEmptyLineGoesInFrontOfItsLineBreak)
{
    std::u16string text = u"a\n\nM\n";
    InsertBeforeMarker(text, u"M", u"x\n");
    InsertBeforeMarker(text, u"M", u"y\n");
    EXPECT_EQ(text, u"a\nx\ny\n\nM\n");
}

TEST(InsertBeforeMarker, EmptyFirstLineAboveTheMarker)
{
    std::u16string text = u"\nM";
    InsertBeforeMarker(text, u"M", u"x\n");
    EXPECT_EQ(text, u"x\n\nM");
}

TEST(InsertBeforeMarker, UnderALineWithTextGoesBeforeTheMarkersLine)
{
    std::u16string text = u"a\nM\n";
    InsertBeforeMarker(text, u"M", u"x\n");
    EXPECT_EQ(text, u"a\nx\nM\n");
}

TEST(InsertBeforeMarker, MarkerInsideALineKeepsThatLineWhole)
{
    std::u16string text = u"a\n\ncall M\n";
    InsertBeforeMarker(text, u"M", u"x\n");
    EXPECT_EQ(text, u"a\nx\n\ncall M\n");
    std::u16string first = u"call M\n";
    InsertBeforeMarker(first, u"M", u"x\n");
    EXPECT_EQ(first, u"x\ncall M\n");
}

TEST(InsertBeforeMarker, FirstOccurrenceOnly)
{
    std::u16string text = u"a\n\nM\nM\n";
    InsertBeforeMarker(text, u"M", u"x\n");
    EXPECT_EQ(text, u"a\nx\n\nM\nM\n");
}

TEST(InsertBeforeMarker, MissingMarkerOrMarkerAtTheStartGoesToTheStart)
{
    std::u16string missing = u"a\nb\n";
    InsertBeforeMarker(missing, u"M", u"x\n");
    EXPECT_EQ(missing, u"x\na\nb\n");
    std::u16string atStart = u"M\n";
    InsertBeforeMarker(atStart, u"M", u"x\n");
    EXPECT_EQ(atStart, u"x\nM\n");
    std::u16string empty;
    InsertBeforeMarker(empty, u"M", u"x\n");
    EXPECT_EQ(empty, u"x\n");
}

TEST(ReplaceAll, LeftToRightWithoutOverlaps)
{
    EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(ReplaceAll(u"DBxDB", u"DB", u"数据"), u"数据x数据");
    EXPECT_EQ(ReplaceAll(u"DBxDB", u"DB", u""), u"x");
    EXPECT_EQ(ReplaceAll(u"db", u"DB", u"z"), u"db");
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"z"), u"abc");
}

} // namespace
