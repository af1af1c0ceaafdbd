#pragma once

#include "framework/Rect.h"
#include "framework/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDialogEx;

// The GUI tests' hands on the windows: clicks, typing, keys and reading back, each through the platform's
// own controls, so that the notifications are the ones the operator's actions send. Controls are named by
// identifier. A control that is missing or of the wrong kind is reported to the failure handler, and the
// call does nothing.
namespace TestDriver {

// The window system of a test program, from before its first window to after its last.
class CWindowSystem
{
public:
    CWindowSystem(int& argc, char** argv);
    ~CWindowSystem();
    CWindowSystem(const CWindowSystem&) = delete;
    CWindowSystem& operator=(const CWindowSystem&) = delete;

private:
    struct tagImpl;
    std::unique_ptr<tagImpl> m_pImpl;
};

// Where the driver reports what it could not do; the tests' main installs the test framework's failure.
void SetFailureHandler(std::function<void(const std::string&)> handler);

// A button, check box or radio button clicked with the mouse.
void Click(CWnd& window, int id);
// Gives the control the keyboard focus, as a click on it or the Tab key does.
void SetFocus(CWnd& window, int id);
// The identifier of the window's control that holds or last held the focus inside it; 0 for none.
int FocusedControl(const CWnd& window);

// An edit box's text as typing leaves it, or a button's or static text's caption.
std::u16string Text(const CWnd& window, int id);
void SetText(CWnd& window, int id, const std::u16string& text);
// Puts the caret at this position of an edit box, nothing selected.
void SetCaret(CWnd& window, int id, int position);
bool IsEnabled(const CWnd& window, int id);
std::u16string ToolTip(const CWnd& window, int id);

// The lines of a list box or the tabs of a tab control, in order.
std::vector<std::u16string> ListLines(const CWnd& window, int id);
// Double-clicks a line of a list box; -1 double-clicks the empty room below the lines.
void DoubleClickList(CWnd& window, int id, int line);
// Clicks a tab of a tab control, which notifies the change as the operator's click does.
void SelectTab(CWnd& window, int id, int index);

enum class EKey { escape, enter, keypadEnter, tab, ctrlTab, ctrlShiftTab };
// Presses a key with the focus on the control; the dialog manager sees it as from the keyboard.
void PressKey(CWnd& window, int id, EKey key);

// Where a window lies in its parent's client area, and a control in its window's, in pixels.
CRect WindowRect(const CWnd& window);
CRect ControlRect(const CWnd& window, int id);
HWINDOW ParentOf(HWINDOW window);
// Gives a top-level window a new client size, as dragging its frame does.
void ResizeWindow(CWnd& window, int cx, int cy);
// The close box of a top-level window.
void CloseWindow(CWnd& window);

// Runs `act` once the next modal dialog is up and taking input. A dialog that `act` leaves open longer
// than `msOpen` fails the test and is ended, so that nothing hangs; no dialog at all fails it too.
void WhenModal(std::function<void(CDialogEx&)> act, int msOpen = 1000);
// Fails the test if a modal dialog comes up before the pending work is done (see ProcessPending).
void FailIfModal();
// Handles what has been posted or queued so far, as the message loop would.
void ProcessPending();

// Puts data on the clipboard that is no text.
void PutNonTextOnClipboard();

// A plain window to create pages in, standing in for the tab control; as the application's main window it
// counts the close requests it receives.
class CHostWnd : public CWnd
{
public:
    CHostWnd();
    ~CHostWnd() override;

    void OnClose() override { ++m_nCloseRequests; }
    int CloseRequests() const { return m_nCloseRequests; }

private:
    int m_nCloseRequests = 0;
};

} // namespace TestDriver
