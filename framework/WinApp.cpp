#include "framework/WinApp.h"

#include "framework/FileSystem.h"
#include "framework/MessageBox.h"
#include "framework/QtSeams.h"

#include <QApplication>
#include <QClipboard>

namespace {
CWinApp* g_app = nullptr;

// The title that message boxes show: the program file's name without folder or extension.
std::u16string TitleFromModuleFile()
{
    std::u16string path = GetModuleFileNameW();
    size_t slash = path.rfind(u'/');
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos && dot > 0)
        name.resize(dot);
    return name;
}

// On X11 the owner of the clipboard or of the selection offers its text to a clipboard manager when it
// ends, and Qt waits for the manager's answer, up to 5 s, after the window is gone. A selection made in
// an edit box is given up, so that the program ends when its window closes; a text the operator copied
// with "复制" is handed over, since it is usually copied to be pasted after the program has closed.
void ReleaseSelection()
{
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->ownsSelection())
        clipboard->clear(QClipboard::Selection);
}
} // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::u16string title = TitleFromModuleFile();
    if (!title.empty())
        AfxSetAppName(title);
    InstallQtSeams();
    // The modal run of the main window happens inside; when it returns the program ends
    // without a message loop of its own.
    InitInstance();
    ReleaseSelection();
    return 0;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}
