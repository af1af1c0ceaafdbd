#include "CliRunner.h"

#include "encrypt/Md5Text.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

namespace {

class ServerListCommands : public testing::Test
{
protected:
    CliResult Run(std::vector<std::string> args, const std::string& input = "")
    {
        args.insert(args.begin(), "serverlist");
        return RunCli(args, input, m_dir.Path());
    }

    // Three entries made through "add", as an operator would build a list.
    void AddThree()
    {
        ASSERT_EQ(
            Run({"add", m_file, "--name", "北京一区", "--addr", "1.2.3.4", "--domain", "bj.example.com"})
                .status,
            0);
        ASSERT_EQ(
            Run({"add", m_file, "--name", "Shanghai", "--addr", "10.0.0.1", "--domain", "sh.example.com"})
                .status,
            0);
        ASSERT_EQ(Run({"add", m_file, "--name", "Test", "--addr", "127.0.0.1", "--domain", ""}).status, 0);
    }

    std::string Show() { return Run({"show", m_file}).out; }

    TempDir m_dir;
    std::string m_file = m_dir.File("ServerInfo.ini");
    const std::string m_three =
        "北京一区\t1.2.3.4\tbj.example.com\nShanghai\t10.0.0.1\tsh.example.com\nTest\t127.0.0.1\t\n";
};

TEST_F(ServerListCommands, AddCreatesTheFileInTheClientsEncodedForm)
{
    AddThree();
    EXPECT_EQ(Show(), m_three);
    std::string bytes = m_dir.Read("ServerInfo.ini");
    EXPECT_NE(bytes.find("ItemCount=3\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("[" + ToUtf8(Md5Hex(u"Shanghai")) + "]\r\nServerAddr=16777226\r\n"),
              std::string::npos);
    EXPECT_EQ(bytes.find("Shanghai"), std::string::npos) << "names are stored as XOR text";
}

TEST_F(ServerListCommands, ShowAsJson)
{
    AddThree();
    CliResult result = Run({"show", m_file, "--json"});
    ASSERT_EQ(result.status, 0);
    nlohmann::json list = nlohmann::json::parse(result.out);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]["name"], "北京一区");
    EXPECT_EQ(list[0]["address"], "1.2.3.4");
    EXPECT_EQ(list[0]["domain"], "bj.example.com");
    EXPECT_EQ(list[2]["domain"], "");
}

TEST_F(ServerListCommands, EditChangesOnlyTheGivenFields)
{
    AddThree();
    EXPECT_EQ(Run({"edit", m_file, "1", "--addr", "10.0.0.2"}).status, 0);
    EXPECT_EQ(Run({"edit", m_file, "2", "--name", "Test2", "--domain", "t.example.com"}).status, 0);
    EXPECT_EQ(Show(), "北京一区\t1.2.3.4\tbj.example.com\nShanghai\t10.0.0.2\tsh.example.com\n"
                      "Test2\t127.0.0.1\tt.example.com\n");
}

TEST_F(ServerListCommands, RemoveAndMoveWorkByIndexFromZero)
{
    AddThree();
    EXPECT_EQ(Run({"move", m_file, "2", "up"}).status, 0);
    EXPECT_EQ(Show(),
              "北京一区\t1.2.3.4\tbj.example.com\nTest\t127.0.0.1\t\nShanghai\t10.0.0.1\tsh.example.com\n");
    EXPECT_EQ(Run({"move", m_file, "0", "down"}).status, 0);
    EXPECT_EQ(Show(),
              "Test\t127.0.0.1\t\n北京一区\t1.2.3.4\tbj.example.com\nShanghai\t10.0.0.1\tsh.example.com\n");
    EXPECT_EQ(Run({"remove", m_file, "1"}).status, 0);
    EXPECT_EQ(Show(), "Test\t127.0.0.1\t\nShanghai\t10.0.0.1\tsh.example.com\n");
}

TEST_F(ServerListCommands, ImpossibleIndexesAndMovesChangeNothing)
{
    AddThree();
    std::string before = m_dir.Read("ServerInfo.ini");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"remove", m_file, "3"},
                                               {"edit", m_file, "-1", "--name", "x"},
                                               {"move", m_file, "0", "up"},
                                               {"move", m_file, "2", "down"},
                                               {"move", m_file, "7", "up"}}) {
        CliResult result = Run(args);
        EXPECT_EQ(result.status, 1) << testing::PrintToString(args);
        EXPECT_NE(result.err.find("korvane-cli: "), std::string::npos);
        EXPECT_EQ(m_dir.Read("ServerInfo.ini"), before) << testing::PrintToString(args);
    }
    EXPECT_EQ(Run({"remove", m_file, "one"}).status, 2);
    EXPECT_EQ(Run({"move", m_file, "1", "sideways"}).status, 2);
    EXPECT_EQ(Run({"remove", m_file}).status, 2);
    EXPECT_EQ(m_dir.Read("ServerInfo.ini"), before);
}

TEST_F(ServerListCommands, ImportAndExportRoundTrip)
{
    CliResult imported = Run({"import", m_file}, m_three);
    ASSERT_EQ(imported.status, 0) << imported.err;
    CliResult exported = Run({"export", m_file});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, m_three);

    // Import replaces the list; a file of the export's format goes back in unchanged.
    ASSERT_EQ(Run({"import", m_file}, "One\t8.8.8.8\td1\r\n\r\nTwo\t8.8.4.4\td2\n").status, 0);
    EXPECT_EQ(Run({"export", m_file}).out, "One\t8.8.8.8\td1\nTwo\t8.8.4.4\td2\n");
}

TEST_F(ServerListCommands, ImportRefusesLinesWithoutThreeFields)
{
    AddThree();
    std::string before = m_dir.Read("ServerInfo.ini");
    for (const char* input : {"One\t8.8.8.8\n", "One\t8.8.8.8\td\textra\n", "good\t1.1.1.1\td\nbad\n"}) {
        CliResult result = Run({"import", m_file}, input);
        EXPECT_EQ(result.status, 1) << input;
        EXPECT_NE(result.err.find("line"), std::string::npos);
        EXPECT_EQ(m_dir.Read("ServerInfo.ini"), before);
    }
}

TEST_F(ServerListCommands, TheSystemsMessagesAndFileErrors)
{
    // A missing file cannot be shown; the framework's file error names it, and the line after it the
    // true cause, which its text calls a bad path.
    CliResult missing = Run({"show", m_file});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              m_file + " 包含错误的路径。\nkorvane-cli: " + m_file + ": No such file or directory\n");

    // A name stored as plain text: the decoder's message, and an entry with an empty name.
    m_dir.Write("ServerInfo.ini", "[ServerInfo]\r\nItemCount=1\r\nItemDescribe1=PlainName\r\n");
    CliResult plain = Run({"show", m_file});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "解密字符不能少于64个哦~亲\n");
    EXPECT_EQ(plain.out, "\t0.0.0.0\t\n");

    // 64 characters are refused by the save; at index 0 the name is encoded twice.
    std::remove(m_file.c_str());
    CliResult tooLong = Run({"add", m_file, "--name", std::string(64, 'n')});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.err, "加密字符不能超过64个字符哦~亲\n加密字符不能超过64个字符哦~亲\n");

    ::chmod(m_file.c_str(), 0444);
    CliResult readOnly = Run({"add", m_file, "--name", "x"});
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_EQ(readOnly.err, "拒绝访问 " + m_file + "。\nkorvane-cli: " + m_file + ": Permission denied\n");
}

} // namespace
