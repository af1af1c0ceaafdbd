#include "CliRunner.h"

#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

std::string Xor(const std::u16string& text)
{
    ReporterRecorder refusals;
    return ToUtf8(XorEncrypt(text, refusals));
}
std::string Section(const std::u16string& name)
{
    return "[" + ToUtf8(Md5Hex(name)) + "]\r\n";
}

bool HasFinding(const std::string& out, const std::string& where, const std::string& problem)
{
    for (const std::string& line : Lines(out)) {
        if (line.rfind(where + ": ", 0) == 0 && line.find(problem) != std::string::npos)
            return true;
    }
    return false;
}

TEST(ServerListCheck, AFileWrittenByTheSaveHasNoFindings)
{
    TempDir dir;
    std::string file = dir.File("ServerInfo.ini");
    ASSERT_EQ(
        RunCli({"serverlist", "import", file}, "A\t1.2.3.4\ta.example.com\nB\t255.255.255.255\t\n").status,
        0);
    std::string before = dir.Read("ServerInfo.ini");
    CliResult result = RunCli({"serverlist", "check", file});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.Read("ServerInfo.ini"), before);
}

TEST(ServerListCheck, ReportsWhatWouldSurpriseAnOperator)
{
    TempDir dir;
    std::u16string longDomain(40, u'd');
    std::string ini = "[GlobalInfo]\r\nLastServerName=\r\n"
                      "[ServerInfo]\r\nItemCount=6\r\n"
                      "ItemDescribe1=" +
                      Xor(u"Alpha") +
                      "\r\n"
                      "ItemDescribe2=PlainName\r\n"
                      "ItemDescribe3=" +
                      Xor(u"Alpha") +
                      "\r\n"
                      "ItemDescribe4=" +
                      Xor(u"Beta") +
                      "\r\n"
                      "ItemDescribe9=" +
                      Xor(u"Old") + "\r\n" + Section(u"Alpha") +
                      "ServerAddr=4294967296\r\nServerDomain=" + Xor(u"a.example.com") + "\r\n" +
                      Section(u"Beta") + "ServerAddr=16777343\r\nServerDomain=" + Xor(longDomain) + "\r\n" +
                      Section(u"Gone") + "ServerAddr=1\r\nServerDomain=\r\n";
    dir.Write("ServerInfo.ini", ini);
    std::string file = dir.File("ServerInfo.ini");
    CliResult result = RunCli({"serverlist", "check", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "") << "the decoder's messages become findings";
    const std::string& out = result.out;
    EXPECT_TRUE(
        HasFinding(out, "entry 1 (ItemDescribe2) name", "cannot be decoded: 解密字符不能少于64个哦~亲"))
        << out;
    EXPECT_TRUE(HasFinding(out, "entry 0 (ItemDescribe1) address", "\"4294967296\" loads as \"0.0.0.256\""))
        << out;
    EXPECT_TRUE(HasFinding(out, "entry 3 (ItemDescribe4) domain", "has 40 characters")) << out;
    EXPECT_TRUE(HasFinding(out, "entries 0, 2", "share the name \"Alpha\"")) << out;
    EXPECT_TRUE(HasFinding(out, "[ServerInfo] ItemCount",
                           "is 6 but 2 of its items are missing (ItemDescribe5, "
                           "ItemDescribe6)"))
        << out;
    EXPECT_TRUE(HasFinding(out, "[ServerInfo] ItemDescribe9", "is not read by the load (ItemCount is 6)"))
        << out;
    EXPECT_TRUE(HasFinding(out, "[" + ToUtf8(Md5Hex(u"Gone")) + "]", "is not the section of any entry"))
        << out;
    // The undecodable name's entry looks for the section of the empty name, which is missing.
    EXPECT_TRUE(
        HasFinding(out, "entry 1 (ItemDescribe2)", "its section [" + ToUtf8(Md5Hex(u"")) + "] is missing"))
        << out;
    // Entry 2 shares entry 0's section, so it reads the same address.
    EXPECT_TRUE(HasFinding(out, "entry 2 (ItemDescribe3) address", "loads as \"0.0.0.256\"")) << out;
    EXPECT_EQ(Lines(out).size(), 9u) << out;
    EXPECT_EQ(dir.Read("ServerInfo.ini"), ini) << "the check never changes the file";
}

TEST(ServerListCheck, FindingsAsJson)
{
    TempDir dir;
    dir.Write("ServerInfo.ini", "[ServerInfo]\r\nItemCount=3\r\nItemDescribe1=" + Xor(u"A") + "\r\n" +
                                    Section(u"A") +
                                    "ServerAddr=-1\r\nServerDomain=\r\n[Section]\r\n[section]\r\n");
    CliResult result = RunCli({"serverlist", "check", dir.File("ServerInfo.ini"), "--json"});
    EXPECT_EQ(result.status, 1);
    nlohmann::json findings = nlohmann::json::parse(result.out);
    ASSERT_EQ(findings.size(), 4u) << result.out;
    EXPECT_EQ(findings[0]["where"], "entry 0 (ItemDescribe1) address");
    EXPECT_EQ(findings[0]["problem"],
              "\"-1\" loads as \"你所输入的信息有误\", not a dotted quad of numbers from 0 to 255");
    EXPECT_EQ(findings[1]["where"], "[ServerInfo] ItemCount");
    EXPECT_NE(findings[1]["problem"].get<std::string>().find("ItemDescribe2 to ItemDescribe3"),
              std::string::npos);
    EXPECT_EQ(findings[2]["where"], "[Section]");
    EXPECT_EQ(findings[3]["where"], "[section]");
    EXPECT_EQ(findings[3]["problem"], "stands a second time in the file: only the first is read");
}

TEST(ServerListCheck, ValuesTheClientCannotReadBack)
{
    TempDir dir;
    // 33 characters make 320 digits, more than a 259-character reader takes; a name that declares 70
    // characters could never have been written by the encoder.
    std::string declaresSeventy = "0046" + std::string(60, '0');
    dir.Write("ServerInfo.ini",
              "[ServerInfo]\r\nItemCount=2\r\nItemDescribe1=" + Xor(std::u16string(33, u'n')) +
                  "\r\nItemDescribe2=" + declaresSeventy + "\r\n" + Section(std::u16string(33, u'n')) +
                  "ServerAddr=0\r\nServerDomain=\r\n" + Section(u"") + "ServerAddr=0\r\nServerDomain=\r\n");
    CliResult result = RunCli({"serverlist", "check", dir.File("ServerInfo.ini")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(HasFinding(result.out, "entry 0 (ItemDescribe1) name",
                           "has 33 characters (more than 32): its XOR text of 320 characters is cut to 259"))
        << result.out;
    EXPECT_TRUE(HasFinding(result.out, "entry 1 (ItemDescribe2) name", "declares 70 characters"))
        << result.out;
    EXPECT_TRUE(
        HasFinding(result.out, "entry 1 (ItemDescribe2) name", "cannot be decoded: 解密数据还是不符合要求"))
        << result.out;
}

TEST(ServerListCheck, AMissingFileIsAFileError)
{
    TempDir dir;
    CliResult result = RunCli({"serverlist", "check", dir.File("none.ini")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, dir.File("none.ini") + " 包含错误的路径。\nkorvane-cli: " + dir.File("none.ini") +
                              ": No such file or directory\n");
    EXPECT_EQ(result.out, "");
}

} // namespace
