#pragma once

#include "framework/Wnd.h"

#include <QWidget>

// A plain window that pages are created in, as the main window's tab control would hold them.
class HostWindow : public CWnd
{
public:
    HostWindow()
    {
        Attach(new QWidget);
        GetSafeHwnd()->resize(800, 600);
    }
    ~HostWindow() override { delete GetSafeHwnd(); }
};
