#include "framework/win32/ModalHook.h"

#include "framework/win32/Win32Window.h"

#include <utility>

namespace {

ModalStartHandler& CurrentHandler()
{
    static ModalStartHandler handler;
    return handler;
}

bool IsTabControl(HWND hwnd)
{
    return IsWindowOfClass(hwnd, WC_TABCONTROLW);
}

// The tab control that holds the window, or the window itself when it is one.
HWND TabControlAround(HWND hwnd)
{
    for (; hwnd && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD); hwnd = ::GetParent(hwnd)) {
        if (IsTabControl(hwnd))
            return hwnd;
    }
    return nullptr;
}

// Selects the next or previous tab, wrapping around, with the notifications of a click.
void StepTab(HWND tabs, int step)
{
    int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count <= 0)
        return;
    int current = static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    NMHDR header = {tabs, static_cast<UINT_PTR>(::GetDlgCtrlID(tabs)), TCN_SELCHANGING};
    HWND parent = ::GetParent(tabs);
    if (::SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)))
        return;
    ::SendMessageW(tabs, TCM_SETCURSEL, (current + step + count) % count, 0);
    header.code = TCN_SELCHANGE;
    ::SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool IsPushButton(HWND hwnd)
{
    if (!IsWindowOfClass(hwnd, WC_BUTTONW))
        return false;
    LONG type = ::GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Ctrl+Tab steps through the tabs of the tab control around the focus.
bool HandleCtrlTab(const MSG& message)
{
    bool ctrlTab = message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
                   ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0;
    HWND tabs = ctrlTab ? TabControlAround(message.hwnd) : nullptr;
    if (!tabs)
        return false;
    StepTab(tabs, ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
    return true;
}

// Enter on a focused push button clicks it, also on a page, whose buttons the main window's dialog
// manager would otherwise take for its own default command.
bool HandleEnterOnButton(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN || !IsPushButton(message.hwnd) ||
        !::IsWindowEnabled(message.hwnd))
        return false;
    HWND button = message.hwnd;
    ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    return true;
}

LRESULT CALLBACK DialogKeysFilter(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && (HandleCtrlTab(*message) || HandleEnterOnButton(*message)))
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

ModalStartHandler SetModalStartHandler(ModalStartHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

void NotifyModalStart(CDialogEx& dialog)
{
    if (CurrentHandler())
        CurrentHandler()(dialog);
}

void InstallDialogKeys()
{
    // Once for the program's one thread; the dialog loops call it for every message they take.
    static HHOOK hook = ::SetWindowsHookExW(WH_MSGFILTER, DialogKeysFilter, nullptr, ::GetCurrentThreadId());
    (void)hook;
}
