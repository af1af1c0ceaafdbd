#include "create/ScriptEditing.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Insertions = std::vector<std::pair<std::u16string, std::u16string>>; // marker, lines

std::u16string Marked(std::u16string text, const Insertions& insertions)
{
    CMarkedText marked(std::move(text));
    for (const auto& [marker, lines] : insertions)
        marked.InsertBefore(marker, lines);
    return marked.Text();
}

TEST(CMarkedText, UnderAnEmptyLineGoesInFrontOfItsLineBreak)
{
    EXPECT_EQ(Marked(u"a\n\nM\n", {{u"M", u"x\n"}, {u"M", u"y\n"}}), u"a\nx\ny\n\nM\n");
    EXPECT_EQ(Marked(u"\nM", {{u"M", u"x\n"}}), u"x\n\nM");
}

TEST(CMarkedText, UnderALineWithTextGoesBeforeTheMarkersLine)
{
    EXPECT_EQ(Marked(u"a\nM\n", {{u"M", u"x\n"}, {u"M", u"y\n"}}), u"a\nx\ny\nM\n");
    // A block that ends with an empty line keeps it next to the marker; the next block goes above it.
    EXPECT_EQ(Marked(u"a\nM\n", {{u"M", u"x\n\n"}, {u"M", u"y\n\n"}}), u"a\nx\ny\n\n\nM\n");
}

TEST(CMarkedText, MissingMarkerOrMarkerOnTheFirstLineGoesToTheStart)
{
    EXPECT_EQ(Marked(u"a\nb\n", {{u"M", u"x\n"}, {u"M", u"y\n"}}), u"y\nx\na\nb\n");
    EXPECT_EQ(Marked(u"M\n", {{u"M", u"x\n"}, {u"M", u"y\n"}}), u"x\ny\nM\n");
    EXPECT_EQ(Marked(u"  M\n", {{u"M", u"x\n"}}), u"x\n  M\n");
    EXPECT_EQ(Marked(u"", {{u"M", u"x\n"}}), u"x\n");
    EXPECT_EQ(Marked(u"a\n", {{u"", u"x\n"}}), u"x\na\n");
}

TEST(CMarkedText, TheFirstLineThatBeginsWithTheMarkerCounts)
{
    EXPECT_EQ(Marked(u"call pause\n\n  pause\npause\n", {{u"pause", u"x\n"}}),
              u"call pause\nx\n\n  pause\npause\n");
    EXPECT_EQ(Marked(u"Applause\n\tpause\n", {{u"pause", u"x\n"}}), u"Applause\nx\n\tpause\n");
}

TEST(CMarkedText, WithoutSuchALineTheFirstOccurrenceAnywhereCounts)
{
    EXPECT_EQ(Marked(u"a\n\ncall M\nb M\n", {{u"M", u"x\n"}}), u"a\nx\n\ncall M\nb M\n");
    EXPECT_EQ(Marked(u"call M\n", {{u"M", u"x\n"}}), u"x\ncall M\n");
}

TEST(CMarkedText, InsertedLinesAreNeverSearched)
{
    // The first line holds the marker; the second still goes to the template's marker, after it.
    EXPECT_EQ(Marked(u"a\n\ncall M\n", {{u"M", u"see M\n"}, {u"M", u"y\n"}}), u"a\nsee M\ny\n\ncall M\n");
    EXPECT_EQ(Marked(u"a\n\nM\n", {{u"M", u"M too\n"}, {u"M", u"y\n"}}), u"a\nM too\ny\n\nM\n");
}

TEST(CMarkedText, MarkersOnOneLineShareTheirPlaceInOrder)
{
    EXPECT_EQ(Marked(u"a\nR P\n", {{u"R", u"r1\n"}, {u"P", u"p1\n\n"}, {u"R", u"r2\n"}, {u"P", u"p2\n\n"}}),
              u"a\nr1\np1\nr2\np2\n\n\nR P\n");
}

// The straightforward way: find the marker's line in the text as it has grown, and insert there.
void InsertIntoGrowingText(std::u16string& text, std::u16string_view marker, std::u16string_view lines)
{
    size_t line = std::u16string::npos;
    for (size_t start = 0; start <= text.size() && line == std::u16string::npos;) {
        size_t pos = text.find_first_not_of(u" \t", start);
        if (pos != std::u16string::npos && std::u16string_view(text).substr(pos).starts_with(marker))
            line = start;
        size_t end = text.find(u'\n', start);
        start = end == std::u16string::npos ? text.size() + 1 : end + 1;
    }
    if (line == std::u16string::npos) {
        text.insert(0, lines);
        return;
    }
    const bool emptyAbove = line > 0 && (line == 1 || text[line - 2] == u'\n');
    text.insert(emptyAbove ? line - 1 : line, lines);
}

TEST(CMarkedText, GivesWhatInsertingIntoTheGrowingTextGivesWhenMarkersBeginLines)
{
    const std::u16string templates[] = {
        u"Rem start\n\nFIRST\n\nSECOND\n\npause\n", u"FIRST\nSECOND\npause",
        u"\n\nFIRST\n  SECOND\n\n\tpause\n\n",      u"Rem no first marker\nSECOND\n\npause\nend\n",
        u"FIRST\n\nRem no second marker\npause\n",
    };
    for (const std::u16string& original : templates) {
        SCOPED_TRACE(testing::PrintToString(original));
        std::u16string grown = original;
        CMarkedText marked(original);
        for (int game = 1; game <= 4; ++game) {
            const std::u16string n(1, static_cast<char16_t>(u'0' + game));
            const std::u16string block = u"set " + n + u"\nosql " + n + u"\n\n";
            for (const auto& [marker, lines] : Insertions{
                     {u"FIRST", u"one " + n + u"\n"}, {u"SECOND", u"two " + n + u"\n"}, {u"pause", block}}) {
                InsertIntoGrowingText(grown, marker, lines);
                marked.InsertBefore(marker, lines);
            }
        }
        EXPECT_EQ(marked.Text(), grown);
    }
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
