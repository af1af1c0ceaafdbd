#include "serverlist/ServerListCheck.h"

#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/Random.h"
#include "framework/WideText.h"

#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::u16string kShared = u": after a save all of them have the last one's address and domain";

// A file the save could have written, with entries 0 to 6 named A A B B C C B: three groups that share
// a section, whose MD5 texts sort as C (0D61…), A (7FC5…), B (9D5E…), not in list order.
std::string SharedFile()
{
    ReporterRecorder boxes;
    CrtResetRandom();
    const std::vector<std::u16string> names = {u"A", u"A", u"B", u"B", u"C", u"C", u"B"};
    std::u16string text = u"[GlobalInfo]\r\nLastServerName=\r\n[ServerInfo]\r\nItemCount=7\r\n";
    for (size_t i = 0; i < names.size(); ++i)
        text +=
            u"ItemDescribe" + FromUtf8(std::to_string(i + 1)) + u"=" + XorEncrypt(names[i], boxes) + u"\r\n";
    for (const char16_t* name : {u"A", u"B", u"C"})
        text += u"[" + Md5Hex(name) + u"]\r\nServerAddr=16777343\r\nServerDomain=" + XorEncrypt(u"d", boxes) +
                u"\r\n";
    text += u"[Unused]\r\n[serverinfo]\r\nItemCount=1\r\n";
    return ToUtf8(text);
}

std::vector<std::u16string> Lines(const std::vector<tagFinding>& findings)
{
    std::vector<std::u16string> lines;
    for (const tagFinding& finding : findings)
        lines.push_back(finding.strWhere + u": " + finding.strProblem);
    return lines;
}

} // namespace

TEST(ServerListCheck, SharedSectionsAreReportedInTheOrderOfTheirNames)
{
    CProfileDocument document;
    document.LoadBytes(SharedFile());
    const std::vector<std::u16string> expected = {
        u"entries 4, 5: share the name \"C\" and so the section [" + Md5Hex(u"C") + u"]" + kShared,
        u"entries 0, 1: share the name \"A\" and so the section [" + Md5Hex(u"A") + u"]" + kShared,
        u"entries 2, 3, 6: share the name \"B\" and so the section [" + Md5Hex(u"B") + u"]" + kShared,
        u"[Unused]: is not the section of any entry",
        u"[serverinfo]: stands a second time in the file: only the first is read",
    };
    EXPECT_EQ(Lines(CheckServerList(document)), expected);
}

TEST(ServerListCheck, EntriesSharingSectionsComeInTheOrderOfTheirSections)
{
    const CArray<tagServer> servers = {{u"A", u"", u""}, {u"B", u"", u""}, {u"A", u"", u""},
                                       {u"D", u"", u""}, {u"C", u"", u""}, {u"B", u"", u""},
                                       {u"C", u"", u""}, {u"ก", u"", u""}, {u"ข", u"", u""}};
    // C (0D61…), A (7FC5…), B (9D5E…), then the two Thai names, which code page 936 makes one "?" (D145…).
    const std::vector<std::vector<size_t>> expected = {{4, 6}, {0, 2}, {1, 5}, {7, 8}};
    EXPECT_EQ(EntriesSharingSections(servers), expected);
}
