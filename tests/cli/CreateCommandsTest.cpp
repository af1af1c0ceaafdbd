#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

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

TEST_F(CreateCommand, OptionsThatNeedNoInputs)
{
    auto before = Snapshot(m_dir);
    // The server list option alone writes nothing and shows nothing; blanks count as filled in.
    CliResult serverInfo = Create({"--serverinfo", "--platform", " ", "--domain", "D", "--server", "S"});
    EXPECT_EQ(serverInfo.status, 0);
    EXPECT_EQ(serverInfo.out + serverInfo.err, "");
    EXPECT_EQ(Snapshot(m_dir), before);

    // The database option needs no input and leaves the coin database out.
    CliResult database = Create({"--database"});
    EXPECT_EQ(database.status, 0) << database.err;
    EXPECT_EQ(database.err, "");
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
    EXPECT_EQ(result.out + result.err, "");
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
    EXPECT_EQ(missing.err, m_dir.File("none.ini") + " 包含错误的路径。\n");
}

TEST_F(CreateCommand, GameListFailuresStopTheRun)
{
    std::filesystem::remove(std::filesystem::u8path(m_dir.File("脚本代码/数据脚本/游戏列表.sql")));
    auto before = Snapshot(m_dir);
    CliResult missing = Create({"--database"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "游戏列表.sql  打开失败!貌似没有这个文件\n游戏列表读取失败!\n");
    EXPECT_EQ(Snapshot(m_dir), before);

    m_dir.Write("脚本代码/数据脚本/游戏列表.sql", "USE QPPlatformDB\r\nGO\r\n");
    CliResult empty = Create(AllInputs());
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "游戏列表读取成功,但是内容为空\n");
}

TEST_F(CreateCommand, GeneratorFailuresAreReported)
{
    std::string templatePath = m_dir.File("脚本代码/存储过程/积分数据库/游戏写分.sql");
    std::filesystem::remove(std::filesystem::u8path(templatePath));
    std::string batch = m_dir.Read("脚本代码/一键安装.bat");
    CliResult result = Create(AllInputs());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, templatePath + "读取失败!\n");
    EXPECT_EQ(m_dir.Read("脚本代码/一键安装.bat"), batch);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("Veldra"))) << "the installer step does not run";

    // A platform folder that cannot be made: the first game's script fails with the generator's message.
    m_dir.Write("Blocked", "a file where the folder should be");
    CliResult installer = Create(
        {"--installer", "--company", "C", "--platform", "Blocked", "--domain", "D", "--registry", "R"});
    EXPECT_EQ(installer.status, 1);
    EXPECT_EQ(installer.err, "斗地主脚本创建失败!\n");
}

TEST_F(CreateCommand, TheDefaultDeploymentFolderIsBesideTheProgram)
{
#if defined(_WIN32)
    GTEST_SKIP()
        << "the creation run still joins its paths with \"/\"; Windows shows \"\\\" once it uses JoinPath";
#endif
    // A copy of the program in a folder of its own, with the deployment folder beside it.
    std::filesystem::copy_file(KORVANE_CLI_PATH, m_dir.File("korvane-cli"));
    TempDir elsewhere;
    CliResult result =
        RunCli({"create", "--database", "--dry-run"}, "", elsewhere.Path(), m_dir.File("korvane-cli"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("changed\t"), std::string::npos);
    EXPECT_NE(result.out.find("\t" + m_dir.Path() + "/脚本代码/一键安装.bat\n"), std::string::npos)
        << result.out;
}

} // namespace
