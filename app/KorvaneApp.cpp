#include "app/KorvaneApp.h"

#include "app/KorvaneDlg.h"

CKorvaneApp theApp;

bool CKorvaneApp::InitInstance()
{
    CKorvaneDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No window is left running: the program ends without entering a message loop.
    return false;
}
