// The bytes a save leaves and the entries a load makes, pinned against files kept under tests/data/: the
// keys come from a freshly reset generator, so every XOR text of a save is known in advance.
#include "serverlist/ServerList.h"

#include "serverlist/ParsedListMemo.h"

#include "framework/Random.h"
#include "framework/WideText.h"

#include "support/ReporterRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Defined beside the other server list tests.
void PrintTo(const tagServer& s, std::ostream* os);

namespace {

const std::u16string kTooLongToEncrypt = u"加密字符不能超过64个字符哦~亲";

std::string Pinned(const std::string& name)
{
    std::ifstream in(TestDataPath("serverlist/" + name), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing fixture " << name;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The first line where two files part, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    size_t lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    return "byte " + std::to_string(at) + ", line starting \"" + expected.substr(lineStart, 60) + "\"";
}

std::string Utf16Le(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// A file another program kept: comments, blanks, every line end, names in other cases and spacing, a
// duplicated section, a "[" line that opens nothing, bytes that are not code page 936, no final break.
const std::string kMixedFile = "; \xB7\xFE\xCE\xF1\xC6\xF7\xC1\xD0\xB1\xED\r\n" // "; 服务器列表"
                               "\r\n"
                               "[globalinfo]\n"
                               "LastServerName = old\n"
                               "Theme=\"\xC0\xB6\xC9\xAB\"\r\n" // "蓝色"
                               "[ServerInfo]\r"
                               "itemcount=9\r"
                               "ItemDescribe1=stale\r\n"
                               "itemdescribe3 = 'quoted'\r\n"
                               "; items end here\r\n"
                               "\r\n"
                               "[Unrelated\r\n"
                               "raw=\x81\x20\xFF\r\n"
                               "[ a67e913bc4aa7fd7f5f87ef597aa1b0c ]\r\n" // "Netcom" in lower case
                               " serveraddr = 1\r\n"
                               "ServerDomain=\r\n"
                               "; its comment\r\n"
                               "[ServerInfo]\r\n"
                               "ItemDescribe2=second copy, never read\r\n"
                               "[Tail]\r\n"
                               "last=no break";

CArray<tagServer> MixedServers()
{
    return {
        {u"电信一区", u"192.168.0.1", u"tel.example.com"},
        {u"Netcom", u"10.0.0.1", u""},
        {u"", u"1.2.3.4", u"nameless.example"},
        {std::u16string(63, u'长'), u"255.255.255.255", std::u16string(63, u'd')},
        {u"电信一区", u"8.8.8.8", u"again.example"},
        {u"ไทย", u"300.1", u"thai"},
        {u"refused domain", u"a.b", std::u16string(64, u'x')},
        {u"x", u"", u"\U0001F600"},
    };
}

// One entry per name length from 0 to 63, with addresses and domains that vary with it.
CArray<tagServer> ManyServers()
{
    CArray<tagServer> servers;
    for (int n = 0; n < 64; ++n) {
        std::u16string name;
        for (int i = 0; i < n; ++i)
            name.push_back(i % 3 == 0 ? u'区' : static_cast<char16_t>(u'a' + (n + i) % 26));
        std::u16string address = FromUtf8("10." + std::to_string(n) + ".0." + std::to_string(255 - n));
        servers.push_back({name, address, std::u16string(static_cast<size_t>(63 - n), u'm')});
    }
    return servers;
}

class ServerListBytesTest : public ::testing::Test
{
protected:
    void SetUp() override { CrtResetRandom(); }

    std::u16string Path() const { return m_dir.FileW(u"ServerInfo.ini"); }
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    void ExpectFile(const std::string& fixture)
    {
        std::string actual = m_dir.Read("ServerInfo.ini");
        std::string expected = Pinned(fixture);
        EXPECT_EQ(actual.size(), expected.size());
        EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
    }

    // The bytes that saving `servers` over a file of `bytes` gives when nothing was loaded from that
    // file before, from a fresh generator.
    std::string SavedAlone(const std::string& bytes, const CArray<tagServer>& servers)
    {
        m_dir.Write("Alone.ini", bytes);
        ForgetParsedList(); // a save alone has nothing kept from an earlier one
        CrtResetRandom();
        EXPECT_FALSE(SaveServerList(Context(), m_dir.FileW(u"Alone.ini"), servers).Failed());
        return m_dir.Read("Alone.ini");
    }

    // Loads ServerInfo.ini, lets `change` act on the entries and the file, saves from a fresh generator.
    template <typename Change> std::string LoadChangeSave(Change change)
    {
        CArray<tagServer> servers;
        LoadServerList(Context(), Path(), servers);
        change(servers);
        CrtResetRandom();
        EXPECT_FALSE(SaveServerList(Context(), Path(), servers).Failed());
        return m_dir.Read("ServerInfo.ini");
    }

    TempDir m_dir;
    ReporterRecorder m_boxes;
};

} // namespace

TEST_F(ServerListBytesTest, SaveOverAMixedAnsiFile)
{
    m_dir.Write("ServerInfo.ini", kMixedFile);
    m_boxes.Expect();
    ASSERT_FALSE(SaveServerList(Context(), Path(), MixedServers()).Failed());
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>{kTooLongToEncrypt});
    ExpectFile("mixed-saved.ini");
    // The next draw shows that the save took exactly the keys it always took.
    EXPECT_EQ(CrtRand(), 27753); // the 143rd draw: 142 keys and padding values
}

TEST_F(ServerListBytesTest, SaveOverAUtf16FileWithAnOddLastByte)
{
    m_dir.Write("ServerInfo.ini", Utf16Le(u"[ServerInfo]\r\nItemCount=0\r\n[Other]\r\nk=v") + "\x41");
    ASSERT_FALSE(SaveServerList(Context(), Path(), {MixedServers()[0], MixedServers()[1]}).Failed());
    ExpectFile("utf16-saved.ini");
}

TEST_F(ServerListBytesTest, SaveOfManyEntriesIntoANewFile)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), ManyServers()).Failed());
    ExpectFile("many-saved.ini");
}

TEST_F(ServerListBytesTest, LoadOfThePinnedFilesGivesTheirEntries)
{
    m_dir.Write("ServerInfo.ini", Pinned("many-saved.ini"));
    CArray<tagServer> loaded;
    LoadServerList(Context(), Path(), loaded);
    EXPECT_EQ(loaded, ManyServers());

    // Entries that share a section read the last one's address and domain; a refused text loads empty.
    m_dir.Write("ServerInfo.ini", Pinned("mixed-saved.ini"));
    LoadServerList(Context(), Path(), loaded);
    CArray<tagServer> expected = MixedServers();
    expected[0] = {u"电信一区", u"8.8.8.8", u"again.example"};
    expected[3].strServerAddr = u"255.255.255.255";
    expected[5].strServerAddr = u"44.2.0.0"; // 300 + 1 * 256, read back byte by byte
    expected[6] = {u"refused domain", u"0.0.0.0", u""};
    expected[7].strServerAddr = u"0.0.0.0";
    ASSERT_EQ(loaded.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(loaded[i], expected[i]) << i;
    EXPECT_TRUE(m_boxes.Shown().empty());
}

// A save after a load reuses what the load parsed only while the file is as the load found it.
TEST_F(ServerListBytesTest, ASaveAfterALoadWritesWhatASaveAloneWrites)
{
    const std::string start = Pinned("many-saved.ini");
    m_dir.Write("ServerInfo.ini", start);
    CArray<tagServer> edited;
    std::string saved = LoadChangeSave([&](CArray<tagServer>& servers) {
        ASSERT_EQ(servers.size(), 64u);
        servers[0].strServerAddr = u"10.0.0.0";
        servers[5].strServerName = servers[6].strServerName; // another name, and so another section
        servers[7].strServerName = u"新的名字";              // a name without a section yet
        servers.erase(servers.begin() + 9);
        edited = servers;
    });
    // Saved again at once over the file that the last save left, with what that save kept: the same
    // names, then one of them changed, then changed back. Each save keeps the names it wrote, not those
    // it was given the sections of. Compared afterwards, as a save of another file keeps that file.
    struct tagRun
    {
        std::string before, after;
        CArray<tagServer> servers;
    };
    std::vector<tagRun> runs = {{start, saved, edited}};
    const std::u16string name = edited[3].strServerName;
    for (const std::u16string& changed : {name, edited[2].strServerName, name}) {
        tagRun run{m_dir.Read("ServerInfo.ini"), "", edited};
        run.servers[3].strServerName = changed;
        CrtResetRandom();
        ASSERT_FALSE(SaveServerList(Context(), Path(), run.servers).Failed());
        run.after = m_dir.Read("ServerInfo.ini");
        runs.push_back(run);
    }
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_TRUE(runs[i].after == SavedAlone(runs[i].before, runs[i].servers)) << "save " << i;
}

TEST_F(ServerListBytesTest, AFileChangedBetweenLoadAndSaveIsReadAsItIsNow)
{
    const std::string start = Pinned("many-saved.ini") + "[Other]\r\nkey=value\r\n";
    // Changes that the save leaves alone, made by another program after the load: one of the same
    // length, one that adds a key.
    std::string sameLength = start;
    sameLength[sameLength.rfind("value")] = 'V';
    const std::string longer = start + "more=1\r\n";
    for (const std::string& changed : {sameLength, longer}) {
        m_dir.Write("ServerInfo.ini", start);
        CArray<tagServer> loaded;
        std::string saved = LoadChangeSave([&](CArray<tagServer>& servers) {
            m_dir.Write("ServerInfo.ini", changed);
            loaded = servers;
        });
        EXPECT_TRUE(saved == SavedAlone(changed, loaded));
    }
}

// The save finds a change anywhere in a file longer than one read of its compare, and a file cut short.
TEST_F(ServerListBytesTest, AChangeAnywhereInALongFileIsFound)
{
    const std::string start =
        "; c\r\n" + Pinned("many-saved.ini") + "[Other]\r\nkey=" + std::string(70000, 'v') + "\r\n";
    std::string firstByte = start;
    firstByte[2] = 'd';
    std::string lastLine = start;
    lastLine[lastLine.size() - 3] = 'w';
    const std::string shorter = start.substr(0, start.size() - 2);
    for (const std::string& changed : {firstByte, lastLine, shorter}) {
        m_dir.Write("ServerInfo.ini", start);
        CArray<tagServer> loaded;
        std::string saved = LoadChangeSave([&](CArray<tagServer>& servers) {
            m_dir.Write("ServerInfo.ini", changed);
            loaded = servers;
        });
        EXPECT_TRUE(saved == SavedAlone(changed, loaded))
            << FirstDifference(SavedAlone(changed, loaded), saved);
    }
}
