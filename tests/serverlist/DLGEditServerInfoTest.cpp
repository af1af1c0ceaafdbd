#include "serverlist/DLGEditServerInfo.h"

#include "app/KorvaneApp.h"
#include "framework/FileSystem.h"
#include "framework/WideText.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"
#include "support/FileDialogRecorder.h"
#include "support/MessageBoxRecorder.h"
#include "support/ReporterRecorder.h"
#include "support/TempDir.h"
#include "framework/TestDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace TestDriver;

namespace {

const std::u16string kMissingText =
    u"同目录下ServerInfo.ini不存在，请再次检查  或  点击“加载指定ini”指定正确的ini后再读取数据";

CArray<tagServer> SampleServers(int count)
{
    CArray<tagServer> servers;
    for (int i = 0; i < count; ++i) {
        std::u16string digit(1, char16_t(u'0' + i));
        servers.push_back({u"服务器" + digit, u"10.0.0." + digit, u"d" + digit + u".example"});
    }
    return servers;
}

std::vector<std::u16string> NamesOf(const CArray<tagServer>& servers)
{
    std::vector<std::u16string> names;
    for (const tagServer& server : servers)
        names.push_back(server.strServerName);
    return names;
}

class ServerListPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.m_ServerArray.clear();
        theApp.m_nEditIndex = 0;
        SetModuleDirectoryForTests(m_dir.PathW());
    }

    void TearDown() override
    {
        m_page.reset();
        theApp.m_pMainWnd = nullptr;
        theApp.m_ServerArray.clear();
        SetModuleDirectoryForTests(u"");
    }

    std::u16string LocalIni() const { return m_dir.FileW(u"ServerInfo.ini"); }

    static void WriteServerFile(const std::u16string& path, const CArray<tagServer>& servers)
    {
        ReporterRecorder reporter;
        ASSERT_FALSE(SaveServerList(tagRunContext{reporter, DiskStore()}, path, servers).Failed());
    }

    static CArray<tagServer> ReadServerFile(const std::u16string& path)
    {
        CArray<tagServer> servers;
        ReporterRecorder reporter;
        LoadServerList(tagRunContext{reporter, DiskStore()}, path, servers);
        return servers;
    }

    CDLGEditServerInfo& CreatePage()
    {
        m_page = std::make_unique<CDLGEditServerInfo>();
        m_page->SetCurrentFileHandler([this](const std::u16string& path) { m_filesShown.push_back(path); });
        EXPECT_TRUE(m_page->Create(IDD_DLG_EDIT_SERVERINFO, &m_host));
        return *m_page;
    }

    // Starts with the given entries beside the program, and one of them selected.
    CDLGEditServerInfo& CreatePageWith(int count, int selected = -1)
    {
        WriteServerFile(LocalIni(), SampleServers(count));
        CDLGEditServerInfo& page = CreatePage();
        page.m_ServerListBox.SetCurSel(selected);
        return page;
    }

    // The file Save writes, as the page shows it: the tooltip of "保存" and the last file it told the window.
    void ExpectFileShown(const std::u16string& path) const
    {
        EXPECT_EQ(ToolTip(*m_page, IDC_BTN_SAVE), path);
        ASSERT_FALSE(m_filesShown.empty());
        EXPECT_EQ(m_filesShown.back(), path);
    }

    // The load options as (加载本目录下ini, 加载指定ini).
    std::pair<bool, bool> Options() const
    {
        return {m_page->IsDlgButtonChecked(IDC_RADIO_LOAD_LOCAL) == BST_CHECKED,
                m_page->IsDlgButtonChecked(IDC_RADIO_LOAD_CHOSEN) == BST_CHECKED};
    }

    // A file of `count` entries in a folder of its own, chosen through the open dialog.
    std::u16string LoadChosenFile(int count)
    {
        std::u16string chosen = m_dir.FileW(u"其他/ServerInfo.ini");
        std::filesystem::create_directories(std::filesystem::u8path(m_dir.File("其他")));
        WriteServerFile(chosen, SampleServers(count));
        m_files.Choose(chosen);
        Click(*m_page, IDC_RADIO_LOAD_CHOSEN);
        return chosen;
    }

    std::vector<std::u16string> Lines() const { return ListLines(*m_page, IDC_LIST_SERVER); }
    int Selected() const { return m_page->m_ServerListBox.GetCurSel(); }
    static std::vector<std::u16string> ArrayNames() { return NamesOf(theApp.m_ServerArray); }

    // Runs a command that must not open the entry dialog.
    void ClickWithoutDialog(int id)
    {
        FailIfModal();
        Click(*m_page, id);
        ProcessPending();
    }

    TempDir m_dir;
    MessageBoxRecorder m_boxes;
    FileDialogRecorder m_files;
    CHostWnd m_host;
    std::unique_ptr<CDLGEditServerInfo> m_page;
    std::vector<std::u16string> m_filesShown;
};

// Start and the two loads

TEST_F(ServerListPageTest, StartWithTheFileBesideTheProgramLoadsItAndChecksTheLocalOption)
{
    CDLGEditServerInfo& page = CreatePageWith(3);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_LOAD_LOCAL), BST_CHECKED);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_LOAD_CHOSEN), BST_UNCHECKED);
    EXPECT_EQ(page.m_szIniPath, LocalIni());
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(3)));
    EXPECT_EQ(Lines(), NamesOf(SampleServers(3)));
    EXPECT_EQ(theApp.m_ServerArray[2].strServerAddr, u"10.0.0.2");
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ServerListPageTest, AHugeCountBesideTheProgramIsCutWithOneMessageAndTheWindowStarts)
{
    m_dir.Write("ServerInfo.ini", "[ServerInfo]\r\nItemCount=2000000000\r\nItemDescribe1=x\r\n");
    m_boxes.Expect(IDOK, 2);
    CreatePage();
    ASSERT_EQ(m_boxes.Shown().size(), 2u);
    EXPECT_EQ(m_boxes.Shown()[0].text, u"ItemCount=2000000000 远多于文件中保存的服务器，只加载了 10001 项");
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"ServerInfo.ini");
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(m_boxes.Shown()[1].text, u"解密字符不能少于64个哦~亲")
        << "then the decoder's own message, once";
    EXPECT_EQ(Lines().size(), 10001u);
}

TEST_F(ServerListPageTest, StartWithoutTheFileIsSilentAndEmpty)
{
    CDLGEditServerInfo& page = CreatePage();
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_LOAD_LOCAL), BST_UNCHECKED);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_LOAD_CHOSEN), BST_UNCHECKED);
    EXPECT_TRUE(page.m_szIniPath.empty());
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(ServerListPageTest, LoadLocalWithTheFileMissingReportsItAndKeepsEverything)
{
    CDLGEditServerInfo& page = CreatePageWith(2);
    std::filesystem::remove(std::filesystem::u8path(m_dir.File("ServerInfo.ini")));
    m_boxes.Expect(IDOK);
    Click(page, IDC_RADIO_LOAD_LOCAL);

    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].text, kMissingText);
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"同目录下ServerInfo.ini读取失败");
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Lines(), NamesOf(SampleServers(2)));
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(2)));
    EXPECT_EQ(page.m_szIniPath, LocalIni());
    EXPECT_EQ(Options(), std::make_pair(true, false)) << "the list still holds the file beside the program";
    for (int id = IDC_LIST_SERVER; id <= IDC_BTN_SERVERLIST_CANCEL; ++id)
        EXPECT_TRUE(IsEnabled(page, id)) << "control " << id;
}

TEST_F(ServerListPageTest, AFailedLocalLoadLeavesTheChosenFileItsOption)
{
    CDLGEditServerInfo& page = CreatePage();
    std::u16string chosen = LoadChosenFile(3);
    ASSERT_EQ(Options(), std::make_pair(false, true));
    m_boxes.Expect(IDOK);
    Click(page, IDC_RADIO_LOAD_LOCAL);
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].text, kMissingText);
    EXPECT_EQ(Options(), std::make_pair(false, true));
    EXPECT_EQ(Lines(), NamesOf(SampleServers(3)));
    ExpectFileShown(chosen);
}

TEST_F(ServerListPageTest, AFailedLocalLoadWithoutAFileLeavesBothOptionsClear)
{
    CDLGEditServerInfo& page = CreatePage();
    m_boxes.Expect(IDOK);
    Click(page, IDC_RADIO_LOAD_LOCAL);
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(Options(), std::make_pair(false, false));
    EXPECT_TRUE(page.m_szIniPath.empty());
    ExpectFileShown(u"");

    // Choosing a place to save names a file but loads none: the options stay clear.
    theApp.m_ServerArray = SampleServers(1);
    m_files.Choose(m_dir.FileW(u"新建.ini"));
    Click(page, IDC_BTN_SAVE);
    m_boxes.Expect(IDOK);
    Click(page, IDC_RADIO_LOAD_LOCAL);
    EXPECT_EQ(Options(), std::make_pair(false, false));
}

TEST_F(ServerListPageTest, LoadLocalAgainDiscardsTheEditsWithoutAQuestion)
{
    CDLGEditServerInfo& page = CreatePageWith(3, 1);
    Click(page, IDC_BTN_DELETE);
    ASSERT_EQ(Lines().size(), 2u);
    Click(page, IDC_RADIO_LOAD_LOCAL);
    EXPECT_EQ(Lines(), NamesOf(SampleServers(3)));
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(3)));
}

TEST_F(ServerListPageTest, LoadLocalFindsAFileThatAppearedAfterStart)
{
    CDLGEditServerInfo& page = CreatePage();
    WriteServerFile(LocalIni(), SampleServers(2));
    Click(page, IDC_RADIO_LOAD_LOCAL);
    EXPECT_EQ(page.m_szIniPath, LocalIni());
    EXPECT_EQ(Lines(), NamesOf(SampleServers(2)));
}

TEST_F(ServerListPageTest, LoadChosenAsksForAnExistingIniAndMakesItTheCurrentFile)
{
    CDLGEditServerInfo& page = CreatePageWith(1);
    // A deep path, longer than the platform's 259 characters, is kept whole.
    std::string deep = std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(100, 'c');
    std::filesystem::create_directories(std::filesystem::u8path(m_dir.File(deep)));
    std::u16string chosen = FromUtf8(m_dir.File(deep + "/其他服务器.ini"));
    ASSERT_GT(chosen.size(), 259u);
    WriteServerFile(chosen, SampleServers(4));
    m_files.Choose(chosen);
    Click(page, IDC_RADIO_LOAD_CHOSEN);

    ASSERT_EQ(m_files.Shown().size(), 1u);
    const FileDialogRequest& request = m_files.Shown()[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.title, u"请选择你需要加载的ini");
    EXPECT_EQ(request.filter, u"配置文件 (*.ini)|*.ini;|");
    EXPECT_EQ(request.defaultExt, u"ini");
    EXPECT_TRUE(request.initialPath.empty());
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_EQ(page.m_szIniPath, chosen);
    EXPECT_EQ(Lines(), NamesOf(SampleServers(4)));

    // Save now goes to the chosen file, not to the one beside the program.
    theApp.m_ServerArray.pop_back();
    Click(page, IDC_BTN_SAVE);
    EXPECT_EQ(NamesOf(ReadServerFile(chosen)), NamesOf(SampleServers(3)));
    EXPECT_EQ(NamesOf(ReadServerFile(LocalIni())), NamesOf(SampleServers(1)));
}

TEST_F(ServerListPageTest, CancellingTheOpenDialogChangesNothing)
{
    CDLGEditServerInfo& page = CreatePageWith(2, 1);
    m_files.Cancel();
    Click(page, IDC_RADIO_LOAD_CHOSEN);
    EXPECT_EQ(m_files.Shown().size(), 1u);
    EXPECT_EQ(Options(), std::make_pair(true, false));
    EXPECT_EQ(page.m_szIniPath, LocalIni());
    EXPECT_EQ(Lines(), NamesOf(SampleServers(2)));
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(2)));
    EXPECT_EQ(Selected(), 1);
}

// Which file Save writes

TEST_F(ServerListPageTest, StartShowsWhichFileSaveWrites)
{
    CreatePage();
    EXPECT_EQ(m_filesShown, std::vector<std::u16string>{u""});
    EXPECT_EQ(ToolTip(*m_page, IDC_BTN_SAVE), u"");

    m_filesShown.clear();
    CreatePageWith(2);
    EXPECT_EQ(m_filesShown, std::vector<std::u16string>{LocalIni()});
    ExpectFileShown(LocalIni());
}

TEST_F(ServerListPageTest, EveryLoadAndEveryChosenSavePathShowTheNewFile)
{
    CDLGEditServerInfo& page = CreatePage();
    theApp.m_ServerArray = SampleServers(1);
    std::u16string target = m_dir.FileW(u"另存.ini");
    m_files.Choose(target);
    Click(page, IDC_BTN_SAVE);
    ExpectFileShown(target);

    std::u16string chosen = LoadChosenFile(2);
    ExpectFileShown(chosen);

    WriteServerFile(LocalIni(), SampleServers(3));
    Click(page, IDC_RADIO_LOAD_LOCAL);
    ExpectFileShown(LocalIni());

    // A cancelled choice keeps the file.
    m_files.Cancel();
    Click(page, IDC_RADIO_LOAD_CHOSEN);
    ExpectFileShown(LocalIni());
    EXPECT_EQ(Options(), std::make_pair(true, false));
}

// Reordering

TEST_F(ServerListPageTest, MoveUpFromIndexThreeAndMoveDownBack)
{
    CDLGEditServerInfo& page = CreatePageWith(5, 3);
    Click(page, IDC_BTN_MOVE_UP);
    std::vector<std::u16string> swapped = NamesOf(SampleServers(5));
    std::swap(swapped[2], swapped[3]);
    EXPECT_EQ(ArrayNames(), swapped);
    EXPECT_EQ(Lines(), swapped);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(theApp.m_ServerArray[2].strServerAddr, u"10.0.0.3"); // whole entries move, not just names

    Click(page, IDC_BTN_MOVE_DOWN);
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(5)));
    EXPECT_EQ(Lines(), NamesOf(SampleServers(5)));
    EXPECT_EQ(Selected(), 3);
}

TEST_F(ServerListPageTest, ImpossibleMovesChangeNothing)
{
    struct Case
    {
        int button;
        int selected;
    };
    for (Case c : {Case{IDC_BTN_MOVE_UP, 0}, Case{IDC_BTN_MOVE_UP, -1}, Case{IDC_BTN_MOVE_DOWN, 3},
                   Case{IDC_BTN_MOVE_DOWN, -1}}) {
        m_page.reset();
        CDLGEditServerInfo& page = CreatePageWith(4, c.selected);
        Click(page, c.button);
        EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(4))) << c.button << " at " << c.selected;
        EXPECT_EQ(Lines(), NamesOf(SampleServers(4))) << c.button << " at " << c.selected;
        EXPECT_EQ(Selected(), c.selected) << c.button << " at " << c.selected;
    }
}

// Deleting

TEST_F(ServerListPageTest, DeletingAMiddleLineSelectsTheOneThatTookItsPlace)
{
    CDLGEditServerInfo& page = CreatePageWith(4, 1);
    Click(page, IDC_BTN_DELETE);
    std::vector<std::u16string> expected{u"服务器0", u"服务器2", u"服务器3"};
    EXPECT_EQ(ArrayNames(), expected);
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(Selected(), 1);
}

TEST_F(ServerListPageTest, DeletingTheLastLineSelectsTheNewLastLine)
{
    CDLGEditServerInfo& page = CreatePageWith(3, 2);
    Click(page, IDC_BTN_DELETE);
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"服务器0", u"服务器1"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(ServerListPageTest, DeletingTheOnlyLineLeavesNoSelection)
{
    CDLGEditServerInfo& page = CreatePageWith(1, 0);
    Click(page, IDC_BTN_DELETE);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(theApp.m_ServerArray.empty());
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ServerListPageTest, DeleteWithoutSelectionDoesNothing)
{
    CDLGEditServerInfo& page = CreatePageWith(2);
    Click(page, IDC_BTN_DELETE);
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(2)));
    EXPECT_EQ(Lines(), NamesOf(SampleServers(2)));
}

// Adding and editing through the entry dialog

TEST_F(ServerListPageTest, AddConfirmedAppendsAndRebuildsTheList)
{
    CDLGEditServerInfo& page = CreatePageWith(2, 0);
    theApp.m_nEditIndex = 7;
    std::u16string startName = u"unset";
    WhenModal([&](CDialogEx& dialog) {
        startName = Text(dialog, IDC_EDIT_SERVER_NAME);
        SetText(dialog, IDC_EDIT_SERVER_NAME, u"新服");
        SetText(dialog, IDC_EDIT_SERVER_ADDR, u"192.168.1.9");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    Click(page, IDC_BTN_ADD);
    EXPECT_EQ(startName, u"");
    EXPECT_EQ(theApp.m_nEditIndex, -1);
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"服务器0", u"服务器1", u"新服"}));
    EXPECT_EQ(theApp.m_ServerArray.back().strServerAddr, u"192.168.1.9");
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ServerListPageTest, AddWithEmptyFieldsShowsAnEmptyLastLine)
{
    CDLGEditServerInfo& page = CreatePageWith(1);
    WhenModal([](CDialogEx& dialog) { Click(dialog, IDC_BTN_SERVER_OK); });
    Click(page, IDC_BTN_ADD);
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"服务器0", u""}));
}

TEST_F(ServerListPageTest, CancelledDialogDoesNotRebuildTheList)
{
    for (int button : {IDC_BTN_ADD, IDC_BTN_EDIT}) {
        CDLGEditServerInfo& page = m_page ? *m_page : CreatePageWith(3, 1);
        WhenModal([](CDialogEx& dialog) {
            SetText(dialog, IDC_EDIT_SERVER_NAME, u"丢弃");
            Click(dialog, IDC_BTN_SERVER_CANCEL);
        });
        Click(page, button);
        EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(3))) << button;
        EXPECT_EQ(Lines(), NamesOf(SampleServers(3))) << button;
        // An untouched list keeps its selection; a rebuilt one would have none.
        EXPECT_EQ(Selected(), 1) << button;
    }
}

TEST_F(ServerListPageTest, EditShowsTheSelectedEntryAndReplacesIt)
{
    CDLGEditServerInfo& page = CreatePageWith(3, 1);
    std::u16string shownDomain;
    WhenModal([&](CDialogEx& dialog) {
        shownDomain = Text(dialog, IDC_EDIT_SERVER_DOMAIN);
        SetText(dialog, IDC_EDIT_SERVER_NAME, u"  改名  ");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    Click(page, IDC_BTN_EDIT);
    EXPECT_EQ(theApp.m_nEditIndex, 1);
    EXPECT_EQ(shownDomain, u"d1.example");
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"服务器0", u"  改名  ", u"服务器2"}));
    EXPECT_EQ(theApp.m_ServerArray[1].strServerDomain, u"d1.example");
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ServerListPageTest, EditWithoutSelectionDoesNothing)
{
    CreatePageWith(2);
    theApp.m_nEditIndex = 5;
    ClickWithoutDialog(IDC_BTN_EDIT);
    EXPECT_EQ(theApp.m_nEditIndex, 5);
    EXPECT_EQ(ArrayNames(), NamesOf(SampleServers(2)));
}

TEST_F(ServerListPageTest, DoubleClickWithoutSelectionOpensAnEmptyDialogThatAppends)
{
    CreatePageWith(2);
    std::u16string startName = u"unset";
    WhenModal([&](CDialogEx& dialog) {
        startName = Text(dialog, IDC_EDIT_SERVER_NAME);
        SetText(dialog, IDC_EDIT_SERVER_NAME, u"双击添加");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    // A real double-click below the lines, through the list's own notification.
    DoubleClickList(*m_page, IDC_LIST_SERVER, -1);
    ProcessPending();
    EXPECT_EQ(startName, u"");
    EXPECT_EQ(theApp.m_nEditIndex, -1);
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"服务器0", u"服务器1", u"双击添加"}));
}

TEST_F(ServerListPageTest, DoubleClickOnALineEditsIt)
{
    CDLGEditServerInfo& page = CreatePageWith(3, 2);
    std::u16string shownName;
    WhenModal([&](CDialogEx& dialog) {
        shownName = Text(dialog, IDC_EDIT_SERVER_NAME);
        SetText(dialog, IDC_EDIT_SERVER_ADDR, u"1.1.1.1");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    // The first click of the two selects the line that the dialog then edits.
    DoubleClickList(page, IDC_LIST_SERVER, 1);
    ProcessPending();
    EXPECT_EQ(shownName, u"服务器1");
    EXPECT_EQ(theApp.m_nEditIndex, 1);
    ASSERT_EQ(theApp.m_ServerArray.size(), 3u);
    EXPECT_EQ(theApp.m_ServerArray[1].strServerAddr, u"1.1.1.1");
    EXPECT_EQ(theApp.m_ServerArray[2].strServerAddr, u"10.0.0.2");
}

// Saving

TEST_F(ServerListPageTest, SaveWritesTheListToTheCurrentFileSilently)
{
    CDLGEditServerInfo& page = CreatePageWith(3, 0);
    Click(page, IDC_BTN_MOVE_DOWN);
    Click(page, IDC_BTN_SAVE);
    CArray<tagServer> saved = ReadServerFile(LocalIni());
    std::vector<std::u16string> expected{u"服务器1", u"服务器0", u"服务器2"};
    EXPECT_EQ(NamesOf(saved), expected);
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[1].strServerAddr, u"10.0.0.0");
    EXPECT_EQ(saved[1].strServerDomain, u"d0.example");
    // The page itself is left as it was.
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(ServerListPageTest, SaveWithoutACurrentFileAsksWhereAndRemembersTheChoice)
{
    CDLGEditServerInfo& page = CreatePage();
    theApp.m_ServerArray = SampleServers(2);
    std::u16string target = m_dir.FileW(u"另存.ini");
    m_files.Choose(target);
    Click(page, IDC_BTN_SAVE);

    ASSERT_EQ(m_files.Shown().size(), 1u);
    const FileDialogRequest& request = m_files.Shown()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.title, u"请选择保存ini的位置");
    EXPECT_EQ(request.filter, u"配置文件 (*.ini)|*.ini;|");
    EXPECT_EQ(request.defaultExt, u"ini");
    EXPECT_EQ(request.initialPath, GetModuleDirectory() + u"ServerInfo.ini");
    EXPECT_EQ(page.m_szIniPath, target);
    EXPECT_EQ(NamesOf(ReadServerFile(target)), NamesOf(SampleServers(2)));

    // The next save goes to the same file without asking (an unanswered dialog would fail).
    theApp.m_ServerArray.pop_back();
    Click(page, IDC_BTN_SAVE);
    EXPECT_EQ(m_files.Shown().size(), 1u);
    EXPECT_EQ(NamesOf(ReadServerFile(target)), NamesOf(SampleServers(1)));
}

TEST_F(ServerListPageTest, CancellingTheSaveDialogWritesNothing)
{
    CDLGEditServerInfo& page = CreatePage();
    theApp.m_ServerArray = SampleServers(2);
    m_files.Cancel();
    Click(page, IDC_BTN_SAVE);
    EXPECT_EQ(m_files.Shown().size(), 1u);
    EXPECT_TRUE(page.m_szIniPath.empty());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(m_dir.File("ServerInfo.ini"))));
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::u8path(m_dir.Path())));
}

TEST_F(ServerListPageTest, AReadOnlyFileIsReportedAndKeptAsItWas)
{
    CDLGEditServerInfo& page = CreatePageWith(2, 0);
    std::string before = m_dir.Read("ServerInfo.ini");
    std::filesystem::permissions(std::filesystem::u8path(m_dir.File("ServerInfo.ini")),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read);
    Click(page, IDC_BTN_DELETE);
    m_boxes.Expect(IDOK);
    Click(page, IDC_BTN_SAVE);

    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    const MessageBoxRequest& box = m_boxes.Shown()[0];
    EXPECT_EQ(box.caption, u"ServerInfo.ini保存失败");
    EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_NE(box.text.find(LocalIni()), std::u16string::npos) << ToUtf8(box.text);
    EXPECT_NE(box.text.find(u"没有写入权限"), std::u16string::npos) << ToUtf8(box.text);
    EXPECT_EQ(m_dir.Read("ServerInfo.ini"), before);
}

TEST_F(ServerListPageTest, AChosenPathInAMissingFolderIsReported)
{
    CDLGEditServerInfo& page = CreatePage();
    theApp.m_ServerArray = SampleServers(1);
    std::u16string target = m_dir.FileW(u"没有这个目录/ServerInfo.ini");
    m_files.Choose(target);
    m_boxes.Expect(IDOK);
    Click(page, IDC_BTN_SAVE);
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_NE(m_boxes.Shown()[0].text.find(target), std::u16string::npos);
    EXPECT_NE(m_boxes.Shown()[0].text.find(u"目录不存在"), std::u16string::npos);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(m_dir.File("没有这个目录"))));
}

// Closing

TEST_F(ServerListPageTest, CancelAsksTheMainWindowToCloseAfterTheClick)
{
    CDLGEditServerInfo& page = CreatePageWith(2);
    theApp.m_pMainWnd = &m_host;
    page.m_ServerListBox.SetCurSel(0);
    Click(page, IDC_BTN_DELETE); // an unsaved change that the close does not ask about
    Click(page, IDC_BTN_SERVERLIST_CANCEL);
    EXPECT_EQ(m_host.CloseRequests(), 0);
    ProcessPending();
    EXPECT_EQ(m_host.CloseRequests(), 1);
    EXPECT_EQ(NamesOf(ReadServerFile(LocalIni())), NamesOf(SampleServers(2)));
}

} // namespace
