#include "serverlist/DLGEditServerInfo.h"

#include "app/PageCancel.h"
#include "res/Resource.h"

CDLGEditServerInfo::CDLGEditServerInfo() : CPropertyPage(IDD_DLG_EDIT_SERVERINFO) {}

MessageMap CDLGEditServerInfo::GetMessageMap()
{
    return {{IDC_BTN_SERVERLIST_CANCEL, BN_CLICKED, [] { OnPageCancel(); }}};
}
