#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kMark = "\xEF\xBB\xBF";

// Bytes that a lenient decoder would have turned into something: an overlong "/", an encoded surrogate,
// a code point beyond U+10FFFF, a stray byte.
const std::string kOverlongSlash = "a\xC0\xAF"
                                   "b";
const std::string kSurrogate = "\xED\xA0\x80";
const std::string kBeyond = "\xF4\x90\x80\x80";

TEST(Utf8Input, ArgumentsThatAreNotUtf8AreRefusedByTheirNumber)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Windows hands the program its arguments as UTF-16: no byte sequence can be invalid";
#endif
    TempDir dir;
    struct Case
    {
        std::vector<std::string> args;
        std::string diagnostic;
    };
    const Case cases[] = {
        {{"encode", "md5", kOverlongSlash}, "argument 3 is not UTF-8: byte 0xC0 after \"a\""},
        {{"decode", "xor", kSurrogate}, "argument 3 is not UTF-8: byte 0xED at its start"},
        {{"serverlist", "add", dir.File("s.ini"), "--name", "北京" + kBeyond},
         "argument 5 is not UTF-8: byte 0xF4 after \"北京\""},
        {{"create", "--database", "--deploy-dir", dir.Path() + "/\xFF"}, "argument 4 is not UTF-8"},
    };
    for (const Case& c : cases) {
        CliResult result = RunCli(c.args, "", dir.Path());
        EXPECT_EQ(result.status, 1) << testing::PrintToString(c.args);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("korvane-cli: " + c.diagnostic, 0), 0u) << result.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "nothing is written";
}

TEST(Utf8Input, StandardInputLinesThatAreNotUtf8AreRefusedByTheirNumber)
{
    // Each bad line gives an empty line, as a refused text does, so the lines stay paired.
    CliResult encoded = RunCli({"encode", "md5"}, "abc\n" + kOverlongSlash + "\r\n\nx" + kSurrogate + "\n");
    EXPECT_EQ(encoded.status, 1);
    EXPECT_EQ(encoded.out, "900150983CD24FB0D6963F7D28E17F72\n\nD41D8CD98F00B204E9800998ECF8427E\n\n");
    EXPECT_EQ(encoded.err, "korvane-cli: standard input, line 2 is not UTF-8: byte 0xC0 after \"a\"\n"
                           "korvane-cli: standard input, line 4 is not UTF-8: byte 0xED after \"x\"\n");

    // An import takes all lines or none.
    TempDir dir;
    CliResult imported =
        RunCli({"serverlist", "import", dir.File("s.ini")}, "A\t1.2.3.4\ta\nB" + kBeyond + "\t1.1.1.1\tb\n");
    EXPECT_EQ(imported.status, 1);
    EXPECT_EQ(imported.err, "korvane-cli: standard input, line 2 is not UTF-8: byte 0xF4 after \"B\"\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.ini")));
}

TEST(Utf8Input, ProfileMarkedAsUtf8WithALineThatIsNotIsRefused)
{
    TempDir dir;
    WriteDeployment(dir, {GameRow(200, u"斗地主", u"LandScoreDB", u"Land")});
    dir.Write("deployment.ini", kMark + "[Deployment]\r\nCompanyName=Stars\r\nPlatformName=Vel" +
                                    kOverlongSlash + "\r\nPlatformDomain=d\r\nRegistryInfo=r\r\n");
    auto before = Snapshot(dir);
    CliResult result = RunCli({"create", "--deploy-dir", dir.Path(), "--installer", "--profile",
                               dir.File("deployment.ini"), "--platform", "Veldra"},
                              "", dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "korvane-cli: " + dir.File("deployment.ini") +
                              ", line 3: not UTF-8, though the file starts with a UTF-8 byte-order mark\n");
    EXPECT_EQ(Snapshot(dir), before);

    // The same file without its bad line is read.
    dir.Write("deployment.ini", kMark + "[Deployment]\r\nCompanyName=星辰\r\nPlatformName="
                                        "Veldra\r\nPlatformDomain=d\r\nRegistryInfo=r\r\n");
    CliResult good =
        RunCli({"create", "--deploy-dir", dir.Path(), "--installer", "--profile", dir.File("deployment.ini")},
               "", dir.Path());
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(dir.Read("Veldra/Veldra.iss").find(ToDiskText(u"AppPublisher=星辰\n")), std::string::npos);
}

TEST(Utf8Input, ServerListMarkedAsUtf8WithALineThatIsNotIsListedAndChangedByNone)
{
    TempDir dir;
    const std::string file = dir.File("ServerInfo.ini");
    dir.Write("ServerInfo.ini",
              kMark + "[GlobalInfo]\r\nLastServerName=\r\n[ServerInfo]\r\nItemCount=1\r\n; note " +
                  kSurrogate + "\r\nItemDescribe1=short\r\n");
    const std::string before = dir.Read("ServerInfo.ini");
    // The entry's name does not decode, which would be reported: the refusal comes alone, before it.
    const std::string diagnostic =
        "korvane-cli: " + file + ", line 5: not UTF-8, though the file starts with a UTF-8 byte-order mark\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show", file}, {"export", file}, {"add", file, "--name", "B"}, {"remove", file, "0"}}) {
        std::vector<std::string> command = {"serverlist"};
        command.insert(command.end(), args.begin(), args.end());
        CliResult result = RunCli(command);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.out, "") << args[0];
        EXPECT_EQ(result.err, diagnostic) << args[0];
        EXPECT_EQ(dir.Read("ServerInfo.ini"), before) << args[0];
    }
    CliResult checked = RunCli({"serverlist", "check", file});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out,
              "line 5: not UTF-8, though the file starts with a UTF-8 byte-order mark: it is read "
              "as nothing\nentry 0 (ItemDescribe1) name: cannot be decoded: 解密字符不能少于64个哦~亲\n"
              "entry 0 (ItemDescribe1): its section [D41D8CD98F00B204E9800998ECF8427E] is missing: it "
              "loads with the address 0.0.0.0 and an empty domain\n");
}

} // namespace
