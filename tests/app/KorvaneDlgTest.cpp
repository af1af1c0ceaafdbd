#include "app/KorvaneDlg.h"

#include "app/KorvaneApp.h"
#include "framework/FileSystem.h"
#include "framework/TestDriver.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"
#include "support/FileDialogRecorder.h"
#include "support/MessageBoxRecorder.h"
#include "support/ReporterRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace TestDriver;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { SetModuleDirectoryForTests(folder.PathW()); }
    void TearDown() override { SetModuleDirectoryForTests(u""); }

    // Runs the main window modally; `act` runs inside the modal loop and must end it. A window that is
    // still open after a few seconds fails the test and is closed.
    int RunMainWindow(const std::function<void(CKorvaneDlg&)>& act)
    {
        CKorvaneDlg dlg;
        theApp.m_pMainWnd = &dlg;
        WhenModal([&](CDialogEx&) { act(dlg); }, 5000);
        int result = dlg.DoModal();
        theApp.m_pMainWnd = nullptr;
        return result;
    }

    // The tab selected and its page the only one shown.
    static void ExpectOnlyPage(CKorvaneDlg& dlg, int index)
    {
        EXPECT_EQ(dlg.m_tabMain.GetCurSel(), index);
        EXPECT_EQ(dlg.m_pageEncrypt.IsWindowVisible(), index == 0);
        EXPECT_EQ(dlg.m_pageCreate.IsWindowVisible(), index == 1);
        EXPECT_EQ(dlg.m_pageServerList.IsWindowVisible(), index == 2);
    }

    static void WriteServerFile(const std::u16string& path)
    {
        ReporterRecorder reporter;
        CArray<tagServer> servers{{u"一号服", u"10.0.0.1", u"a.example"}};
        ASSERT_FALSE(SaveServerList(tagRunContext{reporter, DiskStore()}, path, servers).Failed());
    }

    TempDir folder;
    MessageBoxRecorder boxes;
};

TEST_F(MainWindowTest, StartsOnTheEncryptionTabWithThreeTabs)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), u"Talmir工具");
        EXPECT_EQ(ListLines(dlg, IDC_TAB_MAIN),
                  (std::vector<std::u16string>{u"加密解密工具", u"脚本创建工具", u"ServerInfo.ini 编辑器"}));
        ExpectOnlyPage(dlg, 0);
        EXPECT_EQ(dlg.m_pageEncrypt.IsDlgButtonChecked(IDC_RADIO_XOR), BST_CHECKED);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, PagesAreChildrenOfTheTabControlInThePageRectangle)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        CRect tab = ControlRect(dlg, IDC_TAB_MAIN);
        for (CWnd* page : {static_cast<CWnd*>(&dlg.m_pageEncrypt), static_cast<CWnd*>(&dlg.m_pageCreate),
                           static_cast<CWnd*>(&dlg.m_pageServerList)}) {
            EXPECT_EQ(ParentOf(page->GetSafeHwnd()), dlg.GetDlgItem(IDC_TAB_MAIN));
            EXPECT_EQ(WindowRect(*page), (CRect{1, 22, tab.Width() - 3, tab.Height() - 2}));
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, GeometryFollowsTheDialogUnitsOfTheTemplateFont)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        const BaseUnits& base = dlg.GetBaseUnits();
        EXPECT_GT(base.cx, 0);
        EXPECT_GT(base.cy, 0);
        CRect client;
        dlg.GetClientRect(&client);
        EXPECT_EQ(client, (CRect{0, 0, MulDiv(279, base.cx, 4), MulDiv(166, base.cy, 8)}));
        EXPECT_EQ(ControlRect(dlg, IDC_TAB_MAIN), DialogUnitsToPixels(0, 1, 279, 165, base));
        // The page's bottom buttons lie inside the page rectangle: nothing the operator needs is clipped.
        const BaseUnits& pageBase = dlg.m_pageEncrypt.GetBaseUnits();
        CRect page;
        dlg.m_pageEncrypt.GetClientRect(&page);
        CRect encrypt = ControlRect(dlg.m_pageEncrypt, IDC_BTN_ENCRYPT);
        EXPECT_EQ(encrypt, DialogUnitsToPixels(75, 148, 60, 17, pageBase));
        EXPECT_LE(encrypt.bottom, page.bottom);
        EXPECT_LE(ControlRect(dlg.m_pageEncrypt, IDC_BTN_PASTE).right, page.right);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, TabSelectionShowsExactlyOnePageAndKeepsContents)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        SetText(dlg.m_pageEncrypt, IDC_EDIT_INPUT, u"保留的文字");
        SelectTab(dlg, IDC_TAB_MAIN, 1);
        ExpectOnlyPage(dlg, 1);
        SelectTab(dlg, IDC_TAB_MAIN, 2);
        ExpectOnlyPage(dlg, 2);
        SelectTab(dlg, IDC_TAB_MAIN, 0);
        ExpectOnlyPage(dlg, 0);
        EXPECT_EQ(Text(dlg.m_pageEncrypt, IDC_EDIT_INPUT), u"保留的文字");
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, CtrlTabSelectsTheNextTabFromAnyPageAndWraps)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        PressKey(dlg.m_pageEncrypt, IDC_EDIT_INPUT, EKey::ctrlTab);
        ExpectOnlyPage(dlg, 1);
        PressKey(dlg.m_pageCreate, IDC_EDIT_COMPANY, EKey::ctrlTab);
        ExpectOnlyPage(dlg, 2);
        PressKey(dlg.m_pageServerList, IDC_LIST_SERVER, EKey::ctrlTab);
        ExpectOnlyPage(dlg, 0);
        PressKey(dlg, IDC_TAB_MAIN, EKey::ctrlTab);
        ExpectOnlyPage(dlg, 1);
        // Tab alone moves the focus within the page.
        PressKey(dlg.m_pageCreate, IDC_EDIT_COMPANY, EKey::tab);
        ExpectOnlyPage(dlg, 1);
        EXPECT_EQ(FocusedControl(dlg.m_pageCreate), IDC_EDIT_PLATFORM);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, CtrlShiftTabSelectsThePreviousTabAndWraps)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        PressKey(dlg.m_pageEncrypt, IDC_BTN_ENCRYPT, EKey::ctrlShiftTab);
        ExpectOnlyPage(dlg, 2);
        PressKey(dlg.m_pageServerList, IDC_BTN_SAVE, EKey::ctrlShiftTab);
        ExpectOnlyPage(dlg, 1);
        PressKey(dlg.m_pageCreate, IDC_CHECK_DATABASE, EKey::ctrlShiftTab);
        ExpectOnlyPage(dlg, 0);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, TitleNamesTheFileTheServerListSavesTo)
{
    std::u16string local = folder.FileW(u"ServerInfo.ini");
    std::u16string chosen = folder.FileW(u"其他服务器.ini");
    WriteServerFile(local);
    WriteServerFile(chosen);
    FileDialogRecorder files;
    RunMainWindow([&](CKorvaneDlg& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), u"Talmir工具 — " + local);
        files.Choose(chosen);
        Click(dlg.m_pageServerList, IDC_RADIO_LOAD_CHOSEN);
        EXPECT_EQ(dlg.GetWindowText(), u"Talmir工具 — " + chosen);
        EXPECT_EQ(ToolTip(dlg.m_pageServerList, IDC_BTN_SAVE), chosen);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, SelectingByProgramRaisesNoNotification)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        dlg.m_tabMain.SetCurSel(2);
        EXPECT_EQ(dlg.m_tabMain.GetCurSel(), 2);
        EXPECT_TRUE(dlg.m_pageEncrypt.IsWindowVisible());
        EXPECT_FALSE(dlg.m_pageServerList.IsWindowVisible());
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgram)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) { CloseWindow(dlg); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, EscInTheInputBoxEndsTheProgram)
{
    int result =
        RunMainWindow([&](CKorvaneDlg& dlg) { PressKey(dlg.m_pageEncrypt, IDC_EDIT_INPUT, EKey::escape); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, EnterInAnEditBoxEndsTheProgramWithOk)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) {
        SelectTab(dlg, IDC_TAB_MAIN, 1);
        PressKey(dlg.m_pageCreate, IDC_EDIT_COMPANY, EKey::enter);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(MainWindowTest, EnterOnAFocusedButtonClicksItInstead)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) {
        Click(dlg.m_pageEncrypt, IDC_RADIO_IP);
        SetText(dlg.m_pageEncrypt, IDC_EDIT_INPUT, u"1.2.3.4");
        PressKey(dlg.m_pageEncrypt, IDC_BTN_ENCRYPT, EKey::enter);
        EXPECT_EQ(Text(dlg.m_pageEncrypt, IDC_EDIT_RESULT), u"67305985");
        ProcessPending();
        EXPECT_TRUE(dlg.IsWindowVisible());
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The Cancel buttons post their close request: the click returns first, the window closes after.
void ExpectPostedClose(CKorvaneDlg& dlg, CWnd& page, int buttonId)
{
    Click(page, buttonId);
    EXPECT_TRUE(dlg.IsWindowVisible()) << "closed before the click returned";
}

TEST_F(MainWindowTest, CreationPageCancelClosesAfterTheClick)
{
    int result = RunMainWindow(
        [&](CKorvaneDlg& dlg) { ExpectPostedClose(dlg, dlg.m_pageCreate, IDC_BTN_CREATE_CANCEL); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, ServerListPageCancelClosesAfterTheClick)
{
    int result = RunMainWindow(
        [&](CKorvaneDlg& dlg) { ExpectPostedClose(dlg, dlg.m_pageServerList, IDC_BTN_SERVERLIST_CANCEL); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, ResizingTheFrameLeavesTheTabControlInPlace)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        CRect before = ControlRect(dlg, IDC_TAB_MAIN);
        CRect page = WindowRect(dlg.m_pageEncrypt);
        CRect client;
        dlg.GetClientRect(&client);
        ResizeWindow(dlg, client.Width() + 150, client.Height() + 90);
        EXPECT_EQ(ControlRect(dlg, IDC_TAB_MAIN), before);
        EXPECT_EQ(WindowRect(dlg.m_pageEncrypt), page);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, PageRectangleLeavesRoomForTheStrip)
{
    CRect page = CKorvaneDlg::PageRect(CRect{0, 0, 488, 309});
    EXPECT_EQ(page.left, 1);
    EXPECT_EQ(page.top, 22);
    EXPECT_EQ(page.Width(), 484);
    EXPECT_EQ(page.Height(), 285);
}

TEST(DialogUnits, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(279, 7, 4), 488);  // 488.25
    EXPECT_EQ(MulDiv(166, 15, 8), 311); // 311.25
    EXPECT_EQ(MulDiv(1, 6, 4), 2);      // 1.5
    EXPECT_EQ(MulDiv(-1, 6, 4), -2);
    EXPECT_EQ(MulDiv(5, 3, 0), -1);
}

} // namespace
