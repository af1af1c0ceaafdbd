#include "cli/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Numbered(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST(UnifiedDiff, EqualTextsGiveNothing)
{
    EXPECT_EQ(UnifiedDiff(Numbered(1, 5), Numbered(1, 5), "a", "b"), "");
    EXPECT_EQ(UnifiedDiff("", "", "a", "b"), "");
}

TEST(UnifiedDiff, AnInsertionWithThreeLinesOfContext)
{
    std::string after = Numbered(1, 5) + "new\r\n" + Numbered(6, 10);
    EXPECT_EQ(
        UnifiedDiff(Numbered(1, 10), after, "old", "new"),
        "--- old\n+++ new\n@@ -3,6 +3,7 @@\n line 3\n line 4\n line 5\n+new\n line 6\n line 7\n line 8\n");
}

TEST(UnifiedDiff, ChangesFarApartMakeTwoHunksAndNearOnesOne)
{
    std::string far = "first\r\n" + Numbered(2, 19) + "last\r\n";
    std::string farDiff = UnifiedDiff(Numbered(1, 20), far, "a", "b");
    EXPECT_EQ(farDiff, "--- a\n+++ b\n@@ -1,4 +1,4 @@\n-line 1\n+first\n line 2\n line 3\n line 4\n"
                       "@@ -17,4 +17,4 @@\n line 17\n line 18\n line 19\n-line 20\n+last\n");
    // Six unchanged lines between two changes still make one hunk.
    std::string near = Numbered(1, 2) + "x\r\n" + Numbered(4, 9) + "y\r\n" + Numbered(11, 12);
    std::string nearDiff = UnifiedDiff(Numbered(1, 12), near, "a", "b");
    EXPECT_EQ(nearDiff, "--- a\n+++ b\n@@ -1,12 +1,12 @@\n line 1\n line 2\n-line 3\n+x\n line 4\n line 5\n"
                        " line 6\n line 7\n line 8\n line 9\n-line 10\n+y\n line 11\n line 12\n");
}

TEST(UnifiedDiff, NewAndEmptyTextsAndMissingFinalBreaks)
{
    EXPECT_EQ(UnifiedDiff("", "a\nb\n", "x", "y"), "--- x\n+++ y\n@@ -0,0 +1,2 @@\n+a\n+b\n");
    EXPECT_EQ(UnifiedDiff("a\nb", "a\nb\n", "x", "y"),
              "--- x\n+++ y\n@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\n");
    // A change of line ends alone shows, though the shown lines look alike.
    EXPECT_EQ(UnifiedDiff("a\n", "a\r\n", "x", "y"), "--- x\n+++ y\n@@ -1,1 +1,1 @@\n-a\n+a\n");
    EXPECT_EQ(UnifiedDiff("a\nb\n", "", "x", "y"), "--- x\n+++ y\n@@ -1,2 +0,0 @@\n-a\n-b\n");
}

// A batch file of 2,100 lines whose first and last lines changed: four lines of difference, whatever
// the length of the file.
TEST(UnifiedDiff, ALongFileShowsOnlyItsChangedLines)
{
    std::string after = "first\r\n" + Numbered(2, 2099) + "last\r\n";
    EXPECT_EQ(UnifiedDiff(Numbered(1, 2100), after, "a", "b"),
              "--- a\n+++ b\n@@ -1,4 +1,4 @@\n-line 1\n+first\n line 2\n line 3\n line 4\n"
              "@@ -2097,4 +2097,4 @@\n line 2097\n line 2098\n line 2099\n-line 2100\n+last\n");
}

TEST(UnifiedDiff, ScatteredInsertionsIntoALongFileEachGetAHunk)
{
    std::string before;
    std::string after;
    for (int block = 0; block < 30; ++block) {
        std::string lines = Numbered(block * 1000 + 1, block * 1000 + 1000);
        before += lines;
        after += lines + "added " + std::to_string(block) + "\r\n";
    }
    std::vector<std::string> hunks;
    size_t added = 0;
    size_t removed = 0;
    std::string diff = UnifiedDiff(before, after, "a", "b");
    for (size_t start = 0; start < diff.size();) {
        size_t end = diff.find('\n', start);
        std::string line = diff.substr(start, end - start);
        if (line.rfind("@@ ", 0) == 0)
            hunks.push_back(line);
        added += line.rfind("+added ", 0) == 0;
        removed += line[0] == '-' && line.rfind("--- ", 0) != 0;
        start = end + 1;
    }
    EXPECT_EQ(added, 30u);
    EXPECT_EQ(removed, 0u);
    ASSERT_EQ(hunks.size(), 30u);
    EXPECT_EQ(hunks[0], "@@ -998,6 +998,7 @@");
    EXPECT_EQ(hunks[1], "@@ -1998,6 +1999,7 @@");
    EXPECT_EQ(hunks[29], "@@ -29998,3 +30027,4 @@") << "at the end of the file no context follows";
}

} // namespace
