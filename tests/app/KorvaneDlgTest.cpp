#include "app/KorvaneDlg.h"

#include "app/KorvaneApp.h"
#include "framework/FileSystem.h"
#include "framework/qt/DialogFont.h"
#include "framework/qt/QtText.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"
#include "support/FileDialogRecorder.h"
#include "support/MessageBoxRecorder.h"
#include "support/ReporterRecorder.h"
#include "support/TempDir.h"
#include "support/gui/Controls.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <functional>

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
        QTimer::singleShot(0, [&] { act(dlg); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the main window did not close";
            dlg.EndDialog(-5);
        });
        guard.start(5000);
        int result = dlg.DoModal();
        theApp.m_pMainWnd = nullptr;
        return result;
    }

    static QTabBar* TabBar(CKorvaneDlg& dlg)
    {
        return WidgetOf(dlg.GetDlgItem(IDC_TAB_MAIN))->findChild<QTabBar*>();
    }

    // The tab selected and its page the only one shown.
    static void ExpectOnlyPage(CKorvaneDlg& dlg, int index)
    {
        EXPECT_EQ(dlg.m_tabMain.GetCurSel(), index);
        EXPECT_EQ(dlg.m_pageEncrypt.IsWindowVisible(), index == 0);
        EXPECT_EQ(dlg.m_pageCreate.IsWindowVisible(), index == 1);
        EXPECT_EQ(dlg.m_pageServerList.IsWindowVisible(), index == 2);
    }

    static void CtrlTab(QWidget* focused) { QTest::keyClick(focused, Qt::Key_Tab, Qt::ControlModifier); }
    // The window system delivers Ctrl+Shift+Tab as Backtab.
    static void CtrlShiftTab(QWidget* focused)
    {
        QTest::keyClick(focused, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
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
        EXPECT_EQ(WidgetOf(dlg.GetSafeHwnd())->windowTitle(), QStringLiteral("Talmir工具"));
        QTabBar* tabs = TabBar(dlg);
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("加密解密工具"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("脚本创建工具"));
        EXPECT_EQ(tabs->tabText(2), QStringLiteral("ServerInfo.ini 编辑器"));
        EXPECT_EQ(dlg.m_tabMain.GetCurSel(), 0);
        EXPECT_TRUE(dlg.m_pageEncrypt.IsWindowVisible());
        EXPECT_FALSE(dlg.m_pageCreate.IsWindowVisible());
        EXPECT_FALSE(dlg.m_pageServerList.IsWindowVisible());
        EXPECT_EQ(dlg.m_pageEncrypt.IsDlgButtonChecked(IDC_RADIO_XOR), BST_CHECKED);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, PagesAreChildrenOfTheTabControlInThePageRectangle)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        QWidget* tab = WidgetOf(dlg.GetDlgItem(IDC_TAB_MAIN));
        for (CWnd* page : {static_cast<CWnd*>(&dlg.m_pageEncrypt), static_cast<CWnd*>(&dlg.m_pageCreate),
                           static_cast<CWnd*>(&dlg.m_pageServerList)}) {
            EXPECT_EQ(WidgetOf(page->GetSafeHwnd())->parentWidget(), tab);
            EXPECT_EQ(WidgetOf(page->GetSafeHwnd())->geometry(),
                      QRect(1, 22, tab->width() - 4, tab->height() - 24));
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
        EXPECT_EQ(WidgetOf(dlg.GetSafeHwnd())->size(),
                  QSize(MulDiv(279, base.cx, 4), MulDiv(166, base.cy, 8)));
        EXPECT_EQ(WidgetOf(dlg.GetDlgItem(IDC_TAB_MAIN))->geometry(),
                  QRect(0, MulDiv(1, base.cy, 8), MulDiv(279, base.cx, 4), MulDiv(165, base.cy, 8)));
        // The page's bottom buttons lie inside the page rectangle: nothing the operator needs is clipped.
        const BaseUnits& pageBase = dlg.m_pageEncrypt.GetBaseUnits();
        QWidget* encrypt = WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_BTN_ENCRYPT));
        EXPECT_EQ(encrypt->geometry(), ToQRect(DialogUnitsToPixels(75, 148, 60, 17, pageBase)));
        EXPECT_LE(encrypt->geometry().bottom(), WidgetOf(dlg.m_pageEncrypt.GetSafeHwnd())->height());
        QWidget* paste = WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_BTN_PASTE));
        EXPECT_LE(paste->geometry().right(), WidgetOf(dlg.m_pageEncrypt.GetSafeHwnd())->width());
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, TabSelectionShowsExactlyOnePageAndKeepsContents)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        dlg.m_pageEncrypt.SetDlgItemText(IDC_EDIT_INPUT, u"保留的文字");
        TabBar(dlg)->setCurrentIndex(1); // as the operator's click does
        EXPECT_FALSE(dlg.m_pageEncrypt.IsWindowVisible());
        EXPECT_TRUE(dlg.m_pageCreate.IsWindowVisible());
        EXPECT_FALSE(dlg.m_pageServerList.IsWindowVisible());
        TabBar(dlg)->setCurrentIndex(2);
        EXPECT_FALSE(dlg.m_pageCreate.IsWindowVisible());
        EXPECT_TRUE(dlg.m_pageServerList.IsWindowVisible());
        TabBar(dlg)->setCurrentIndex(0);
        EXPECT_TRUE(dlg.m_pageEncrypt.IsWindowVisible());
        EXPECT_FALSE(dlg.m_pageServerList.IsWindowVisible());
        EXPECT_EQ(dlg.m_pageEncrypt.GetDlgItemText(IDC_EDIT_INPUT), u"保留的文字");
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, CtrlTabSelectsTheNextTabFromAnyPageAndWraps)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        CtrlTab(WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_EDIT_INPUT)));
        ExpectOnlyPage(dlg, 1);
        CtrlTab(WidgetOf(dlg.m_pageCreate.GetDlgItem(IDC_EDIT_COMPANY)));
        ExpectOnlyPage(dlg, 2);
        CtrlTab(WidgetOf(dlg.m_pageServerList.GetDlgItem(IDC_LIST_SERVER)));
        ExpectOnlyPage(dlg, 0);
        CtrlTab(TabBar(dlg));
        ExpectOnlyPage(dlg, 1);
        // Tab alone moves the focus within the page.
        QTest::keyClick(WidgetOf(dlg.m_pageCreate.GetDlgItem(IDC_EDIT_COMPANY)), Qt::Key_Tab);
        ExpectOnlyPage(dlg, 1);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MainWindowTest, CtrlShiftTabSelectsThePreviousTabAndWraps)
{
    RunMainWindow([&](CKorvaneDlg& dlg) {
        CtrlShiftTab(WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_BTN_ENCRYPT)));
        ExpectOnlyPage(dlg, 2);
        CtrlShiftTab(WidgetOf(dlg.m_pageServerList.GetDlgItem(IDC_BTN_SAVE)));
        ExpectOnlyPage(dlg, 1);
        // Some keyboards report Shift with Tab itself.
        QTest::keyClick(WidgetOf(dlg.m_pageCreate.GetDlgItem(IDC_CHECK_DATABASE)), Qt::Key_Tab,
                        Qt::ControlModifier | Qt::ShiftModifier);
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
        EXPECT_EQ(FromQString(WidgetOf(dlg.GetSafeHwnd())->windowTitle()), u"Talmir工具 — " + local);
        files.Choose(chosen);
        ClickButton(dlg.m_pageServerList, IDC_RADIO_LOAD_CHOSEN);
        EXPECT_EQ(FromQString(WidgetOf(dlg.GetSafeHwnd())->windowTitle()), u"Talmir工具 — " + chosen);
        EXPECT_EQ(FromQString(WidgetOf(dlg.m_pageServerList.GetDlgItem(IDC_BTN_SAVE))->toolTip()), chosen);
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
    int result = RunMainWindow([&](CKorvaneDlg& dlg) { WidgetOf(dlg.GetSafeHwnd())->close(); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, EscInTheInputBoxEndsTheProgram)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) {
        QTest::keyClick(WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_EDIT_INPUT)), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, EnterInAnEditBoxEndsTheProgramWithOk)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) {
        TabBar(dlg)->setCurrentIndex(1);
        QTest::keyClick(WidgetOf(dlg.m_pageCreate.GetDlgItem(IDC_EDIT_COMPANY)), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(MainWindowTest, EnterOnAFocusedButtonClicksItInstead)
{
    int result = RunMainWindow([&](CKorvaneDlg& dlg) {
        dlg.m_pageEncrypt.CheckRadioButton(IDC_RADIO_XOR, IDC_RADIO_VERSION, IDC_RADIO_IP);
        dlg.m_pageEncrypt.SetDlgItemText(IDC_EDIT_INPUT, u"1.2.3.4");
        QWidget* encrypt = WidgetOf(dlg.m_pageEncrypt.GetDlgItem(IDC_BTN_ENCRYPT));
        encrypt->setFocus();
        QTest::keyClick(encrypt, Qt::Key_Return);
        EXPECT_EQ(dlg.m_pageEncrypt.GetDlgItemText(IDC_EDIT_RESULT), u"67305985");
        EXPECT_TRUE(WidgetOf(dlg.GetSafeHwnd())->isVisible());
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The Cancel buttons post their close request: the click returns first, the window closes after.
void ExpectPostedClose(CKorvaneDlg& dlg, CWnd& page, int buttonId)
{
    ClickButton(page, buttonId);
    EXPECT_TRUE(WidgetOf(dlg.GetSafeHwnd())->isVisible()) << "closed before the click returned";
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
        QRect before = WidgetOf(dlg.GetDlgItem(IDC_TAB_MAIN))->geometry();
        QRect page = WidgetOf(dlg.m_pageEncrypt.GetSafeHwnd())->geometry();
        WidgetOf(dlg.GetSafeHwnd())
            ->resize(WidgetOf(dlg.GetSafeHwnd())->width() + 150, WidgetOf(dlg.GetSafeHwnd())->height() + 90);
        QApplication::processEvents();
        EXPECT_EQ(WidgetOf(dlg.GetDlgItem(IDC_TAB_MAIN))->geometry(), before);
        EXPECT_EQ(WidgetOf(dlg.m_pageEncrypt.GetSafeHwnd())->geometry(), page);
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
