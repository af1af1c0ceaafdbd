#include "create/DLGCreate.h"

#include "create/ScriptFixture.h"
#include "framework/FileSystem.h"
#include "framework/Path.h"
#include "framework/WideText.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"
#include "support/MessageBoxRecorder.h"
#include "support/ReporterRecorder.h"
#include "support/TempDir.h"
#include "framework/TestDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace TestDriver;

namespace {

namespace fs = std::filesystem;

const int kEdits[] = {IDC_EDIT_COMPANY, IDC_EDIT_PLATFORM, IDC_EDIT_DOMAIN, IDC_EDIT_SERVER,
                      IDC_EDIT_REGISTRY};

const std::vector<std::string> kProcedures = {"标识登录", "道具管理", "道具配置", "加载机器",
                                              "加载配置", "加载消息", "离开房间", "列表描述",
                                              "列表配置", "游戏记录", "游戏写分"};

const std::u16string kTwoGames =
    u"USE QPPlatformDB\nGO\n"
    u"INSERT [GameGameItem] VALUES ( 215, N'Mahjong', N'10.0.0.5', N'MahjongDB', N'SCMahjongServer.dll')\n"
    u"INSERT [GameGameItem] VALUES ( 216, N'Poker', N'10.0.0.5', N'PokerDB', N'PokerServer.dll')\n"
    u"GO\n";

const std::string kGameList = "脚本代码/数据脚本/游戏列表.sql";
const std::string kBatch = "脚本代码/一键安装.bat";
const std::string kDrop = "脚本代码/数据库脚本/数据库删除.sql";
const std::string kPlatform = "星辰";

// Every file under a folder with its bytes, to see that a command wrote nothing.
std::map<std::string, std::string> Snapshot(const TempDir& dir)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::u8path(dir.Path()))) {
        std::u8string relative = fs::relative(entry.path(), fs::u8path(dir.Path())).u8string();
        std::string name(relative.begin(), relative.end());
        files[name] = entry.is_regular_file() ? dir.Read(name) : std::string("<folder>");
    }
    return files;
}

bool Exists(const TempDir& dir, const std::string& name)
{
    return fs::exists(DiskPath(dir, name));
}

// A small deployment folder of our own: the game list, the batch file, the drop script and the templates.
void WriteDeployment(const TempDir& dir, const std::u16string& gameList)
{
    WriteDiskText(dir, kGameList, gameList);
    WriteDiskText(
        dir, kBatch,
        u"Rem start\n\nosql -E -i \"%rootPath%2_1_用户库脚本.sql\"\n\nRem 建连接服务和填充数据\n\npause\n");
    WriteDiskText(dir, kDrop, u"USE master\nGO\n\n");
    for (const char* part : {"1", "2"})
        WriteDiskText(dir, std::string("脚本代码/数据库脚本/") + part + "_5_积分库脚本.sql",
                      u"CREATE DATABASE [QPGameScoreDB]\n");
    for (const std::string& procedure : kProcedures)
        WriteDiskText(dir, "脚本代码/存储过程/积分数据库/" + procedure + ".sql",
                      u"USE [QPGameScoreDB]\nGO\n");
}

class CreatePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(IDD_DLG_CREATE, &host));
        SetModuleDirectoryForTests(module.PathW());
        // The installer scripts land relative to the working directory.
        previousDirectory = fs::current_path();
        fs::current_path(fs::u8path(work.Path()));
    }

    void TearDown() override
    {
        fs::current_path(previousDirectory);
        SetModuleDirectoryForTests(u"");
    }

    void SetOptions(bool database, bool installer, bool serverList)
    {
        const std::pair<int, bool> wanted[] = {{IDC_CHECK_DATABASE, database},
                                               {IDC_CHECK_INSTALLER, installer},
                                               {IDC_CHECK_SERVERINFO, serverList}};
        for (auto [id, checked] : wanted) {
            if ((page.IsDlgButtonChecked(id) == BST_CHECKED) != checked)
                Click(page, id);
        }
    }

    void FillInputs()
    {
        page.SetDlgItemText(IDC_EDIT_COMPANY, u"星辰网络");
        page.SetDlgItemText(IDC_EDIT_PLATFORM, FromUtf8(kPlatform));
        page.SetDlgItemText(IDC_EDIT_DOMAIN, u"www.xingchen.com");
        page.SetDlgItemText(IDC_EDIT_SERVER, u"10.0.0.5");
        page.SetDlgItemText(IDC_EDIT_REGISTRY, u"XingChen");
    }

    // Clicks OK with the keyboard focus on it, as a click with the mouse leaves it.
    void ClickOk()
    {
        SetFocus(page, IDC_BTN_CREATE_OK);
        Click(page, IDC_BTN_CREATE_OK);
    }

    int Focused() const { return FocusedControl(page); }

    std::vector<bool> ReadOnlyStates() const
    {
        std::vector<bool> states;
        for (int id : kEdits)
            states.push_back(page.IsEditReadOnly(id));
        return states;
    }

    // The one box the last command showed, with the application's title and no icon.
    void ExpectOnlyBox(const std::u16string& text)
    {
        ASSERT_EQ(boxes.Shown().size(), 1u) << "boxes shown: " << boxes.Shown().size();
        EXPECT_EQ(boxes.Shown()[0].text, text);
        EXPECT_EQ(boxes.Shown()[0].caption, AfxGetAppName());
        EXPECT_EQ(boxes.Shown()[0].type, MB_OK);
    }

    bool InstallerFolderExists() const { return Exists(work, kPlatform); }

    // The program's folder as the page takes it, with the platform's separator at its end; the
    // generators add their relative paths to it as they are written.
    std::u16string ModuleDir() const { return WithTrailingSeparator(module.PathW()); }

    // The entries of a server list in the working directory.
    CArray<tagServer> LoadedServers(const std::string& name) const
    {
        ReporterRecorder reporter;
        CArray<tagServer> servers;
        EXPECT_FALSE(LoadServerList(tagRunContext{reporter, DiskStore()}, work.FileW(FromUtf8(name)), servers)
                         .error.Failed());
        return servers;
    }

    CHostWnd host;
    CDLGCreate page;
    MessageBoxRecorder boxes;
    TempDir module;
    TempDir work;
    fs::path previousDirectory;
};

TEST_F(CreatePageTest, StartsWithEveryOptionCheckedAndEveryInputEditableAndEmpty)
{
    for (int id : {IDC_CHECK_DATABASE, IDC_CHECK_INSTALLER, IDC_CHECK_SERVERINFO})
        EXPECT_EQ(page.IsDlgButtonChecked(id), BST_CHECKED) << id;
    for (int id : kEdits) {
        EXPECT_FALSE(page.IsEditReadOnly(id)) << id;
        EXPECT_EQ(page.GetDlgItemText(id), u"") << id;
    }
    EXPECT_TRUE(page.m_GameList.empty());
}

TEST_F(CreatePageTest, OkRightAfterStartAsksForTheCompanyName)
{
    WriteDeployment(module, kTwoGames);
    auto before = Snapshot(module);
    boxes.Expect();
    ClickOk();
    ExpectOnlyBox(u"请输入\"公司名称\"信息");
    EXPECT_TRUE(page.m_GameList.empty());
    EXPECT_EQ(Snapshot(module), before);
    EXPECT_FALSE(InstallerFolderExists());
}

TEST_F(CreatePageTest, InputsAreEditableExactlyWhenAnOptionNeedsThem)
{
    struct Row
    {
        bool installer, serverList;
        std::vector<bool> readOnly; // company, platform name, domain, server address, registry
    };
    const Row rows[] = {
        {true, true, {false, false, false, false, false}},
        {true, false, {false, false, false, true, false}},
        {false, true, {true, false, false, false, true}},
        {false, false, {true, true, true, true, true}},
    };
    for (const Row& row : rows) {
        for (bool database : {true, false}) {
            SetOptions(database, row.installer, row.serverList);
            EXPECT_EQ(ReadOnlyStates(), row.readOnly) << "installer " << row.installer << ", server list "
                                                      << row.serverList << ", database " << database;
        }
    }
}

TEST_F(CreatePageTest, ReadOnlyInputsKeepTheirTextAndAreStillCopied)
{
    FillInputs();
    SetOptions(false, false, false);
    EXPECT_EQ(ReadOnlyStates(), std::vector<bool>(5, true));
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_COMPANY), u"星辰网络");
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(page.m_strCompanyName, u"星辰网络");
    EXPECT_EQ(page.m_strPlatformName, FromUtf8(kPlatform));
    EXPECT_EQ(page.m_strPlatformDomain, u"www.xingchen.com");
    EXPECT_EQ(page.m_strServerAddr, u"10.0.0.5");
    EXPECT_EQ(page.m_strRegistryInfo, u"XingChen");
    EXPECT_EQ(page.m_szModuleDir, ModuleDir());
}

// Fills the inputs one after the other and expects the message of the next required one each time.
struct CheckOrderCase
{
    bool installer, serverList;
    std::vector<int> asked; // the edit boxes asked for, in order
};

class CheckOrderTest : public CreatePageTest, public ::testing::WithParamInterface<CheckOrderCase>
{
};

std::u16string MessageFor(int editId)
{
    switch (editId) {
    case IDC_EDIT_COMPANY:
        return u"请输入\"公司名称\"信息";
    case IDC_EDIT_PLATFORM:
        return u"请输入\"平台名称\"信息";
    case IDC_EDIT_DOMAIN:
        return u"请输入\"平台域名\"信息";
    case IDC_EDIT_SERVER:
        return u"请输入\"服务器地址\"信息";
    default:
        return u"请输入\"注册表信息\"";
    }
}

TEST_P(CheckOrderTest, AsksForTheFirstEmptyRequiredInput)
{
    // The database option is off, so a complete set of inputs ends without reading anything.
    SetOptions(false, GetParam().installer, GetParam().serverList);
    for (int id : GetParam().asked) {
        boxes.Clear();
        boxes.Expect();
        ClickOk();
        ExpectOnlyBox(MessageFor(id));
        // The operator types the missing text next.
        EXPECT_EQ(Focused(), id) << "edit box " << id;
        page.SetDlgItemText(id, u"x");
    }
    if (GetParam().installer)
        return; // complete inputs would go on to the game list
    boxes.Clear();
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    OptionStates, CheckOrderTest,
    ::testing::Values(
        CheckOrderCase{
            true,
            true,
            {IDC_EDIT_COMPANY, IDC_EDIT_PLATFORM, IDC_EDIT_DOMAIN, IDC_EDIT_SERVER, IDC_EDIT_REGISTRY}},
        CheckOrderCase{
            true, false, {IDC_EDIT_COMPANY, IDC_EDIT_PLATFORM, IDC_EDIT_DOMAIN, IDC_EDIT_REGISTRY}},
        CheckOrderCase{false, true, {IDC_EDIT_PLATFORM, IDC_EDIT_DOMAIN, IDC_EDIT_SERVER}}));

TEST_F(CreatePageTest, ServerListOptionAloneWritesOnlyTheServerList)
{
    WriteDeployment(module, kTwoGames);
    auto before = Snapshot(module);
    SetOptions(false, false, true);
    page.SetDlgItemText(IDC_EDIT_PLATFORM, u"P");
    page.SetDlgItemText(IDC_EDIT_DOMAIN, u"D");
    page.SetDlgItemText(IDC_EDIT_SERVER, u"1.2.3.4");
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(page.m_GameList.empty());
    EXPECT_EQ(Snapshot(module), before);
    auto written = Snapshot(work);
    EXPECT_EQ(written.size(), 2u) << "the folder P and its server list";
    EXPECT_EQ(LoadedServers("P/ServerInfo.ini"), (CArray<tagServer>{{u"P", u"1.2.3.4", u"D"}}));
}

TEST_F(CreatePageTest, NoOptionTestsNothingAndReadsNothing)
{
    // Not even a missing game list is noticed.
    SetOptions(false, false, false);
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(Snapshot(module).empty());
    EXPECT_TRUE(Snapshot(work).empty());
}

TEST_F(CreatePageTest, BlanksCountAsFilledIn)
{
    SetOptions(false, true, true);
    for (int id : kEdits)
        page.SetDlgItemText(id, u"  ");
    boxes.Expect(IDOK, 2); // past the checks: the game list is missing
    ClickOk();
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, u"游戏列表读取失败!");
    EXPECT_EQ(page.m_strServerAddr, u"  ");
}

TEST_F(CreatePageTest, DatabaseOptionAloneNeedsNoInputAndWritesTheDatabaseScripts)
{
    WriteDeployment(module, kTwoGames);
    SetOptions(true, false, false);
    EXPECT_EQ(ReadOnlyStates(), std::vector<bool>(5, true));
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    ASSERT_EQ(page.m_GameList.size(), 2u);
    EXPECT_EQ(page.m_GameList[1].strDatabaseName, u"PokerDB");
    EXPECT_EQ(DiskLines(module, "脚本代码/数据库脚本/1_8_Mahjong积分库脚本.sql"),
              std::vector<std::u16string>{u"CREATE DATABASE [MahjongDB]"});
    EXPECT_TRUE(Exists(module, "脚本代码/数据库脚本/2_9_Poker积分库脚本.sql"));
    EXPECT_TRUE(Exists(module, "脚本代码/存储过程/Poker积分数据库/游戏写分.sql"));
    EXPECT_EQ(DiskLines(module, kDrop).size(), 3u + 2 * 4);
    EXPECT_TRUE(Snapshot(work).empty());
}

TEST_F(CreatePageTest, MissingGameListShowsTheReadersMessageThenItsOwn)
{
    FillInputs();
    page.m_GameList.push_back(tagServerInfo{u"1", u"Old", u"OldModule", u"OldDB"});
    boxes.Expect(IDOK, 2);
    ClickOk();
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{u"游戏列表.sql  打开失败!貌似没有这个文件",
                                                          u"游戏列表读取失败!"}));
    for (const MessageBoxRequest& box : boxes.Shown()) {
        EXPECT_EQ(box.caption, AfxGetAppName());
        EXPECT_EQ(box.type, MB_OK);
    }
    EXPECT_TRUE(page.m_GameList.empty());
    EXPECT_TRUE(Snapshot(work).empty());
    EXPECT_EQ(Focused(), IDC_BTN_CREATE_OK) << "no input to correct";
}

TEST_F(CreatePageTest, EmptyGameListIsReportedOnceAndNeitherGeneratorRuns)
{
    WriteDeployment(module,
                    u"USE QPPlatformDB\nGO\ninsert [GameGameItem] VALUES ( 1, N'A', N'B', N'C', N'D')\n");
    auto before = Snapshot(module);
    FillInputs();
    boxes.Expect();
    ClickOk();
    ExpectOnlyBox(u"游戏列表读取成功,但是内容为空");
    EXPECT_EQ(Snapshot(module), before);
    EXPECT_TRUE(Snapshot(work).empty());
}

TEST_F(CreatePageTest, FullRunOnTheSampleDeploymentWritesEveryScript)
{
    CopyDeployFolder(module);
    CArray<tagServerInfo> games;
    ReporterRecorder reporter;
    ASSERT_EQ(
        ReadGameList(tagRunContext{reporter, DiskStore()}, WithTrailingSeparator(module.PathW()), games),
        GameListRead::read);
    ASSERT_FALSE(games.empty());
    std::string batchBefore = module.Read(kBatch);
    FillInputs();
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(page.m_GameList.size(), games.size());

    int number = 8;
    for (const tagServerInfo& game : games) {
        std::string name = ToUtf8(game.strGameName);
        EXPECT_TRUE(Exists(work, kPlatform + "/QZ" + name + ".iss")) << name;
        if (game.strDatabaseName == u"QPTreasureDB")
            continue;
        for (int part : {1, 2}) {
            std::string script = "脚本代码/数据库脚本/" + std::to_string(part) + "_" +
                                 std::to_string(number) + "_" + name + "积分库脚本.sql";
            EXPECT_TRUE(Exists(module, script)) << script;
        }
        for (const std::string& procedure : kProcedures)
            EXPECT_TRUE(Exists(module, "脚本代码/存储过程/" + name + "积分数据库/" + procedure + ".sql"));
        ++number;
    }
    EXPECT_NE(module.Read(kBatch), batchBefore);
    EXPECT_TRUE(Exists(work, kPlatform + "/" + kPlatform + ".iss"));
    EXPECT_TRUE(Exists(work, kPlatform + "/" + kPlatform + "-all.iss"));
    EXPECT_EQ(LoadedServers(kPlatform + "/ServerInfo.ini"),
              (CArray<tagServer>{{FromUtf8(kPlatform), u"10.0.0.5", u"www.xingchen.com"}}));
}

TEST_F(CreatePageTest, InstallerRunTwiceWritesTheSameScripts)
{
    WriteDeployment(module, kTwoGames);
    FillInputs();
    SetOptions(false, true, false);
    ClickOk();
    auto first = Snapshot(work);
    ClickOk();
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(first.size(), 5u); // the folder, two game scripts, the lobby and the full script
    EXPECT_EQ(Snapshot(work), first);
}

TEST_F(CreatePageTest, MissingTemplateStopsBeforeTheInstallerScripts)
{
    WriteDeployment(module, kTwoGames);
    fs::remove(DiskPath(module, "脚本代码/存储过程/积分数据库/游戏写分.sql"));
    std::string batchBefore = module.Read(kBatch);
    FillInputs();
    boxes.Expect();
    ClickOk();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              JoinPath(module.PathW(), u"脚本代码/存储过程/积分数据库/游戏写分.sql") + u"读取失败!");
    EXPECT_EQ(boxes.Shown()[0].caption, u"数据库脚本生成错误");
    EXPECT_FALSE(InstallerFolderExists());
    EXPECT_EQ(module.Read(kBatch), batchBefore);
    // The page lives on: the next command runs and stops at the same place.
    ASSERT_NE(page.GetSafeHwnd(), nullptr);
    boxes.Expect();
    ClickOk();
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(CreatePageTest, UnwritableScriptEndsTheCommandWithTheFileError)
{
    WriteDeployment(module, kTwoGames);
    const std::string target = "脚本代码/数据库脚本/2_8_Mahjong积分库脚本.sql";
    module.Write(target, "old");
    fs::permissions(DiskPath(module, target),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string batchBefore = module.Read(kBatch);
    FillInputs();
    boxes.Expect();
    ClickOk();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"拒绝访问 " + JoinPath(module.PathW(), FromUtf8(target)) + u"。");
    EXPECT_EQ(boxes.Shown()[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes.Shown()[0].type & MB_ICONMASK, MB_ICONSTOP);
    EXPECT_TRUE(Exists(module, "脚本代码/数据库脚本/1_8_Mahjong积分库脚本.sql"));
    EXPECT_EQ(module.Read(target), "old");
    EXPECT_EQ(module.Read(kBatch), batchBefore);
    EXPECT_FALSE(InstallerFolderExists());
}

} // namespace
