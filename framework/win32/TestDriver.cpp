#include "framework/TestDriver.h"
#include "framework/TestDriverFailure.h"

#include "framework/DialogEx.h"
#include "framework/win32/ModalHook.h"
#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Window.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <string>

namespace TestDriver {

namespace {

constexpr UINT_PTR kGuardTimer = 0x4B54; // the timer that ends a dialog left open
constexpr wchar_t kHostClass[] = L"KorvaneTestHost";

// The control, when it is of the class; nothing after a report otherwise.
HWND ControlOf(const CWnd& window, int id, const wchar_t* className, const char* kind)
{
    HWND control = HwndOf(window.GetDlgItem(id));
    if (!control || (className && !IsWindowOfClass(control, className))) {
        Fail("no " + std::string(kind) + " " + std::to_string(id));
        return nullptr;
    }
    return control;
}

HWND AnyControl(const CWnd& window, int id)
{
    return ControlOf(window, id, nullptr, "control");
}

HWND WindowOf(const CWnd& window)
{
    HWND hwnd = HwndOf(window.GetSafeHwnd());
    if (!hwnd)
        Fail("the window object has no window");
    return hwnd;
}

CRect ToCRect(const RECT& rect)
{
    return CRect{rect.left, rect.top, rect.right, rect.bottom};
}

// A window's rectangle in the client coordinates of another (nullptr: the screen).
CRect RectIn(HWND hwnd, HWND reference)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return ToCRect(rect);
}

LPARAM PointOf(const RECT& rect)
{
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// What the dialog manager's loop does with each message, for the messages posted so far.
void PumpAsDialogLoop()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (::CallMsgFilterW(&message, MSGF_DIALOGBOX))
            continue;
        HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && IsWindowOfClass(root, L"#32770") && ::IsDialogMessageW(root, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

struct tagModalAnswer
{
    std::function<void(CDialogEx&)> act;
    int msOpen = 1000;
    UINT_PTR timer = 0; // gives the answer up when no dialog comes for it
};

constexpr UINT kMsForADialogToCome = 3000;

std::deque<tagModalAnswer>& PendingAnswers()
{
    static std::deque<tagModalAnswer> answers;
    return answers;
}

void CALLBACK EndDialogLeftOpen(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(hwnd, timer);
    Fail("the modal dialog was left open");
    ::EndDialog(hwnd, 0);
}

// An answer that no dialog took in time is dropped, so that it cannot answer a later test's dialog.
void CALLBACK DropUnanswered(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    std::deque<tagModalAnswer>& answers = PendingAnswers();
    auto answer = std::find_if(answers.begin(), answers.end(),
                               [timer](const tagModalAnswer& pending) { return pending.timer == timer; });
    if (answer == answers.end())
        return;
    answers.erase(answer);
    Fail("no modal dialog appeared");
}

// Every modal dialog takes the next queued answer; one that nobody answers would wait for an operator
// who is not there, and fails the test instead.
void AnswerModal(CDialogEx& dialog)
{
    HWND hwnd = HwndOf(dialog.GetSafeHwnd());
    if (PendingAnswers().empty()) {
        Fail("unexpected modal dialog");
        ::EndDialog(hwnd, 0);
        return;
    }
    tagModalAnswer answer = std::move(PendingAnswers().front());
    PendingAnswers().pop_front();
    ::KillTimer(nullptr, answer.timer);
    answer.act(dialog);
    if (::IsWindow(hwnd))
        ::SetTimer(hwnd, kGuardTimer, static_cast<UINT>(answer.msOpen), EndDialogLeftOpen);
}

// Presses and releases a key on the focused control with the modifiers held, then lets the dialog
// manager see it as its loop would.
void SendKey(HWND control, UINT virtualKey, bool extended, bool ctrl, bool shift)
{
    BYTE saved[256] = {};
    ::GetKeyboardState(saved);
    BYTE pressed[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(pressed));
    pressed[VK_CONTROL] = ctrl ? 0x80 : 0;
    pressed[VK_SHIFT] = shift ? 0x80 : 0;
    pressed[VK_MENU] = 0;
    ::SetKeyboardState(pressed);
    UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (extended ? (1 << 24) : 0);
    LPARAM up = down | (1u << 30) | (1u << 31);
    ::PostMessageW(control, WM_KEYDOWN, virtualKey, down);
    ::PostMessageW(control, WM_KEYUP, virtualKey, up);
    PumpAsDialogLoop();
    ::SetKeyboardState(saved);
}

LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        if (auto* host = reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            host->OnClose();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterHostClass()
{
    static ATOM atom = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = HostProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kHostClass;
        return ::RegisterClassExW(&windowClass);
    }();
    (void)atom;
}

} // namespace

struct CWindowSystem::tagImpl
{
};

CWindowSystem::CWindowSystem(int&, char**) : m_pImpl(std::make_unique<tagImpl>())
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    RegisterHostClass();
    SetModalStartHandler(AnswerModal);
}

CWindowSystem::~CWindowSystem()
{
    SetModalStartHandler(nullptr);
}

void Click(CWnd& window, int id)
{
    if (HWND button = ControlOf(window, id, WC_BUTTONW, "button"))
        ::SendMessageW(button, BM_CLICK, 0, 0);
}

void SetFocus(CWnd& window, int id)
{
    if (HWND control = AnyControl(window, id))
        ::SetFocus(control);
}

int FocusedControl(const CWnd& window)
{
    HWND hwnd = WindowOf(window);
    HWND focused = ::GetFocus();
    return hwnd && focused && ::IsChild(hwnd, focused) ? ::GetDlgCtrlID(focused) : 0;
}

std::u16string Text(const CWnd& window, int id)
{
    return AnyControl(window, id) ? window.GetDlgItemText(id) : std::u16string();
}

void SetText(CWnd& window, int id, const std::u16string& text)
{
    if (HWND edit = ControlOf(window, id, WC_EDITW, "edit box"))
        ::SetWindowTextW(edit, ToWide(text).c_str());
}

void SetCaret(CWnd& window, int id, int position)
{
    if (HWND edit = ControlOf(window, id, WC_EDITW, "edit box"))
        ::SendMessageW(edit, EM_SETSEL, position, position);
}

bool IsEnabled(const CWnd& window, int id)
{
    HWND control = AnyControl(window, id);
    return control && ::IsWindowEnabled(control);
}

std::u16string ToolTip(const CWnd& window, int id)
{
    HWND control = AnyControl(window, id);
    return control ? ToolTipTextOf(window.Impl().hToolTip, WindowOf(window), control) : std::u16string();
}

std::vector<std::u16string> ListLines(const CWnd& window, int id)
{
    std::vector<std::u16string> lines;
    HWND control = AnyControl(window, id);
    if (IsWindowOfClass(control, WC_LISTBOXW)) {
        int count = static_cast<int>(::SendMessageW(control, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring line(static_cast<size_t>(::SendMessageW(control, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
            lines.push_back(FromWide(line.c_str()));
        }
    } else if (IsWindowOfClass(control, WC_TABCONTROLW)) {
        int count = static_cast<int>(::SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 256;
            ::SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            lines.push_back(FromWide(text));
        }
    } else if (control) {
        Fail("no list box or tab control " + std::to_string(id));
    }
    return lines;
}

void DoubleClickList(CWnd& window, int id, int line)
{
    HWND list = ControlOf(window, id, WC_LISTBOXW, "list box");
    if (!list)
        return;
    RECT client = {};
    ::GetClientRect(list, &client);
    // Below the lines: the selection stays as it is.
    LPARAM point = MAKELPARAM(5, client.bottom - 2);
    if (line >= 0) {
        RECT item = {};
        if (::SendMessageW(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            Fail("list box " + std::to_string(id) + " has no line " + std::to_string(line));
            return;
        }
        // The first click of the two selects the line.
        point = PointOf(item);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageW(list, WM_LBUTTONUP, 0, point);
    }
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::SendMessageW(list, WM_LBUTTONUP, 0, point);
}

void SelectTab(CWnd& window, int id, int index)
{
    HWND tabs = ControlOf(window, id, WC_TABCONTROLW, "tab control");
    RECT item = {};
    if (!tabs || !::SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item))) {
        Fail("no tab " + std::to_string(index) + " in " + std::to_string(id));
        return;
    }
    ::SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(item));
    ::SendMessageW(tabs, WM_LBUTTONUP, 0, PointOf(item));
}

void PressKey(CWnd& window, int id, EKey key)
{
    HWND control = AnyControl(window, id);
    if (!control)
        return;
    ::SetFocus(control);
    // The keys in the order of EKey: the virtual key, extended (keypad Enter), with Ctrl, with Shift.
    struct tagStroke
    {
        UINT nVirtualKey;
        bool bExtended, bCtrl, bShift;
    };
    static constexpr tagStroke kStrokes[] = {
        {VK_ESCAPE, false, false, false}, {VK_RETURN, false, false, false}, {VK_RETURN, true, false, false},
        {VK_TAB, false, false, false},    {VK_TAB, false, true, false},     {VK_TAB, false, true, true},
    };
    static_assert(std::size(kStrokes) == static_cast<size_t>(EKey::ctrlShiftTab) + 1);
    const tagStroke& stroke = kStrokes[static_cast<size_t>(key)];
    SendKey(control, stroke.nVirtualKey, stroke.bExtended, stroke.bCtrl, stroke.bShift);
}

CRect WindowRect(const CWnd& window)
{
    HWND hwnd = WindowOf(window);
    return hwnd ? RectIn(hwnd, ::GetParent(hwnd)) : CRect{};
}

CRect ControlRect(const CWnd& window, int id)
{
    HWND control = AnyControl(window, id);
    return control ? RectIn(control, WindowOf(window)) : CRect{};
}

HWINDOW ParentOf(HWINDOW window)
{
    HWND hwnd = HwndOf(window);
    return hwnd ? HandleOf(::GetParent(hwnd)) : nullptr;
}

void ResizeWindow(CWnd& window, int cx, int cy)
{
    HWND hwnd = WindowOf(window);
    if (!hwnd)
        return;
    RECT frame = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_EXSTYLE)));
    ::SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpAsDialogLoop();
}

void CloseWindow(CWnd& window)
{
    if (HWND hwnd = WindowOf(window))
        ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void WhenModal(std::function<void(CDialogEx&)> act, int msOpen)
{
    UINT_PTR timer = ::SetTimer(nullptr, 0, kMsForADialogToCome, DropUnanswered);
    PendingAnswers().push_back(tagModalAnswer{std::move(act), msOpen, timer});
}

void FailIfModal()
{
    // Nothing to arrange: a modal dialog without a queued answer fails the test here anyway.
}

void ProcessPending()
{
    PumpAsDialogLoop();
}

void PutNonTextOnClipboard()
{
    static HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    if (!::OpenClipboard(owner))
        return Fail("the clipboard cannot be opened");
    ::EmptyClipboard();
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 2)) {
        if (!::SetClipboardData(::RegisterClipboardFormatW(L"Korvane test bytes"), block))
            ::GlobalFree(block);
    }
    ::CloseClipboard();
}

CHostWnd::CHostWnd()
{
    HWND hwnd = ::CreateWindowExW(WS_EX_CONTROLPARENT, kHostClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<CWnd*>(this)));
    Attach(HandleOf(hwnd));
}

CHostWnd::~CHostWnd()
{
    if (HWND hwnd = HwndOf(GetSafeHwnd())) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd);
    }
}

} // namespace TestDriver
