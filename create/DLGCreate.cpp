#include "create/DLGCreate.h"

#include "app/PageCancel.h"
#include "res/Resource.h"

CDLGCreate::CDLGCreate() : CPropertyPage(IDD_DLG_CREATE) {}

MessageMap CDLGCreate::GetMessageMap()
{
    return {{IDC_BTN_CREATE_CANCEL, BN_CLICKED, [] { OnPageCancel(); }}};
}
