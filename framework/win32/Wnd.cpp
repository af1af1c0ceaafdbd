#include "framework/Wnd.h"

#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Window.h"

#include <vector>

namespace {

bool IsEditBox(HWND control)
{
    return IsWindowOfClass(control, L"Edit");
}

} // namespace

std::wstring WindowClassOf(HWND hwnd)
{
    // 256 is the longest class name Windows registers.
    wchar_t name[257] = {};
    const int length = hwnd ? ::GetClassNameW(hwnd, name, 257) : 0;
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

bool IsWindowOfClass(HWND hwnd, const wchar_t* className)
{
    return hwnd && ::lstrcmpiW(WindowClassOf(hwnd).c_str(), className) == 0;
}

std::u16string WindowTextOf(HWND hwnd)
{
    if (!hwnd)
        return std::u16string();
    int length = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
    return FromWide(std::wstring_view(text.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

CWnd::CWnd() : m_pImpl(std::make_unique<tagWndImpl>()) {}

CWnd::~CWnd() = default;

HWINDOW CWnd::GetSafeHwnd() const
{
    return HandleOf(m_pImpl->hWnd);
}

void CWnd::Attach(HWINDOW window)
{
    m_pImpl->hWnd = HwndOf(window);
}

bool CWnd::ShowWindow(int nCmdShow)
{
    return m_pImpl->hWnd && ::ShowWindow(m_pImpl->hWnd, nCmdShow);
}

bool CWnd::IsWindowVisible() const
{
    return m_pImpl->hWnd && ::IsWindowVisible(m_pImpl->hWnd);
}

void CWnd::MoveWindow(const CRect& rect, bool repaint)
{
    if (m_pImpl->hWnd)
        ::MoveWindow(m_pImpl->hWnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

void CWnd::GetClientRect(CRect* rect) const
{
    RECT client = {};
    if (!rect || !m_pImpl->hWnd || !::GetClientRect(m_pImpl->hWnd, &client))
        return;
    *rect = CRect{client.left, client.top, client.right, client.bottom};
}

void CWnd::SetIcon(const IconHandle& icon)
{
    m_pImpl->icon = icon;
    if (!m_pImpl->hWnd || !icon)
        return;
    ::SendMessageW(m_pImpl->hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon->hIcon));
    ::SendMessageW(m_pImpl->hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon->hSmallIcon));
}

void CWnd::SetWindowText(const std::u16string& text)
{
    if (m_pImpl->hWnd)
        ::SetWindowTextW(m_pImpl->hWnd, ToWide(text).c_str());
}

std::u16string CWnd::GetWindowText() const
{
    return WindowTextOf(m_pImpl->hWnd);
}

HWINDOW CWnd::GetDlgItem(int id) const
{
    return m_pImpl->hWnd ? HandleOf(::GetDlgItem(m_pImpl->hWnd, id)) : nullptr;
}

std::u16string CWnd::GetDlgItemText(int id) const
{
    return WindowTextOf(HwndOf(GetDlgItem(id)));
}

void CWnd::SetDlgItemText(int id, const std::u16string& text)
{
    if (HWND control = HwndOf(GetDlgItem(id)))
        ::SetWindowTextW(control, ToWide(text).c_str());
}

unsigned CWnd::IsDlgButtonChecked(int id) const
{
    return m_pImpl->hWnd ? ::IsDlgButtonChecked(m_pImpl->hWnd, id) : BST_UNCHECKED;
}

void CWnd::CheckDlgButton(int id, unsigned check)
{
    if (m_pImpl->hWnd)
        ::CheckDlgButton(m_pImpl->hWnd, id, check);
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    // The platform's CheckRadioButton, which also clears them all when checkId names none of them.
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

void CWnd::SetEditReadOnly(int id, bool readOnly)
{
    HWND control = HwndOf(GetDlgItem(id));
    if (IsEditBox(control))
        ::SendMessageW(control, EM_SETREADONLY, readOnly, 0);
}

bool CWnd::IsEditReadOnly(int id) const
{
    HWND control = HwndOf(GetDlgItem(id));
    return IsEditBox(control) && (::GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
}

void CWnd::PostMessage(unsigned message)
{
    if (message == WM_CLOSE && m_pImpl->hWnd)
        ::PostMessageW(m_pImpl->hWnd, WM_CLOSE, 0, 0);
}

namespace {

TTTOOLINFOW ToolInfoOf(HWND owner, HWND control)
{
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

HWND MakeToolTip(HWND owner)
{
    return ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

std::u16string ToolTipTextOf(HWND toolTip, HWND owner, HWND control)
{
    if (!toolTip)
        return std::u16string();
    TTTOOLINFOW info = ToolInfoOf(owner, control);
    if (!::SendMessageW(toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return std::u16string();
    // The tooltip copies at most 80 characters unless told the buffer's size, which v6 takes in wParam.
    std::vector<wchar_t> text(1024);
    info.lpszText = text.data();
    ::SendMessageW(toolTip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
    text.back() = 0;
    return FromWide(text.data());
}

void CWnd::SetDlgItemToolTip(int id, const std::u16string& text)
{
    HWND control = HwndOf(GetDlgItem(id));
    if (!control)
        return;
    if (!m_pImpl->hToolTip)
        m_pImpl->hToolTip = MakeToolTip(m_pImpl->hWnd);
    HWND toolTip = m_pImpl->hToolTip;
    TTTOOLINFOW info = ToolInfoOf(m_pImpl->hWnd, control);
    bool known = ::SendMessageW(toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
    info = ToolInfoOf(m_pImpl->hWnd, control);
    std::wstring wide = ToWide(text);
    info.lpszText = wide.data();
    if (text.empty()) {
        if (known)
            ::SendMessageW(toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (known) {
        ::SendMessageW(toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        ::SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}
