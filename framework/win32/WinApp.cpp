#include "framework/WinApp.h"

#include "framework/MessageBox.h"
#include "framework/win32/Win32Seams.h"
#include "framework/win32/Win32Window.h"

int CWinApp::Run(int, char**)
{
    // Every class of the first common-controls generation, the tab control among them.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    std::u16string title = TitleFromModuleFile();
    if (!title.empty())
        AfxSetAppName(title);
    InstallWin32Seams();
    // The modal run of the main window happens inside; when it returns the program ends
    // without a message loop of its own.
    InitInstance();
    return 0;
}
