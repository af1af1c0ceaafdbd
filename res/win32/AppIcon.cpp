#include "res/AppIcon.h"

#include "framework/win32/Win32Window.h"
#include "res/Resource.h"

namespace {

HICON LoadAppIconAt(int systemMetricX, int systemMetricY)
{
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                           IMAGE_ICON, ::GetSystemMetrics(systemMetricX),
                                           ::GetSystemMetrics(systemMetricY), LR_DEFAULTCOLOR | LR_SHARED));
}

} // namespace

IconHandle LoadAppIcon()
{
    auto icon = std::make_shared<tagIcon>();
    icon->hIcon = LoadAppIconAt(SM_CXICON, SM_CYICON);
    icon->hSmallIcon = LoadAppIconAt(SM_CXSMICON, SM_CYSMICON);
    // A program without the resource (a test) shows no icon.
    return icon->hIcon ? icon : nullptr;
}
