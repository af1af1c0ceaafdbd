#include "framework/PageCancel.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

void OnPageCancel()
{
    if (CWnd* mainWnd = AfxGetMainWnd())
        mainWnd->PostMessage(WM_CLOSE);
}
