#pragma once

#include <QPointer>
#include <QWidget>

#include <map>
#include <string>

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNORMAL = 1;
constexpr unsigned BST_UNCHECKED = 0;
constexpr unsigned BST_CHECKED = 1;
constexpr unsigned WM_CLOSE = 0x0010;

struct CRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class QLineEdit;

// Makes an edit box read-only or editable, with the look that tells the operator which.
void SetLineEditReadOnly(QLineEdit* edit, bool readOnly);

// A window: a widget and, for dialogs, its controls by identifier.
class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    QWidget* GetSafeHwnd() const { return m_hWnd.data(); }

    bool ShowWindow(int nCmdShow);
    bool IsWindowVisible() const;
    void MoveWindow(const CRect& rect, bool repaint = true);
    void GetClientRect(CRect* rect) const;
    void SetIcon(const class QIcon& icon);
    void SetWindowText(const std::u16string& text);
    std::u16string GetWindowText() const;

    // Controls by identifier; nullptr when the window has no such control.
    QWidget* GetDlgItem(int id) const;
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

protected:
    void Attach(QWidget* widget) { m_hWnd = widget; }
    void AddControl(int id, QWidget* control);

    QPointer<QWidget> m_hWnd;
    std::map<int, QPointer<QWidget>> m_controls; // cleared by Qt when a control goes with its window
};
