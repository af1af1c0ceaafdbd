#include "framework/WinApp.h"

#include "framework/FileSystem.h"
#include "framework/Path.h"

namespace {
CWinApp* g_app = nullptr;
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

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

std::u16string TitleFromModuleFile()
{
    std::u16string path = GetModuleFileNameW();
    size_t start = path.size();
    while (start > 0 && !IsPathSeparator(path[start - 1]))
        --start;
    std::u16string name = path.substr(start);
    size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos && dot > 0)
        name.resize(dot);
    return name;
}
