#include "framework/WinApp.h"

#include "framework/MessageBox.h"
#include "framework/qt/QtSeams.h"

#include <QApplication>
#include <QClipboard>

namespace {

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
