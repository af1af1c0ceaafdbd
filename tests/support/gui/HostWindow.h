#pragma once

#include "framework/Wnd.h"
#include "framework/qt/QtWindow.h"

#include <QWidget>

// A plain window that pages are created in, as the main window's tab control would hold them.
class HostWindow : public CWnd
{
public:
    HostWindow()
    {
        Attach(HandleOf(new QWidget));
        WidgetOf(GetSafeHwnd())->resize(800, 600);
    }
    ~HostWindow() override { delete WidgetOf(GetSafeHwnd()); }
};
