#include "create/DLGCreate.h"

#include "app/PageCancel.h"
#include "create/DatabaseScripts.h"
#include "create/InstallerScripts.h"
#include "framework/FileSystem.h"
#include "framework/MessageBox.h"
#include "res/Resource.h"

namespace {

// One input of the page: its edit box, the member it is copied into, the message when it is missing,
// and which of the two options need it. The table's order is the order the inputs are checked in.
struct Input
{
    int editId;
    std::u16string CDLGCreate::*member;
    const char16_t* missingMessage;
    bool neededByInstaller;
    bool neededByServerList;
};

const Input kInputs[] = {
    {IDC_EDIT_COMPANY, &CDLGCreate::m_strCompanyName, u"请输入\"公司名称\"信息", true, false},
    {IDC_EDIT_PLATFORM, &CDLGCreate::m_strPlatformName, u"请输入\"平台名称\"信息", true, true},
    {IDC_EDIT_DOMAIN, &CDLGCreate::m_strPlatformDomain, u"请输入\"平台域名\"信息", true, true},
    {IDC_EDIT_SERVER, &CDLGCreate::m_strServerAddr, u"请输入\"服务器地址\"信息", false, true},
    {IDC_EDIT_REGISTRY, &CDLGCreate::m_strRegistryInfo, u"请输入\"注册表信息\"", true, false},
};

bool IsRequired(const Input& input, bool installer, bool serverList)
{
    return (installer && input.neededByInstaller) || (serverList && input.neededByServerList);
}

} // namespace

CDLGCreate::CDLGCreate() : CPropertyPage(IDD_DLG_CREATE) {}

MessageMap CDLGCreate::GetMessageMap()
{
    return {
        {IDC_BTN_CREATE_OK, BN_CLICKED, [this] { OnClickedOk(); }},
        {IDC_BTN_CREATE_CANCEL, BN_CLICKED, [] { OnPageCancel(); }},
        {IDC_CHECK_INSTALLER, BN_CLICKED, [this] { OnClickedOption(); }},
        {IDC_CHECK_SERVERINFO, BN_CLICKED, [this] { OnClickedOption(); }},
        {IDC_CHECK_DATABASE, BN_CLICKED, [this] { OnClickedOption(); }},
    };
}

void CDLGCreate::DoDataExchange(bool saveAndValidate)
{
    CPropertyPage::DoDataExchange(saveAndValidate);
    // No control is bound to a member; loading the page only starts it with every option chosen.
    if (saveAndValidate)
        return;
    CheckDlgButton(IDC_CHECK_DATABASE, BST_CHECKED);
    CheckDlgButton(IDC_CHECK_INSTALLER, BST_CHECKED);
    CheckDlgButton(IDC_CHECK_SERVERINFO, BST_CHECKED);
}

void CDLGCreate::OnClickedOption()
{
    UpdateInputStates();
}

void CDLGCreate::UpdateInputStates()
{
    bool installer = IsChecked(IDC_CHECK_INSTALLER);
    bool serverList = IsChecked(IDC_CHECK_SERVERINFO);
    for (const Input& input : kInputs)
        SetEditReadOnly(input.editId, !IsRequired(input, installer, serverList));
}

bool CDLGCreate::CheckInputs()
{
    bool installer = IsChecked(IDC_CHECK_INSTALLER);
    bool serverList = IsChecked(IDC_CHECK_SERVERINFO);
    for (const Input& input : kInputs) {
        if (IsRequired(input, installer, serverList) && (this->*input.member).empty()) {
            AfxMessageBox(input.missingMessage);
            return false;
        }
    }
    return true;
}

void CDLGCreate::OnClickedOk()
{
    // No locale to set: the text files convert to and from code page 936 themselves.
    m_szModuleDir = GetModuleDirectory();
    CopyInputs();
    if (!CheckInputs())
        return;
    if (IsChecked(IDC_CHECK_DATABASE) || IsChecked(IDC_CHECK_INSTALLER)) {
        if (!ReadGameList()) {
            AfxMessageBox(u"游戏列表读取失败!");
            return;
        }
        if (m_GameList.empty()) {
            AfxMessageBox(u"游戏列表读取成功,但是内容为空");
            return;
        }
    }
    // A database step that stopped after its own message ends the command here.
    if (IsChecked(IDC_CHECK_DATABASE) && !MakeDatabaseScripts())
        return;
    if (IsChecked(IDC_CHECK_INSTALLER))
        MakeInstallerScripts();
    // The server list option only steers which inputs are needed; it writes nothing.
}

bool CDLGCreate::ReadGameList()
{
    return ::ReadGameList(m_szModuleDir, m_GameList);
}

bool CDLGCreate::MakeDatabaseScripts()
{
    return ::MakeDatabaseScripts(m_szModuleDir, m_GameList);
}

bool CDLGCreate::MakeInstallerScripts()
{
    return ::MakeInstallerScripts(MakeRequest());
}

bool CDLGCreate::IsChecked(int id) const
{
    return IsDlgButtonChecked(id) == BST_CHECKED;
}

void CDLGCreate::CopyInputs()
{
    // Read-only boxes are copied too: they keep whatever was typed before.
    for (const Input& input : kInputs)
        this->*input.member = GetDlgItemText(input.editId);
}

tagCreateRequest CDLGCreate::MakeRequest() const
{
    tagCreateRequest request;
    request.strCompanyName = m_strCompanyName;
    request.strPlatformName = m_strPlatformName;
    request.strPlatformDomain = m_strPlatformDomain;
    request.strServerAddr = m_strServerAddr;
    request.strRegistryInfo = m_strRegistryInfo;
    request.strModuleDir = m_szModuleDir;
    request.GameList = m_GameList;
    return request;
}
