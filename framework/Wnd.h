#pragma once

#include "framework/Icon.h"
#include "framework/Rect.h"

#include <memory>
#include <string>

// Window constants with the platform's values. <windows.h> has them as macros with the same values: in a
// file that includes it first, its macros stand in for these.
#ifndef SW_HIDE
constexpr int SW_HIDE = 0;
#endif
#ifndef SW_SHOWNORMAL
constexpr int SW_SHOWNORMAL = 1;
#endif
#ifndef SW_SHOW
constexpr int SW_SHOW = 5;
#endif
#ifndef BST_UNCHECKED
constexpr unsigned BST_UNCHECKED = 0;
#endif
#ifndef BST_CHECKED
constexpr unsigned BST_CHECKED = 1;
#endif
#ifndef WM_CLOSE
constexpr unsigned WM_CLOSE = 0x0010;
#endif

// The platform's window, opaque to the system's code: a widget on Linux, a window handle on Windows.
struct tagWindow;
using HWINDOW = tagWindow*;

// What the platform keeps of a window object: its window and, for dialogs, its controls.
struct tagWndImpl;

// A window: the platform's window and, for dialogs, its controls by identifier.
class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // nullptr while the object has no window.
    HWINDOW GetSafeHwnd() const;

    bool ShowWindow(int nCmdShow);
    bool IsWindowVisible() const;
    void MoveWindow(const CRect& rect, bool repaint = true);
    void GetClientRect(CRect* rect) const;
    void SetIcon(const IconHandle& icon);
    void SetWindowText(const std::u16string& text);
    std::u16string GetWindowText() const;

    // Controls by identifier; nullptr when the window has no such control.
    HWINDOW GetDlgItem(int id) const;
    std::u16string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::u16string& text);
    unsigned IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, unsigned check);
    void CheckRadioButton(int firstId, int lastId, int checkId);
    void SetEditReadOnly(int id, bool readOnly);
    bool IsEditReadOnly(int id) const;
    // The hint shown while the pointer rests on a control; an empty text shows none.
    void SetDlgItemToolTip(int id, const std::u16string& text);

    // Queues a message to be handled after the current one returns; only WM_CLOSE is used.
    void PostMessage(unsigned message);
    // Default handling of a close request: a dialog turns it into its Cancel command.
    virtual void OnClose() {}

    // The platform's part, for the framework's own implementation: its window procedures and test driver.
    tagWndImpl& Impl() const { return *m_pImpl; }

protected:
    void Attach(HWINDOW window);

private:
    std::unique_ptr<tagWndImpl> m_pImpl;
};
