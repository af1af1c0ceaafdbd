// The server list file between our load and save and Windows' own profile functions (or Wine's): what
// we save reads back through Windows entry for entry, and what Windows writes loads.
#include "serverlist/ServerList.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/Path.h"
#include "framework/ProfileFile.h"
#include "framework/Random.h"
#include "framework/WideText.h"

#include "support/DiskText.h"
#include "support/ReporterRecorder.h"
#include "support/TempDir.h"
#include "support/WindowsProfileWin32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::u16string Number(size_t n)
{
    return FromUtf8(std::to_string(n));
}

std::u16string ItemKey(size_t number)
{
    return u"ItemDescribe" + Number(number);
}

// `count` entries of every kind: Chinese, ASCII and mixed names, names of 63 characters (the longest
// that encode, 512 characters stored), the empty name, empty and extreme addresses, empty domains.
CArray<tagServer> VariedServers(size_t count)
{
    CArray<tagServer> servers;
    for (size_t i = 0; i < count; ++i) {
        const std::u16string n = Number(i);
        tagServer server;
        switch (i % 5) {
        case 0:
            server = {u"电信" + n + u"区", u"10.0." + Number(i % 256) + u".1", u"game" + n + u".example.com"};
            break;
        case 1:
            server = {u"Server " + n, u"192.168.1." + Number(i % 256), u""};
            break;
        case 2:
            server = {std::u16string(60, u'长').substr(n.size()) + u"名" + n + u"!", u"255.255.255.255",
                      std::u16string(63 - n.size(), u'd') + n};
            break;
        case 3:
            server = {u"\"网通\" = [" + n + u"]", u"", u"网通.中国"};
            break;
        default:
            server = {u"; 双线 " + n + u" ", u"0.0.0.0", u" 域名 " + n};
            break;
        }
        servers.push_back(server);
    }
    servers.push_back({u"", u"1.2.3.4", u"empty.name"});
    return servers;
}

// What our load makes of a saved entry: an empty address reads as the number 0.
tagServer AsLoaded(tagServer server)
{
    if (server.strServerAddr.empty())
        server.strServerAddr = u"0.0.0.0";
    return server;
}

class ServerListAgainstWindows : public ::testing::Test
{
protected:
    void SetUp() override { CrtResetRandom(); }

    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    std::u16string PathOf(const std::u16string& name) const { return JoinPath(m_dir.PathW(), name); }

    // Each stored string read through Windows is the one our document holds, and decodes to the entry.
    void ExpectWindowsReads(const std::u16string& path, const CArray<tagServer>& servers)
    {
        CProfileDocument document;
        ASSERT_FALSE(document.Load(path).Failed());
        auto both = [&](const std::u16string& section, const std::u16string& key) {
            std::u16string windows = WindowsGetString(section, key, u"(none)", path);
            EXPECT_EQ(windows, document.GetString(section, key).value_or(u"(none)"))
                << ToUtf8(section) << " " << ToUtf8(key);
            return windows;
        };
        EXPECT_EQ(WindowsGetInt(u"ServerInfo", u"ItemCount", -1, path), servers.size());
        ASSERT_FALSE(servers.empty());
        EXPECT_EQ(XorDecrypt(both(u"GlobalInfo", u"LastServerName"), m_boxes), servers[0].strServerName);
        for (size_t i = 0; i < servers.size(); ++i) {
            const tagServer expected = AsLoaded(servers[i]);
            tagServer read;
            read.strServerName = XorDecrypt(both(u"ServerInfo", ItemKey(i + 1)), m_boxes);
            const std::u16string section = Md5Hex(read.strServerName);
            read.strServerAddr = NumberToIp(both(section, u"ServerAddr"));
            read.strServerDomain = XorDecrypt(both(section, u"ServerDomain"), m_boxes);
            EXPECT_EQ(read, expected) << "entry " << i + 1;
        }
    }

    CArray<tagServer> Load(const std::u16string& path)
    {
        CArray<tagServer> loaded;
        EXPECT_FALSE(LoadServerList(Context(), path, loaded).error.Failed());
        return loaded;
    }

    TempDir m_dir;
    ReporterRecorder m_boxes;
};

TEST_F(ServerListAgainstWindows, TwoHundredSavedEntriesReadBackThroughWindows)
{
    const CArray<tagServer> servers = VariedServers(200);
    const std::u16string path = PathOf(u"ServerInfo.ini");
    ASSERT_FALSE(SaveServerList(Context(), path, servers).Failed());

    // A new file has no mark and only ASCII, so Windows reads it alike in every ANSI code page.
    const std::string bytes = m_dir.Read("ServerInfo.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; }));

    ExpectWindowsReads(path, servers);
    const CArray<tagServer> loaded = Load(path);
    ASSERT_EQ(loaded.size(), servers.size());
    for (size_t i = 0; i < servers.size(); ++i)
        EXPECT_EQ(loaded[i], AsLoaded(servers[i])) << "entry " << i + 1;
}

// A file that the client or an editor left in UTF-16LE stays so, and its other lines stay readable.
TEST_F(ServerListAgainstWindows, SaveIntoAUtf16FileKeepsItsMarkAndOtherLines)
{
    m_dir.Write("ServerInfo.ini",
                "\xFF\xFE" + Utf16Le(u"; 客户端设置\r\n[客户端]\r\n标题=星辰大厅\r\n"
                                     u"[ServerInfo]\r\nItemCount=9\r\nItemDescribe1=旧\r\n"));
    const CArray<tagServer> servers = VariedServers(12);
    const std::u16string path = PathOf(u"ServerInfo.ini");
    ASSERT_FALSE(SaveServerList(Context(), path, servers).Failed());
    EXPECT_EQ(m_dir.Read("ServerInfo.ini").substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(WindowsGetString(u"客户端", u"标题", u"(none)", path), u"星辰大厅");
    ExpectWindowsReads(path, servers);
}

// Lines of another program in the ANSI code page keep their bytes, so Windows reads them as before.
TEST_F(ServerListAgainstWindows, SaveIntoAnAnsiFileLeavesItsOtherLinesAsWindowsReadsThem)
{
    // "[客户端]" and "标题=星辰大厅" in code page 936.
    m_dir.Write("ServerInfo.ini",
                "[\xBF\xCD\xBB\xA7\xB6\xCB]\r\n\xB1\xEA\xCC\xE2=\xD0\xC7\xB3\xBD\xB4\xF3\xCC\xFC\r\n");
    const std::u16string path = PathOf(u"ServerInfo.ini");
    const std::u16string before = WindowsGetString(u"客户端", u"标题", u"(none)", path);
    const CArray<tagServer> servers = VariedServers(12);
    ASSERT_FALSE(SaveServerList(Context(), path, servers).Failed());
    EXPECT_EQ(WindowsGetString(u"客户端", u"标题", u"(none)", path), before);
    if (AnsiCodePageIs936()) {
        EXPECT_EQ(before, u"星辰大厅");
    }
    ExpectWindowsReads(path, servers);
}

// The client's writes made through Windows, as the client makes them, then our load.
void WriteThroughWindows(const std::u16string& path, const CArray<tagServer>& servers, CReporter& reporter)
{
    ASSERT_FALSE(servers.empty());
    ASSERT_TRUE(WindowsWriteString(u"ServerInfo", u"ItemCount", u"1", path));
    ASSERT_TRUE(WindowsWriteString(u"GlobalInfo", u"LastServerName",
                                   XorEncrypt(servers[0].strServerName, reporter), path));
    for (size_t i = 0; i < servers.size(); ++i) {
        const tagServer& server = servers[i];
        const std::u16string section = Md5Hex(server.strServerName);
        ASSERT_TRUE(WindowsWriteString(u"ServerInfo", ItemKey(i + 1),
                                       XorEncrypt(server.strServerName, reporter), path));
        // The first address is overwritten by the second write of the key.
        ASSERT_TRUE(WindowsWriteString(section, u"ServerAddr", IpToNumber(u"9.9.9.9"), path));
        ASSERT_TRUE(WindowsWriteString(section, u"ServerAddr", IpToNumber(server.strServerAddr), path));
        ASSERT_TRUE(
            WindowsWriteString(section, u"ServerDomain", XorEncrypt(server.strServerDomain, reporter), path));
    }
    ASSERT_TRUE(WindowsWriteString(u"ServerInfo", u"ItemCount", Number(servers.size()), path));
}

TEST_F(ServerListAgainstWindows, ListWrittenByWindowsLoads)
{
    const CArray<tagServer> servers = VariedServers(40);
    for (const std::string start : {"", "\xFF\xFE"}) {
        const std::u16string name = start.empty() ? u"ansi.ini" : u"utf16.ini";
        if (!start.empty())
            m_dir.Write(ToUtf8(name), start);
        const std::u16string path = PathOf(name);
        WriteThroughWindows(path, servers, m_boxes);
        const CArray<tagServer> loaded = Load(path);
        ASSERT_EQ(loaded.size(), servers.size()) << ToUtf8(name);
        for (size_t i = 0; i < servers.size(); ++i)
            EXPECT_EQ(loaded[i], AsLoaded(servers[i])) << ToUtf8(name) << " entry " << i + 1;
    }
}

} // namespace
