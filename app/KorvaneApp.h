#pragma once

#include "framework/CArray.h"
#include "framework/WinApp.h"
#include "serverlist/ServerList.h"

// The application object: holds the server list editor's array and the entry dialog's edit index.
class CKorvaneApp : public CWinApp
{
public:
    CKorvaneApp() = default;

    bool InitInstance() override;

    CArray<tagServer> m_ServerArray;
    int m_nEditIndex = 0;
};

extern CKorvaneApp theApp;
