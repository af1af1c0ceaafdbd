#include "serverlist/ParsedListMemo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

tagServer Named(const std::u16string& name)
{
    tagServer server;
    server.strServerName = name;
    server.strServerAddr = u"10.0.0.1";
    return server;
}

// Names of any length, an empty one among them, keep their places and their sections.
TEST(EntrySections, ServersGiveTheirNamesAndSectionsInOrder)
{
    const CArray<tagServer> servers = {Named(u"电信一"), Named(u""), Named(std::u16string(63, u'x')),
                                       Named(u"电信一")};
    const CEntrySections entries(servers, {std::optional<size_t>(3), std::nullopt, 0, 7});
    ASSERT_EQ(entries.Size(), 4u);
    EXPECT_EQ(entries.Name(0), u"电信一");
    EXPECT_EQ(entries.Name(1), u"");
    EXPECT_EQ(entries.Name(2), std::u16string(63, u'x'));
    EXPECT_EQ(entries.Name(3), u"电信一");
    EXPECT_EQ(entries.Section(0), std::optional<size_t>(3));
    EXPECT_EQ(entries.Section(1), std::nullopt);
    EXPECT_EQ(entries.Section(2), std::optional<size_t>(0));
    EXPECT_EQ(entries.Section(3), std::optional<size_t>(7));
}

TEST(EntrySections, EntriesEndWithTheShorterList)
{
    const CArray<tagServer> servers = {Named(u"a"), Named(u"b"), Named(u"c")};
    const CEntrySections entries(servers, {std::optional<size_t>(1), std::optional<size_t>(2)});
    ASSERT_EQ(entries.Size(), 2u);
    EXPECT_EQ(entries.Name(1), u"b");
    EXPECT_EQ(entries.Section(1), std::optional<size_t>(2));
    EXPECT_EQ(CEntrySections(CArray<tagServer>(), {}).Size(), 0u);
}

} // namespace
