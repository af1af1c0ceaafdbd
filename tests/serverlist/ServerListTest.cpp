#include "serverlist/ServerList.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/Cp936.h"
#include "framework/FileSystem.h"
#include "framework/Path.h"
#include "framework/PrivateProfile.h"
#include "framework/Random.h"
#include "framework/WideText.h"

#include "support/ReporterRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// Found by argument lookup, so it stands beside tagServer.
void PrintTo(const tagServer& s, std::ostream* os)
{
    *os << "{" << ToUtf8(s.strServerName) << ", " << ToUtf8(s.strServerAddr) << ", "
        << ToUtf8(s.strServerDomain) << "}";
}

namespace {

const std::u16string kTooLongToEncrypt = u"加密字符不能超过64个字符哦~亲";

std::string A(const std::u16string& text)
{
    return ToUtf8(text);
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

class ServerListTest : public ::testing::Test
{
protected:
    void SetUp() override { CrtResetRandom(); }

    std::u16string Path() const { return m_dir.FileW(u"ServerInfo.ini"); }
    std::string File() const { return m_dir.Read("ServerInfo.ini"); }
    void SetFile(const std::string& bytes) const { m_dir.Write("ServerInfo.ini", bytes); }

    CArray<tagServer> SaveAndLoad(const CArray<tagServer>& servers)
    {
        EXPECT_FALSE(SaveServerList(Context(), Path(), servers).Failed());
        CArray<tagServer> loaded;
        LoadServerList(Context(), Path(), loaded);
        return loaded;
    }

    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    TempDir m_dir;
    ReporterRecorder m_boxes;
};

const CArray<tagServer> kTwoServers = {{u"N1", u"1.2.3.4", u"D1"}, {u"N2", u"10.0.0.1", u"D2"}};

} // namespace

// ---- save ----

TEST_F(ServerListTest, NewFileHoldsTheWritesInTheirOrder)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), kTwoServers).Failed());

    // The keys come from the generator in the order of the writes.
    CrtResetRandom();
    std::u16string last = XorEncrypt(u"N1", m_boxes), item1 = XorEncrypt(u"N1", m_boxes),
                   domain1 = XorEncrypt(u"D1", m_boxes);
    std::u16string item2 = XorEncrypt(u"N2", m_boxes), domain2 = XorEncrypt(u"D2", m_boxes);
    EXPECT_NE(last, item1);
    std::string expected =
        "[GlobalInfo]\r\nLastServerName=" + A(last) + "\r\n" +
        "[ServerInfo]\r\nItemCount=2\r\nItemDescribe1=" + A(item1) + "\r\n" + "ItemDescribe2=" + A(item2) +
        "\r\n" + "[" + A(Md5Hex(u"N1")) + "]\r\nServerAddr=67305985\r\nServerDomain=" + A(domain1) + "\r\n" +
        "[" + A(Md5Hex(u"N2")) + "]\r\nServerAddr=16777226\r\nServerDomain=" + A(domain2) + "\r\n";
    EXPECT_EQ(File(), expected);
    EXPECT_EQ(XorDecrypt(last, m_boxes), u"N1");
    EXPECT_EQ(XorDecrypt(item2, m_boxes), u"N2");
}

TEST_F(ServerListTest, SaveGivesTheBytesOfSeparateProfileWrites)
{
    const std::string start = "; client list\n[ServerInfo]\nItemCount=5\nItemDescribe1=x\n\n[GlobalInfo]\n"
                              "LastServerName=y\r\n[Extra]\r\nkeep=1";
    const CArray<tagServer> servers = {
        {u"甲服", u"1.2.3.4", u"a.example"}, {u"乙服", u"5.6.7.8", u""}, {u"甲服", u"9.9.9.9", u"b.example"}};
    SetFile(start);
    ASSERT_FALSE(SaveServerList(Context(), Path(), servers).Failed());
    std::string once = File();

    SetFile(start);
    CrtResetRandom();
    WritePrivateProfileStringW(u"GlobalInfo", u"LastServerName",
                               XorEncrypt(servers[0].strServerName, m_boxes), Path());
    WritePrivateProfileStringW(u"ServerInfo", u"ItemCount", u"3", Path());
    for (size_t i = 0; i < servers.size(); ++i) {
        std::u16string key = u"ItemDescribe" + FromUtf8(std::to_string(i + 1));
        WritePrivateProfileStringW(u"ServerInfo", key, XorEncrypt(servers[i].strServerName, m_boxes), Path());
        std::u16string section = Md5Hex(servers[i].strServerName);
        WritePrivateProfileStringW(section, u"ServerAddr", IpToNumber(servers[i].strServerAddr), Path());
        WritePrivateProfileStringW(section, u"ServerDomain", XorEncrypt(servers[i].strServerDomain, m_boxes),
                                   Path());
    }
    EXPECT_EQ(once, File());
    EXPECT_TRUE(once.starts_with("; client list\n[ServerInfo]\nItemCount=3\n"));
    EXPECT_NE(once.find("\r\n[Extra]\r\nkeep=1\r\n["), std::string::npos);
}

TEST_F(ServerListTest, EmptyArrayWritesOnlyAnEmptyLastServerName)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), {}).Failed());
    EXPECT_EQ(File(), "[GlobalInfo]\r\nLastServerName=\r\n");

    ASSERT_FALSE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    std::string before = File();
    ASSERT_FALSE(SaveServerList(Context(), Path(), {}).Failed());
    std::string after = File();
    std::vector<std::string> beforeLines = Lines(before), afterLines = Lines(after);
    ASSERT_EQ(beforeLines.size(), afterLines.size());
    EXPECT_EQ(afterLines[1], "LastServerName=");
    beforeLines[1] = afterLines[1];
    EXPECT_EQ(beforeLines, afterLines);

    CArray<tagServer> loaded;
    LoadServerList(Context(), Path(), loaded);
    EXPECT_EQ(loaded, kTwoServers);
}

TEST_F(ServerListTest, SavingTwiceChangesOnlyTheXorTexts)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    std::vector<std::string> first = Lines(File());
    ASSERT_FALSE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    std::vector<std::string> second = Lines(File());
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        bool xorText = first[i].starts_with("LastServerName=") || first[i].starts_with("ItemDescribe") ||
                       first[i].starts_with("ServerDomain=");
        if (xorText)
            EXPECT_NE(first[i], second[i]);
        else
            EXPECT_EQ(first[i], second[i]);
    }
}

TEST_F(ServerListTest, NameOf64CharactersAtIndexZeroIsRefusedTwice)
{
    const std::u16string longName(64, u'n');
    m_boxes.Expect(IDOK, 3);
    ASSERT_FALSE(SaveServerList(Context(), Path(),
                                {{longName, u"1.2.3.4", u"d"}, {u"ok", u"5.6.7.8", std::u16string(70, u'd')}})
                     .Failed());
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>(3, kTooLongToEncrypt));
    std::string file = File();
    EXPECT_NE(file.find("LastServerName=\r\n"), std::string::npos);
    EXPECT_NE(file.find("ItemDescribe1=\r\n"), std::string::npos);
    // The server's own section is still named by its full name.
    EXPECT_NE(file.find("[" + A(Md5Hex(longName)) + "]\r\nServerAddr=67305985\r\n"), std::string::npos);

    m_boxes.Clear();
    CArray<tagServer> loaded;
    LoadServerList(Context(), Path(), loaded);
    EXPECT_TRUE(m_boxes.Shown().empty());
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], (tagServer{u"", u"0.0.0.0", u""}));
    EXPECT_EQ(loaded[1], (tagServer{u"ok", u"5.6.7.8", u""}));
}

TEST_F(ServerListTest, SameNameSharesOneSection)
{
    CArray<tagServer> loaded = SaveAndLoad({{u"same", u"1.1.1.1", u"one"}, {u"same", u"2.2.2.2", u"two"}});
    CArray<tagServer> expected = {{u"same", u"2.2.2.2", u"two"}, {u"same", u"2.2.2.2", u"two"}};
    EXPECT_EQ(loaded, expected);
    std::string file = File();
    std::string header = "[" + A(Md5Hex(u"same")) + "]";
    EXPECT_EQ(file.find(header), file.rfind(header));
}

TEST_F(ServerListTest, FewerEntriesLeaveStaleKeysAndSections)
{
    CArray<tagServer> three = {{u"a", u"1.1.1.1", u"x"}, {u"b", u"2.2.2.2", u"y"}, {u"c", u"3.3.3.3", u"z"}};
    ASSERT_FALSE(SaveServerList(Context(), Path(), three).Failed());
    CArray<tagServer> renamed = {{u"a2", u"1.1.1.1", u"x"}};
    CArray<tagServer> loaded = SaveAndLoad(renamed);
    EXPECT_EQ(loaded, renamed);
    std::string file = File();
    EXPECT_NE(file.find("ItemCount=1\r\n"), std::string::npos);
    EXPECT_NE(file.find("ItemDescribe3="), std::string::npos);
    for (const char16_t* name : {u"a", u"b", u"c", u"a2"})
        EXPECT_NE(file.find("[" + A(Md5Hex(name)) + "]"), std::string::npos) << A(name);
}

TEST_F(ServerListTest, ReadOnlyFileIsReportedAndKept)
{
    SetFile("[ServerInfo]\r\nItemCount=0\r\n");
    std::filesystem::permissions(m_dir.File("ServerInfo.ini"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    EXPECT_EQ(File(), "[ServerInfo]\r\nItemCount=0\r\n");
}

TEST_F(ServerListTest, MissingFolderOrNoPathIsReported)
{
    EXPECT_TRUE(SaveServerList(Context(), m_dir.FileW(u"gone/ServerInfo.ini"), kTwoServers).Failed());
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("gone")));
    EXPECT_TRUE(SaveServerList(Context(), u"", kTwoServers).Failed());
}

TEST_F(ServerListTest, UnreadableFileIsNotOverwritten)
{
    std::filesystem::create_directory(m_dir.File("ServerInfo.ini"));
    EXPECT_TRUE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.File("ServerInfo.ini")));
}

// ---- load ----

TEST_F(ServerListTest, RoundTripKeepsEntriesAndOrder)
{
    CArray<tagServer> servers = {{u"电信一区", u"192.168.0.1", u"game.example.com"},
                                 {u"网通二区", u"255.255.255.255", u"x"},
                                 {std::u16string(32, u'N'), u"0.0.0.0", std::u16string(32, u'D')},
                                 {u"empty domain", u"127.0.0.1", u""}};
    EXPECT_EQ(SaveAndLoad(servers), servers);
}

TEST_F(ServerListTest, NamesAndDomainsOf33To63CharactersLoadBack)
{
    CArray<tagServer> servers;
    for (size_t length : {33u, 40u, 48u, 57u, 63u})
        servers.push_back({std::u16string(length, u'名'), u"1.2.3.4", std::u16string(length, u'd')});
    EXPECT_EQ(SaveAndLoad(servers), servers);
}

TEST_F(ServerListTest, LoadReplacesTheWholeArray)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), kTwoServers).Failed());
    CArray<tagServer> servers = {{u"old", u"", u""}, {u"older", u"", u""}, {u"oldest", u"", u""}};
    LoadServerList(Context(), Path(), servers);
    EXPECT_EQ(servers, kTwoServers);
    LoadServerList(Context(), m_dir.FileW(u"missing.ini"), servers);
    EXPECT_TRUE(servers.empty());
}

TEST_F(ServerListTest, CountAbsentZeroNegativeOrNotANumberGivesNoEntries)
{
    std::string item = "ItemDescribe1=" + A(XorEncrypt(u"x", m_boxes)) + "\r\n";
    for (std::string count : {"", "ItemCount=0\r\n", "ItemCount=-2\r\n", "ItemCount=many\r\n"}) {
        SetFile("[ServerInfo]\r\n" + count + item);
        CArray<tagServer> servers = {{u"stale", u"", u""}};
        LoadServerList(Context(), Path(), servers);
        EXPECT_TRUE(servers.empty()) << count;
    }
    SetFile("[GlobalInfo]\r\nLastServerName=\r\n");
    CArray<tagServer> servers = {{u"stale", u"", u""}};
    LoadServerList(Context(), Path(), servers);
    EXPECT_TRUE(servers.empty());
}

TEST_F(ServerListTest, CountBeyondTheStoredItemsGivesEmptyEntries)
{
    ASSERT_FALSE(SaveServerList(Context(), Path(), {{u"one", u"1.2.3.4", u"d"}}).Failed());
    WritePrivateProfileStringW(u"ServerInfo", u"ItemCount", u"3", Path());
    CArray<tagServer> servers;
    LoadServerList(Context(), Path(), servers);
    CArray<tagServer> expected = {{u"one", u"1.2.3.4", u"d"}, {u"", u"0.0.0.0", u""}, {u"", u"0.0.0.0", u""}};
    EXPECT_EQ(servers, expected);

    // The missing items all read the section of the empty name.
    WritePrivateProfileStringW(Md5Hex(u""), u"ServerAddr", u"16777226", Path());
    LoadServerList(Context(), Path(), servers);
    ASSERT_EQ(servers.size(), 3u);
    EXPECT_EQ(servers[1].strServerAddr, u"10.0.0.1");
    EXPECT_EQ(servers[2].strServerAddr, u"10.0.0.1");
}

// The margin over the stored items, at its edge: a count up to it loads whole, one more is cut to the
// items plus the margin.
TEST_F(ServerListTest, CountAtTheMarginLoadsWholeAndOneMoreIsCut)
{
    const struct
    {
        std::string file;
        size_t loaded;
        bool bCut;
    } cases[] = {{"[ServerInfo]\r\nItemCount=10000\r\n", 10000, false},
                 {"[ServerInfo]\r\nItemCount=10001\r\n", 10000, true},
                 {"[ServerInfo]\r\nItemCount=10001\r\nItemDescribe7=\r\n", 10001, false},
                 {"[ServerInfo]\r\nItemCount=10002\r\nitemdescribe7=\r\n", 10001, true}};
    for (const auto& c : cases) {
        SetFile(c.file);
        if (c.bCut)
            m_boxes.Expect();
        CArray<tagServer> servers;
        tagServerListLoad load = LoadServerList(Context(), Path(), servers);
        EXPECT_EQ(servers.size(), c.loaded) << c.file;
        EXPECT_EQ(load.nLoadedCount, std::int64_t(c.loaded));
        EXPECT_EQ(m_boxes.Shown().size(), c.bCut ? 1u : 0u) << c.file;
        m_boxes.Clear();
    }
}

TEST_F(ServerListTest, PlainTextNameShowsTheDecoderMessageAndLoadsEmpty)
{
    SetFile("[ServerInfo]\r\nItemCount=2\r\nItemDescribe1=PlainName\r\nItemDescribe2=" +
            A(XorEncrypt(u"ok", m_boxes)) + "\r\n[" + A(Md5Hex(u"ok")) + "]\r\nServerAddr=67305985\r\n");
    m_boxes.Expect();
    CArray<tagServer> servers;
    LoadServerList(Context(), Path(), servers);
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>{u"解密字符不能少于64个哦~亲"});
    CArray<tagServer> expected = {{u"", u"0.0.0.0", u""}, {u"ok", u"1.2.3.4", u""}};
    EXPECT_EQ(servers, expected);
}

TEST_F(ServerListTest, MessagesOfNamesAndDomainsComeInTheOrderOfTheEntries)
{
    // An XOR text that says it holds more characters than it does: decoding reports it and goes on.
    auto mismatched = [this](const std::u16string& plain) {
        std::u16string text = XorEncrypt(plain, m_boxes);
        text.replace(0, 4, u"0009");
        return text;
    };
    const std::u16string tooShort = u"short";
    const std::u16string notMultipleOf8(65, u'0');
    struct Entry
    {
        std::u16string name;   // as stored
        std::u16string domain; // as stored
    };
    std::vector<Entry> entries;
    for (int i = 1; i <= 9; ++i) {
        const std::u16string number = FromUtf8(std::to_string(i));
        entries.push_back(
            {XorEncrypt(u"名" + number, m_boxes), XorEncrypt(u"d" + number + u".example.com", m_boxes)});
    }
    // Four entries whose names all read quietly, then four with one that does not, then one more.
    entries[0].domain = tooShort;
    entries[2].domain = mismatched(u"d3");
    entries[4].domain = tooShort;
    entries[5].name = notMultipleOf8;
    entries[6].domain = mismatched(u"d7");
    entries[8].name = u"PlainName";

    ReporterRecorder scratch;
    scratch.Expect(IDOK, 100);
    std::string file = "[ServerInfo]\r\nItemCount=9\r\n";
    std::string sections;
    CArray<tagServer> expected;
    for (size_t i = 0; i < entries.size(); ++i) {
        file += "ItemDescribe" + std::to_string(i + 1) + "=" + A(entries[i].name) + "\r\n";
        const std::u16string name = XorDecrypt(entries[i].name, scratch);
        if (name.empty()) {
            expected.push_back({u"", u"0.0.0.0", u""});
            continue;
        }
        sections += "[" + A(Md5Hex(name)) +
                    "]\r\nServerAddr=67305985\r\nServerDomain=" + A(entries[i].domain) + "\r\n";
        expected.push_back({name, u"1.2.3.4", XorDecrypt(entries[i].domain, scratch)});
    }
    SetFile(file + sections);

    m_boxes.Expect(IDOK, 6);
    CArray<tagServer> servers;
    LoadServerList(Context(), Path(), servers);
    EXPECT_EQ(m_boxes.Texts(),
              (std::vector<std::u16string>{
                  u"解密字符不能少于64个哦~亲", u"解密数据还是不符合要求.不过能到这里来...算你牛!",
                  u"解密字符不能少于64个哦~亲", u"解密字符必须是8的倍数哦~亲",
                  u"解密数据还是不符合要求.不过能到这里来...算你牛!", u"解密字符不能少于64个哦~亲"}));
    EXPECT_EQ(servers, expected);
}

TEST_F(ServerListTest, AddressesLoadAsTheCodecReadsTheirText)
{
    // As others may write them: quoted, with blanks, signs, long runs of digits, digits of other scripts.
    const std::vector<std::u16string> values = {
        u"67305985",   u"\"67305985\"",          u"  67305985  ",     u"+67305985", u"-1",   u"",
        u"4294967296", std::u16string(40, u'9'), u"６７３０５９８５", u"0x10",      u"12 34"};
    std::u16string file = u"[ServerInfo]\r\nItemCount=" + FromUtf8(std::to_string(values.size())) + u"\r\n";
    std::u16string sections;
    for (size_t i = 0; i < values.size(); ++i) {
        const std::u16string name = u"s" + FromUtf8(std::to_string(i));
        file +=
            u"ItemDescribe" + FromUtf8(std::to_string(i + 1)) + u"=" + XorEncrypt(name, m_boxes) + u"\r\n";
        sections += u"[" + Md5Hex(name) + u"]\r\nServerAddr=" + values[i] + u"\r\n";
    }
    SetFile(Cp936EncodeBestFit(file + sections));
    CArray<tagServer> servers;
    LoadServerList(Context(), Path(), servers);
    ASSERT_EQ(servers.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        std::u16string read(values[i]);
        read.erase(0, read.find_first_not_of(u' '));
        read.erase(read.find_last_not_of(u' ') + 1);
        if (read.size() >= 2 && read.front() == u'"' && read.back() == u'"')
            read = read.substr(1, read.size() - 2);
        EXPECT_EQ(servers[i].strServerAddr, NumberToIp(read)) << A(values[i]);
    }
}

TEST_F(ServerListTest, FileWrittenByOthersInAnyCaseAndEncodingLoads)
{
    std::u16string text = u"[serverinfo]\r\nitemcount=1\r\nitemdescribe1=" + XorEncrypt(u"区", m_boxes) +
                          u"\r\n[" + Md5Hex(u"区") + u"]\r\nserveraddr=\"67305985\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    SetFile(bytes);
    CArray<tagServer> servers;
    LoadServerList(Context(), Path(), servers);
    EXPECT_EQ(servers, (CArray<tagServer>{{u"区", u"1.2.3.4", u""}}));
}

TEST_F(ServerListTest, AddressThatIsNoDottedQuadGoesThroughTheCodec)
{
    CArray<tagServer> loaded = SaveAndLoad({{u"s", u"300.1", u""}});
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_NE(File().find("ServerAddr=" + A(IpToNumber(u"300.1")) + "\r\n"), std::string::npos);
    EXPECT_EQ(loaded[0].strServerAddr, NumberToIp(IpToNumber(u"300.1")));
}

// ---- lookup beside the program ----

class FindFileInModuleDirTest : public ::testing::Test
{
protected:
    void SetUp() override { SetModuleDirectoryForTests(m_dir.PathW()); }
    void TearDown() override { SetModuleDirectoryForTests(u""); }
    TempDir m_dir;
};

TEST_F(FindFileInModuleDirTest, FindsTheFileWhateverTheCaseOfItsName)
{
    m_dir.Write("ServerInfo.INI", "[ServerInfo]\r\n");
    std::u16string path = u"unchanged";
    ASSERT_TRUE(FindFileInModuleDir(u"ServerInfo.ini", path));
    EXPECT_EQ(path, JoinPath(m_dir.PathW(), u"ServerInfo.INI"));
}

TEST_F(FindFileInModuleDirTest, MissingFileLeavesThePath)
{
    m_dir.Write("Other.ini", "");
    std::filesystem::create_directory(m_dir.File("serverinfo.ini"));
    std::u16string path = u"unchanged";
    EXPECT_FALSE(FindFileInModuleDir(u"ServerInfo.ini", path));
    EXPECT_EQ(path, u"unchanged");
}
