#include "cli/UnifiedDiff.h"

#include <gtest/gtest.h>

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
}

} // namespace
