#include "framework/DialogEx.h"

#include "framework/WinApp.h"
#include "framework/win32/DialogResource.h"
#include "framework/win32/ModalHook.h"
#include "framework/win32/Win32Window.h"

namespace {

// Posted to a modal dialog from its initialisation: its loop runs when the message arrives.
constexpr UINT kModalStarted = WM_APP + 0x4B; // 'K'

CDialogEx* DialogOf(HWND hwnd)
{
    return reinterpret_cast<CDialogEx*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
}

// A minimised window shows its icon centred in what is left of its client area.
void PaintIcon(HWND hwnd, HICON icon)
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd, &paint);
    ::SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(hwnd, &client);
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(hwnd, &paint);
}

bool IsDialogWindow(HWND hwnd)
{
    return IsWindowOfClass(hwnd, L"#32770");
}

HICON BigIconOf(const CDialogEx& dialog)
{
    const IconHandle& icon = dialog.Impl().icon;
    return icon ? icon->hIcon : nullptr;
}

} // namespace

struct tagDialogProcedure
{
    static INT_PTR CALLBACK Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL Initialise(CDialogEx& dialog, HWND hwnd);
    static void Command(CDialogEx& dialog, HWND hwnd, WPARAM wParam, LPARAM lParam);
    static INT_PTR Notify(CDialogEx& dialog, HWND hwnd, const NMHDR& header);
};

BOOL tagDialogProcedure::Initialise(CDialogEx& dialog, HWND hwnd)
{
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(&dialog));
    dialog.Attach(HandleOf(hwnd));
    const DialogTemplate* dialogTemplate = FindDialogTemplate(dialog.m_nIDTemplate);
    if (dialogTemplate)
        dialog.BuildFromTemplate(*dialogTemplate);
    bool focusByPlatform = dialog.OnInitDialog();
    if (dialog.Impl().bModal)
        ::PostMessageW(hwnd, kModalStarted, 0, 0);
    return focusByPlatform;
}

// A push button of a page that has the focus gets Enter from the main window's dialog manager, which sends
// its click to the main window: the click goes on to the page that owns the button.
void tagDialogProcedure::Command(CDialogEx& dialog, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    HWND owner = control ? ::GetParent(control) : nullptr;
    if (owner && owner != hwnd && ::IsChild(hwnd, owner) && DialogOf(owner)) {
        ::SendMessageW(owner, WM_COMMAND, wParam, lParam);
        return;
    }
    dialog.SendCommand(LOWORD(wParam), HIWORD(wParam));
}

INT_PTR tagDialogProcedure::Notify(CDialogEx& dialog, HWND hwnd, const NMHDR& header)
{
    dialog.SendCommand(static_cast<int>(header.idFrom), static_cast<int>(header.code));
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
    return TRUE;
}

INT_PTR CALLBACK tagDialogProcedure::Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return Initialise(*reinterpret_cast<CDialogEx*>(lParam), hwnd);
    CDialogEx* dialog = DialogOf(hwnd);
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        Command(*dialog, hwnd, wParam, lParam);
        return TRUE;
    case WM_NOTIFY:
        return Notify(*dialog, hwnd, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
        dialog->OnClose();
        return TRUE;
    case WM_PAINT:
        if (!::IsIconic(hwnd) || !BigIconOf(*dialog))
            return FALSE;
        PaintIcon(hwnd, BigIconOf(*dialog));
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(BigIconOf(*dialog));
    case kModalStarted:
        NotifyModalStart(*dialog);
        return TRUE;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->Impl().hWnd = nullptr;
        dialog->Impl().hToolTip = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

CDialogEx::~CDialogEx()
{
    // A page whose window outlives it: the window goes first, so that it calls nothing of the object.
    if (HWND hwnd = Impl().hWnd; hwnd && ::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}

int CDialogEx::DoModal()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    if (!dialogTemplate)
        return -1;
    std::vector<std::uint16_t> resource = BuildDialogResource(*dialogTemplate);
    CWnd* mainWnd = AfxGetMainWnd();
    HWND owner = (mainWnd && mainWnd != this) ? HwndOf(mainWnd->GetSafeHwnd()) : nullptr;
    InstallDialogKeys();
    Impl().bModal = true;
    INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                               reinterpret_cast<LPCDLGTEMPLATEW>(resource.data()), owner,
                                               tagDialogProcedure::Run, reinterpret_cast<LPARAM>(this));
    Impl().bModal = false;
    Impl().hWnd = nullptr;
    return static_cast<int>(result);
}

bool CDialogEx::Create(int templateId, CWnd* parent)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (!dialogTemplate || !parent || !parent->GetSafeHwnd())
        return false;
    m_nIDTemplate = templateId;
    std::vector<std::uint16_t> resource = BuildDialogResource(*dialogTemplate);
    HWND hwnd = ::CreateDialogIndirectParamW(
        ::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(resource.data()),
        HwndOf(parent->GetSafeHwnd()), tagDialogProcedure::Run, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void CDialogEx::EndDialog(int result)
{
    // Only a modal dialog's window ends with a result; a page's window is a plain child.
    if (Impl().bModal && Impl().hWnd)
        ::EndDialog(Impl().hWnd, result);
}

void CDialogEx::GotoDlgCtrl(int id)
{
    HWND control = HwndOf(GetDlgItem(id));
    if (!control)
        return;
    // The dialog manager's own move of the focus, which selects an edit box's text; a page outside a
    // dialog gets the same by hand.
    HWND root = ::GetAncestor(control, GA_ROOT);
    if (IsDialogWindow(root)) {
        ::SendMessageW(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        return;
    }
    ::SetFocus(control);
    ::SendMessageW(control, EM_SETSEL, 0, -1);
}

void CDialogEx::BuildFromTemplate(const DialogTemplate&)
{
    // The dialog manager made the controls from the resource; what is left is the font's base units,
    // which it used, and the message table.
    RECT units = {0, 0, 4, 8};
    ::MapDialogRect(Impl().hWnd, &units);
    m_baseUnits = BaseUnits{units.right, units.bottom};
    m_messageMap = GetMessageMap();
}
