#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

// The first XOR text of a fresh run for "abc": the generator starts anew in every run.
const std::string kAbcFirst = "000300620029004B4823484018BE6A1067840ED64AE115713D6C2B252CD64127";

TEST(EncodeCommands, XorStartsEveryRunWithTheFirstKeys)
{
    for (int run = 0; run < 2; ++run) {
        CliResult result = RunCli({"encode", "xor", "abc"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, kAbcFirst + "\n");
        EXPECT_EQ(result.err, "");
    }
}

TEST(EncodeCommands, Md5AddressAndVersionGiveThePageResults)
{
    EXPECT_EQ(RunCli({"encode", "md5", "abc"}).out, "900150983CD24FB0D6963F7D28E17F72\n");
    EXPECT_EQ(RunCli({"encode", "md5", ""}).out, "D41D8CD98F00B204E9800998ECF8427E\n");
    EXPECT_EQ(RunCli({"encode", "md5", "中文"}).out, "BCCE109775E8E1972E9F5FCDA3E12895\n");
    EXPECT_EQ(RunCli({"encode", "md5", std::string(64, 'a')}).out, "FDBB18A4BC912050C64979D90FB1D1B5\n");
    EXPECT_EQ(RunCli({"encode", "ip", "192.168.1.100"}).out, "1677830336\n");
    EXPECT_EQ(RunCli({"encode", "version", "192.168.1.100"}).out, "3232235876\n");
    EXPECT_EQ(RunCli({"encode", "version", "300.0.0.0"}).out, "5033164800\n");
    EXPECT_EQ(RunCli({"decode", "ip", "16777343"}).out, "127.0.0.1\n");
    EXPECT_EQ(RunCli({"decode", "version", "4294967296"}).out, "256.0.0.0\n");
    // A text that looks like a negative number is a text, not an option.
    EXPECT_EQ(RunCli({"decode", "ip", "-5"}).out, "-5.0.0.0\n");
}

// The page shows the decoders' error text as a result; the tool refuses the input with it.
TEST(EncodeCommands, TheDecodersErrorTextIsARefusal)
{
    for (const char* method : {"ip", "version"}) {
        CliResult error = RunCli({"decode", method, "-1"});
        EXPECT_EQ(error.status, 1) << method;
        EXPECT_EQ(error.out, "\n") << method;
        EXPECT_EQ(error.err, "你所输入的信息有误\n") << method;
    }
    // Lines stay paired: the refused line gives an empty one, and the lines after it are decoded.
    CliResult lines = RunCli({"decode", "ip"}, "67305985\n-1\n16777343\n");
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(lines.out, "1.2.3.4\n\n127.0.0.1\n");
    EXPECT_EQ(lines.err, "你所输入的信息有误\n");
    CliResult json = RunCli({"decode", "version", "--json"}, "-1\n16909060\n");
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out, "\"\"\n\"1.2.3.4\"\n");
    EXPECT_EQ(RunCli({"decode", "ip", "4294967295"}).status, 0) << "only -1 itself has no dotted form";
}

TEST(EncodeCommands, XorDecodesWhatItEncodesInAnyLetterCase)
{
    std::string text = "服务器 Server-1";
    CliResult encoded = RunCli({"encode", "xor", text});
    ASSERT_EQ(encoded.status, 0);
    std::string xorText = encoded.out.substr(0, encoded.out.size() - 1);
    EXPECT_EQ(RunCli({"decode", "xor", xorText}).out, text + "\n");
    for (char& c : xorText)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(RunCli({"decode", "xor", xorText}).out, text + "\n");
}

TEST(EncodeCommands, RefusalsGoToStandardErrorWithStatusOne)
{
    CliResult tooLong = RunCli({"encode", "xor", std::string(64, 'x')});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.out, "\n");
    EXPECT_EQ(tooLong.err, "加密字符不能超过64个字符哦~亲\n");

    CliResult tooShort = RunCli({"decode", "xor", std::string(60, '0')});
    EXPECT_EQ(tooShort.status, 1);
    EXPECT_EQ(tooShort.err, "解密字符不能少于64个哦~亲\n");

    // Decoding goes on after the length-mismatch message; it still counts as a refused input.
    CliResult mismatch = RunCli({"decode", "xor", std::string(64, '0')});
    EXPECT_EQ(mismatch.status, 1);
    EXPECT_EQ(mismatch.out, "\n");
    EXPECT_EQ(mismatch.err, "解密数据还是不符合要求.不过能到这里来...算你牛!\n");
}

TEST(EncodeCommands, EachLineOfStandardInputIsOneText)
{
    CliResult result = RunCli({"encode", "xor"}, "abc\r\nabc\n\n" + std::string(64, 'y') + "\nz");
    EXPECT_EQ(result.status, 1);
    std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kAbcFirst);
    // The keys run on: the second "abc" differs but declares the same length and first character.
    EXPECT_NE(lines[1], kAbcFirst);
    EXPECT_EQ(lines[1].substr(0, 8), "00030062");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4].size(), 64u);
    EXPECT_EQ(result.err, "加密字符不能超过64个字符哦~亲\n");

    CliResult decoded = RunCli({"decode", "ip"}, "67305985\n16777343\n");
    EXPECT_EQ(decoded.status, 0);
    EXPECT_EQ(decoded.out, "1.2.3.4\n127.0.0.1\n");
    EXPECT_EQ(RunCli({"encode", "md5"}, "").out, "");
}

TEST(EncodeCommands, WrongCommandLinesGiveUsageAndStatusTwo)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"encode"},
                                               {"decode", "md5", "x"},
                                               {"encode", "rot13", "x"},
                                               {"encode", "xor", "a", "b"},
                                               {"frobnicate"},
                                               {"encode", "xor", "--bogus"}}) {
        CliResult result = RunCli(args);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_NE((result.out + result.err).find("Usage: korvane-cli"), std::string::npos)
            << testing::PrintToString(args);
    }
}

TEST(EncodeCommands, HelpOnEveryCommand)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"encode", "--help"},
                                               {"decode", "-h"},
                                               {"serverlist", "--help"},
                                               {"serverlist", "check", "--help"},
                                               {"serverlist", "move", "--help"},
                                               {"create", "--help"}}) {
        CliResult result = RunCli(args);
        EXPECT_EQ(result.status, 0) << testing::PrintToString(args);
        EXPECT_NE(result.out.find("Usage: korvane-cli"), std::string::npos) << testing::PrintToString(args);
    }
    EXPECT_NE(RunCli({"create", "--help"}).out.find("--dry-run"), std::string::npos);
}

} // namespace
