#include "CliRunner.h"

#include "framework/Path.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A path below the working or deployment folder as the program shows it, with the platform's separators.
std::string Shown(const std::string& relative)
{
    return ToUtf8(JoinPath(u"", FromUtf8(relative)));
}

class CreateCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteDeployment(m_dir, {GameRow(200, u"斗地主", u"LandScoreDB", u"Land"),
                                GameRow(100, u"欢乐斗牛", u"QPTreasureDB", u"Ox")});
    }

    // Runs "create" in the temporary folder, so that the installer scripts land there too.
    CliResult Create(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"create", "--deploy-dir", m_dir.Path()});
        return RunCli(args, "", m_dir.Path());
    }

    std::vector<std::string> AllInputs() const
    {
        return {"--company",       "星辰网络", "--platform", "Veldra",     "--domain",
                "www.example.com", "--server", "10.0.0.1",   "--registry", "VeldraGame"};
    }

    // A file in the temporary folder, as the program names it.
    std::string ShownFile(const std::string& name) const { return ToUtf8(m_dir.FileW(FromUtf8(name))); }

    TempDir m_dir;
};

TEST_F(CreateCommand, InputsAreCheckedWithThePagesRulesAndMessages)
{
    auto before = Snapshot(m_dir);
    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{}, "请输入\"公司名称\"信息"},
        {{"--company", "C", "--platform", "P", "--domain", "D", "--server", "S"}, "请输入\"注册表信息\""},
        {{"--serverinfo", "--platform", "P", "--domain", "D"}, "请输入\"服务器地址\"信息"},
        {{"--serverinfo", "--company", "C"}, "请输入\"平台名称\"信息"},
        {{"--installer", "--company", "C", "--platform", "P", "--server", "S", "--registry", "R"},
         "请输入\"平台域名\"信息"},
    };
    for (const Case& c : cases) {
        CliResult result = Create(c.args);
        EXPECT_EQ(result.status, 1) << testing::PrintToString(c.args);
        EXPECT_EQ(result.err, c.message + "\n") << testing::PrintToString(c.args);
    }
    EXPECT_EQ(Snapshot(m_dir), before) << "nothing is read or written after a refused input";
}

TEST_F(CreateCommand, OptionsThatNeedNoGameListOrNoInputs)
{
    auto before = Snapshot(m_dir);
    // The server list option alone reads no game list; blanks count as filled in.
    std::filesystem::remove(std::filesystem::u8path(m_dir.File("脚本代码/数据脚本/游戏列表.sql")));
    CliResult serverInfo = Create({"--serverinfo", "--platform", "P", "--domain", " ", "--server", " "});
    EXPECT_EQ(serverInfo.status, 0) << serverInfo.err;
    EXPECT_EQ(serverInfo.err, "");
    EXPECT_EQ(serverInfo.out, "written\t8\t" + Shown("P/ServerInfo.ini") + "\n");
    EXPECT_EQ(RunCli({"serverlist", "show", m_dir.File("P/ServerInfo.ini")}).out, "P\t0.0.0.0\t \n");
    WriteDeployment(m_dir, {GameRow(200, u"斗地主", u"LandScoreDB", u"Land"),
                            GameRow(100, u"欢乐斗牛", u"QPTreasureDB", u"Ox")});

    // The database option needs no input and leaves the coin database out.
    CliResult database = Create({"--database", "--quiet"});
    EXPECT_EQ(database.status, 0) << database.err;
    EXPECT_EQ(database.out + database.err, "");
    EXPECT_TRUE(std::filesystem::exists(
        std::filesystem::u8path(m_dir.File("脚本代码/数据库脚本/1_8_斗地主积分库脚本.sql"))));
    EXPECT_TRUE(std::filesystem::exists(
        std::filesystem::u8path(m_dir.File("脚本代码/存储过程/斗地主积分数据库/游戏写分.sql"))));
    EXPECT_FALSE(std::filesystem::exists(
        std::filesystem::u8path(m_dir.File("脚本代码/数据库脚本/1_9_欢乐斗牛积分库脚本.sql"))));
    EXPECT_NE(m_dir.Read("脚本代码/一键安装.bat")
                  .find(ToDiskText(u"osql -E -i \"%rootPath%1_8_斗地主积分库脚本.sql\"\n")),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("Veldra")));
}

TEST_F(CreateCommand, AllOptionsByDefaultWriteDatabaseAndInstallerScripts)
{
    CliResult result = Create(AllInputs());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // One line per file written, in the order of the writes: the installer scripts and the server
    // list come after the database scripts.
    std::vector<std::string> written = Lines(result.out);
    ASSERT_EQ(written.size(), 2u + 11 + 2 + 2 + 2 + 1);
    for (const std::string& line : written)
        EXPECT_EQ(line.rfind("written\t", 0), 0u) << line;
    EXPECT_EQ(written[0], "written\t2\t" + ShownFile("脚本代码/数据库脚本/1_8_斗地主积分库脚本.sql"));
    EXPECT_EQ(written[15], "written\t123\t" + Shown("Veldra/QZ斗地主.iss"));
    EXPECT_EQ(written.back(), "written\t8\t" + Shown("Veldra/ServerInfo.ini"));
    std::string lobby = m_dir.Read("Veldra/Veldra.iss");
    EXPECT_NE(lobby.find(ToDiskText(u"AppPublisher=星辰网络\n")), std::string::npos);
    EXPECT_NE(lobby.find("AppPublisherURL=http://www.example.com\r\n"), std::string::npos);
    EXPECT_NE(m_dir.Read("Veldra/Veldra-all.iss").find(ToDiskText(u";欢乐斗牛\n")), std::string::npos);
    EXPECT_NE(m_dir.Read("Veldra/QZ斗地主.iss").find("PostMessage(hWnd, 1124,200, 0)"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(
        std::filesystem::u8path(m_dir.File("脚本代码/数据库脚本/2_8_斗地主积分库脚本.sql"))));
}

TEST_F(CreateCommand, TheProfileGivesTheInputsAndOptionsWin)
{
    m_dir.Write("deployment.ini", "; kept with the deployment\r\n[Deployment]\r\nCompanyName=Stars Ltd\r\n"
                                  "PlatformName=FromProfile\r\nplatformdomain = \"profile.example.com\"\r\n"
                                  "RegistryInfo=ProfileKey\r\n[Other]\r\nCompanyName=Wrong\r\n");
    CliResult result =
        Create({"--installer", "--profile", m_dir.File("deployment.ini"), "--platform", "Override"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("FromProfile")));
    std::string lobby = m_dir.Read("Override/Override.iss");
    EXPECT_NE(lobby.find("AppPublisher=Stars Ltd\r\n"), std::string::npos);
    EXPECT_NE(lobby.find("AppPublisherURL=http://profile.example.com\r\n"), std::string::npos);
    EXPECT_NE(lobby.find("DefaultDirName={pf}\\ProfileKey\r\n"), std::string::npos);

    // Inputs missing from the profile are empty, so the page's rule reports them.
    m_dir.Write("partial.ini", "[Deployment]\r\nCompanyName=Stars Ltd\r\n");
    CliResult partial = Create({"--profile", m_dir.File("partial.ini")});
    EXPECT_EQ(partial.status, 1);
    EXPECT_EQ(partial.err, "请输入\"平台名称\"信息\n");

    CliResult missing = Create({"--profile", m_dir.File("none.ini"), "--database"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, m_dir.File("none.ini") + " 包含错误的路径。\nkorvane-cli: " +
                               m_dir.File("none.ini") + ": No such file or directory\n");
}

TEST_F(CreateCommand, GameListFailuresStopTheRun)
{
    const std::string gameList = ShownFile("脚本代码/数据脚本/游戏列表.sql");
    std::filesystem::remove(std::filesystem::u8path(gameList));
    auto before = Snapshot(m_dir);
    CliResult missing = Create({"--database"});
    EXPECT_EQ(missing.status, 1);
    // The reader's message names no path; the line after it does.
    EXPECT_EQ(missing.err, "游戏列表.sql  打开失败!貌似没有这个文件\nkorvane-cli: " + gameList +
                               ": No such file or directory\n游戏列表读取失败!\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(Snapshot(m_dir), before);

    m_dir.Write("脚本代码/数据脚本/游戏列表.sql", "USE QPPlatformDB\r\nGO\r\n\xFF\xFF\r\n");
    CliResult unreadable = Create({"--database"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, gameList + " 中有无法转换为代码页 936 的字符。\nkorvane-cli: " + gameList +
                                  ": not code page 936 text at line 3\n");

    m_dir.Write("脚本代码/数据脚本/游戏列表.sql", "USE QPPlatformDB\r\nGO\r\n");
    CliResult empty = Create(AllInputs());
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "游戏列表读取成功,但是内容为空\n");
}

TEST_F(CreateCommand, GeneratorFailuresAreReported)
{
    std::string templatePath = ShownFile("脚本代码/存储过程/积分数据库/游戏写分.sql");
    std::filesystem::remove(std::filesystem::u8path(templatePath));
    std::string batch = m_dir.Read("脚本代码/一键安装.bat");
    CliResult result = Create(AllInputs());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              templatePath + "读取失败!\nkorvane-cli: " + templatePath + ": No such file or directory\n");
    // What the run wrote before it stopped: the two score scripts and ten procedure scripts.
    std::vector<std::string> written = Lines(result.out);
    ASSERT_EQ(written.size(), 12u) << result.out;
    EXPECT_EQ(written.back(), "written\t2\t" + ShownFile("脚本代码/存储过程/斗地主积分数据库/游戏记录.sql"));
    EXPECT_EQ(m_dir.Read("脚本代码/一键安装.bat"), batch);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("Veldra"))) << "the installer step does not run";

    // A platform folder that cannot be made: the first game's script fails with the generator's message.
    m_dir.Write("Blocked", "a file where the folder should be");
    CliResult installer = Create(
        {"--installer", "--company", "C", "--platform", "Blocked", "--domain", "D", "--registry", "R"});
    EXPECT_EQ(installer.status, 1);
#if defined(_WIN32) // Windows calls a file in the way of a folder a missing path
    const std::string notADirectory = "No such file or directory";
#else
    const std::string notADirectory = "Not a directory";
#endif
    EXPECT_EQ(installer.err, "斗地主脚本创建失败!\nkorvane-cli: " + Shown("Blocked/QZ斗地主.iss") + ": " +
                                 notADirectory + "\n");
}

TEST_F(CreateCommand, ACharacterWithoutACodePage936FormIsNamedWithItsLine)
{
    std::vector<std::string> args = AllInputs();
    args[1] = "ก"; // the company name, on line 12 of a game's script
    CliResult result = Create(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "斗地主脚本创建失败!\nkorvane-cli: " + Shown("Veldra/QZ斗地主.iss") +
                              ": a character has no code page 936 form: U+0E01 at line 12\n");
    args[1] = "😀";
    EXPECT_NE(Create(args).err.find(": U+1F600 at line 12\n"), std::string::npos)
        << "a pair of surrogates is one character";
}

TEST_F(CreateCommand, NamesThatAreNoFolderOrFileNameWriteNothing)
{
    auto before = Snapshot(m_dir);
    // "." would put the scripts into the working folder; a trailing blank names another folder on Windows.
    for (const char* platform : {".", "Veldra ", "Veldra ."}) {
        CliResult result = Create(
            {"--installer", "--company", "C", "--platform", platform, "--domain", "D", "--registry", "R"});
        EXPECT_EQ(result.status, 1) << platform;
        EXPECT_EQ(result.err, "斗地主脚本创建失败!\nkorvane-cli: " + std::string(platform) +
                                  ": not a name that Windows can give a folder or file\n")
            << platform;
        EXPECT_EQ(Snapshot(m_dir), before) << platform;
    }

    WriteDeployment(m_dir,
                    {GameRow(200, u"斗地主", u"LandScoreDB", u"Land"), GameRow(300, u".", u"DotDB", u"Dot")});
    before = Snapshot(m_dir);
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--database"}, AllInputs()}) {
        CliResult result = Create(options);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "游戏名称“.”(编号 300)不能用作文件名!\n");
        EXPECT_EQ(Snapshot(m_dir), before);
    }
}

TEST_F(CreateCommand, DatabaseNameThatCouldBreakOutOfTheSqlWritesNothing)
{
    WriteDeployment(m_dir, {GameRow(200, u"斗地主", u"LandScoreDB", u"Land"),
                            GameRow(201, u"注入", u"A]; DROP DATABASE [QPPlatformDB", u"Inject")});
    auto before = Snapshot(m_dir);
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--database"}, AllInputs()}) {
        CliResult result = Create(options);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err,
                  "游戏“注入”(编号 201)的数据库名称“A]; DROP DATABASE [QPPlatformDB”不能用在SQL脚本中!\n");
        EXPECT_EQ(Snapshot(m_dir), before) << "no batch file, drop script, score script or installer script";
    }
}

TEST_F(CreateCommand, TheDefaultDeploymentFolderIsBesideTheProgram)
{
    // A copy of the program in a folder of its own, with the deployment folder beside it.
    const std::string program =
        ToUtf8(JoinPath(m_dir.PathW(), std::filesystem::u8path(KORVANE_CLI_PATH).filename().u16string()));
    std::filesystem::copy_file(KORVANE_CLI_PATH, std::filesystem::u8path(program));
    TempDir elsewhere;
    CliResult result = RunCli({"create", "--database", "--dry-run"}, "", elsewhere.Path(), program);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("changed\t"), std::string::npos);
    // Every separator native: on Windows the program's folder as the system gives it, then "\\" joins.
    const std::string batch = ToUtf8(JoinPath(m_dir.PathW(), u"脚本代码/一键安装.bat"));
    EXPECT_NE(result.out.find("\t" + batch + "\n"), std::string::npos) << result.out;
}

} // namespace
