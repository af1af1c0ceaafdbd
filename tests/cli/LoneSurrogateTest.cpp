#include "CliRunner.h"

#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kLone(1, char16_t(0xD801));

std::string Xor(const std::u16string& text)
{
    ReporterRecorder refusals;
    return ToUtf8(XorEncrypt(text, refusals));
}

std::string Diagnostic(const std::string& what, const std::string& json = "--json")
{
    return "korvane-cli: " + what + " holds the lone surrogate D801, which UTF-8 cannot carry; " + json +
           " shows it as \\uD801\n";
}

TEST(LoneSurrogate, DecodedTextIsShownOnlyAsJson)
{
    const std::string lone = Xor(kLone + u"x");
    CliResult plain = RunCli({"decode", "xor", lone});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, "\n");
    EXPECT_EQ(plain.err, Diagnostic("the result"));

    CliResult json = RunCli({"decode", "xor", "--json", lone});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "\"\\uD801x\"\n");
}

TEST(LoneSurrogate, EachLineOfStandardInputKeepsItsPlace)
{
    const std::string input = Xor(u"abc") + "\n" + Xor(kLone) + "\n" + Xor(u"xyz") + "\n";
    CliResult plain = RunCli({"decode", "xor"}, input);
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, "abc\n\nxyz\n");
    EXPECT_EQ(plain.err, Diagnostic("the result of standard input, line 2"));

    CliResult json = RunCli({"decode", "xor", "--json"}, input + "short\n");
    EXPECT_EQ(json.status, 1) << "the short text is still refused";
    EXPECT_EQ(json.out, "\"abc\"\n\"\\uD801\"\n\"xyz\"\n\"\"\n");
    EXPECT_EQ(json.err, "解密字符不能少于64个哦~亲\n");
}

class LoneSurrogateServerList : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string ini = "[ServerInfo]\r\nItemCount=2\r\nItemDescribe1=" + Xor(u"A") +
                          "\r\nItemDescribe2=" + Xor(kLone) + "\r\n";
        for (const std::u16string& name : {std::u16string(u"A"), kLone})
            ini +=
                "[" + ToUtf8(Md5Hex(name)) + "]\r\nServerAddr=16777343\r\nServerDomain=" + Xor(u"d") + "\r\n";
        m_dir.Write("ServerInfo.ini", ini);
    }

    TempDir m_dir;
    std::string m_file = m_dir.File("ServerInfo.ini");
};

TEST_F(LoneSurrogateServerList, PlainListingsRefuseTheWholeList)
{
    CliResult show = RunCli({"serverlist", "show", m_file});
    EXPECT_EQ(show.status, 1);
    EXPECT_EQ(show.out, "") << "no half list";
    EXPECT_EQ(show.err, Diagnostic("entry 1 name"));

    CliResult exported = RunCli({"serverlist", "export", m_file});
    EXPECT_EQ(exported.status, 1);
    EXPECT_EQ(exported.out, "");
    EXPECT_EQ(exported.err, Diagnostic("entry 1 name", "\"serverlist show --json\""));
}

TEST_F(LoneSurrogateServerList, JsonShowsTheEscape)
{
    CliResult json = RunCli({"serverlist", "show", m_file, "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"name\": \"\\uD801\",\n    \"address\": \"127.0.0.1\""), std::string::npos)
        << json.out;
}

TEST_F(LoneSurrogateServerList, CheckFindingsFollowTheSameRule)
{
    // A second entry with the same name gives a finding that quotes the name.
    std::string ini = m_dir.Read("ServerInfo.ini");
    ini.replace(ini.find("ItemCount=2"), 11, "ItemCount=3\r\nItemDescribe3=" + Xor(kLone));
    m_dir.Write("ServerInfo.ini", ini);

    CliResult plain = RunCli({"serverlist", "check", m_file});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, "");
    EXPECT_EQ(plain.err, Diagnostic("finding 1"));

    CliResult json = RunCli({"serverlist", "check", m_file, "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find("\"problem\": \"share the name \\\"\\uD801\\\""), std::string::npos) << json.out;
    EXPECT_EQ(json.out.find("\xEF\xBF\xBD"), std::string::npos) << "no U+FFFD in its place";
}

} // namespace
