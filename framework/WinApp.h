#pragma once

#include <string>

class CWnd;

// The application object: exists once, as a global; Run starts the window system and InitInstance.
class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return false; }
    int Run(int argc, char** argv);

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// The title that message boxes show: the program file's name without folder or extension.
std::u16string TitleFromModuleFile();
