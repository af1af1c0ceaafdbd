#include "app/KorvaneApp.h"
#include "app/KorvaneDlg.h"
#include "encrypt/DLGEncrypt.h"
#include "framework/TestDriver.h"
#include "framework/win32/Win32Window.h"
#include "res/Resource.h"
#include "serverlist/DLGEditServer.h"
#include "serverlist/DLGEditServerInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace TestDriver;

// The windows that the dialog manager made from the in-memory templates, as Windows itself reports them.

namespace {

LONG StyleOf(HWND hwnd)
{
    return ::GetWindowLongW(hwnd, GWL_STYLE);
}

LONG ExStyleOf(HWND hwnd)
{
    return ::GetWindowLongW(hwnd, GWL_EXSTYLE);
}

HWND Control(const CWnd& window, int id)
{
    return HwndOf(window.GetDlgItem(id));
}

// Runs the main window; `act` looks at it and the window is closed afterwards.
void WithMainWindow(const std::function<void(CKorvaneDlg&)>& act)
{
    CKorvaneDlg dlg;
    theApp.m_pMainWnd = &dlg;
    WhenModal([&](CDialogEx&) {
        act(dlg);
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
}

TEST(WindowStylesWin32, TheMainWindowIsAResizableApplicationWindowWithATabControl)
{
    WithMainWindow([](CKorvaneDlg& dlg) {
        HWND hwnd = HwndOf(dlg.GetSafeHwnd());
        LONG style = StyleOf(hwnd);
        for (DWORD bit : {DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX), DWORD(WS_THICKFRAME),
                          DWORD(WS_POPUP)})
            EXPECT_EQ(DWORD(style) & bit, bit) << std::hex << bit;
        EXPECT_EQ(ExStyleOf(hwnd) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
        HWND tabs = Control(dlg, IDC_TAB_MAIN);
        EXPECT_EQ(WindowClassOf(tabs), L"SysTabControl32");
        // Tab walks from the tab strip into the shown page.
        EXPECT_EQ(ExStyleOf(tabs) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
        HWND page = HwndOf(dlg.m_pageEncrypt.GetSafeHwnd());
        EXPECT_EQ(::GetParent(page), tabs);
        EXPECT_EQ(StyleOf(page) & (WS_CHILD | WS_CAPTION), WS_CHILD);
        EXPECT_EQ(ExStyleOf(page) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
    });
}

// Each page's template, in the page's own dialog units, within the rectangle the main window gives the
// page: with the fonts of the test prefix no control is cut off at the right or the bottom.
TEST(WindowStylesWin32, EveryPagesTemplateFitsTheRoomItsTabGivesIt)
{
    WithMainWindow([](CKorvaneDlg& dlg) {
        for (const CWnd* page :
             {static_cast<const CWnd*>(&dlg.m_pageEncrypt), static_cast<const CWnd*>(&dlg.m_pageCreate),
              static_cast<const CWnd*>(&dlg.m_pageServerList)}) {
            HWND hwnd = HwndOf(page->GetSafeHwnd());
            RECT needed = {0, 0, 320, 180};
            ASSERT_TRUE(::MapDialogRect(hwnd, &needed));
            RECT room = {};
            ::GetClientRect(hwnd, &room);
            EXPECT_LE(needed.right, room.right) << "page width in pixels";
            EXPECT_LE(needed.bottom, room.bottom) << "page height in pixels";
        }
    });
}

TEST(WindowStylesWin32, TheMinimisedWindowsDragIconIsTheWindowsIcon)
{
    auto icon = std::make_shared<tagIcon>();
    icon->hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    icon->hSmallIcon = icon->hIcon;
    ASSERT_NE(icon->hIcon, nullptr);
    WithMainWindow([&](CKorvaneDlg& dlg) {
        HWND hwnd = HwndOf(dlg.GetSafeHwnd());
        dlg.SetIcon(icon);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0)), icon->hIcon);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), icon->hIcon);
    });
}

TEST(WindowStylesWin32, ControlsCarryTheirTemplatesStyles)
{
    CHostWnd host;
    CDLGEncrypt encrypt;
    CDLGEditServerInfo serverList;
    ASSERT_TRUE(encrypt.Create(IDD_DLG_ENCRYPT, &host));
    ASSERT_TRUE(serverList.Create(IDD_DLG_EDIT_SERVERINFO, &host));
    EXPECT_FALSE(StyleOf(HwndOf(encrypt.GetSafeHwnd())) & WS_VISIBLE) << "pages start hidden";

    HWND input = Control(encrypt, IDC_EDIT_INPUT);
    EXPECT_EQ(WindowClassOf(input), L"Edit");
    EXPECT_EQ(StyleOf(input) & (WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY), WS_TABSTOP | ES_AUTOHSCROLL);
    EXPECT_EQ(StyleOf(Control(encrypt, IDC_EDIT_RESULT)) & ES_READONLY, ES_READONLY);
    // One group of automatic radio buttons: the first one starts it, and the checked one is the group's
    // tab stop, which the system moves with the check.
    LONG first = StyleOf(Control(encrypt, IDC_RADIO_XOR));
    EXPECT_EQ(first & (BS_TYPEMASK | WS_GROUP | WS_TABSTOP), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
    LONG second = StyleOf(Control(encrypt, IDC_RADIO_MD5));
    EXPECT_EQ(second & (BS_TYPEMASK | WS_GROUP | WS_TABSTOP), BS_AUTORADIOBUTTON);
    // No push button is the default one.
    EXPECT_EQ(StyleOf(Control(encrypt, IDC_BTN_ENCRYPT)) & BS_TYPEMASK, BS_PUSHBUTTON);

    HWND list = Control(serverList, IDC_LIST_SERVER);
    EXPECT_EQ(WindowClassOf(list), L"ListBox");
    EXPECT_EQ(StyleOf(list) & (LBS_NOTIFY | WS_TABSTOP), LBS_NOTIFY | WS_TABSTOP);
    EXPECT_EQ(StyleOf(list) & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0)
        << "unsorted, single selection";
    // The border becomes the sunken edge of the system's look.
    EXPECT_TRUE((StyleOf(list) & WS_BORDER) || (ExStyleOf(list) & WS_EX_CLIENTEDGE));
    // The scroll bar comes when the lines need it.
    for (int i = 0; i < 40; ++i)
        serverList.m_ServerListBox.InsertString(i, u"服务器");
    EXPECT_EQ(StyleOf(list) & WS_VSCROLL, WS_VSCROLL);
    EXPECT_EQ(serverList.m_ServerListBox.GetCount(), 40);
}

TEST(WindowStylesWin32, TheEntryDialogHasATitleBarButNoCloseBox)
{
    theApp.m_nEditIndex = -1;
    CDLGEditServer dialog;
    LONG style = 0;
    WhenModal([&](CDialogEx& shown) {
        style = StyleOf(HwndOf(shown.GetSafeHwnd()));
        Click(shown, IDC_BTN_SERVER_CANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, 0);
}

} // namespace
