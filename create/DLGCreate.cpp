#include "create/DLGCreate.h"

#include "framework/PageCancel.h"
#include "create/CreationRun.h"
#include "create/InputRules.h"
#include "framework/DeploymentDirectory.h"
#include "framework/RunContext.h"
#include "res/Resource.h"

namespace {

// The edit boxes of the five inputs, in the order the rules number them.
constexpr int kInputEdits[inputCount] = {IDC_EDIT_COMPANY, IDC_EDIT_PLATFORM, IDC_EDIT_DOMAIN,
                                         IDC_EDIT_SERVER, IDC_EDIT_REGISTRY};

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
    std::array<bool, inputCount> required =
        RequiredInputs(IsChecked(IDC_CHECK_INSTALLER), IsChecked(IDC_CHECK_SERVERINFO));
    for (int input = 0; input < inputCount; ++input)
        SetEditReadOnly(kInputEdits[input], !required[input]);
}

bool CDLGCreate::CheckInputs()
{
    std::optional<CreateInput> missing = CheckInputsFor(
        MessageBoxReporter(), MakeRequest(), IsChecked(IDC_CHECK_INSTALLER), IsChecked(IDC_CHECK_SERVERINFO));
    // Once the message is closed the operator types into the box it asked for.
    if (missing)
        GotoDlgCtrl(kInputEdits[*missing]);
    return !missing;
}

void CDLGCreate::OnClickedOk()
{
    // No locale to set: the text files convert to and from code page 936 themselves.
    m_szModuleDir = GetDeploymentDirectory();
    CopyInputs();
    // Checked here as well as in RunCreation, so that the empty box can take the focus.
    if (!CheckInputs())
        return;
    tagCreateRequest request = MakeRequest();
    tagCreateOptions options{IsChecked(IDC_CHECK_DATABASE), IsChecked(IDC_CHECK_INSTALLER),
                             IsChecked(IDC_CHECK_SERVERINFO)};
    // The run works on the page's game list: a run that does not read it leaves it as it was.
    request.GameList = std::move(m_GameList);
    RunCreation(WindowContext(), request, options);
    m_GameList = std::move(request.GameList);
}

bool CDLGCreate::IsChecked(int id) const
{
    return IsDlgButtonChecked(id) == BST_CHECKED;
}

void CDLGCreate::CopyInputs()
{
    // Read-only boxes are copied too: they keep whatever was typed before.
    m_strCompanyName = GetDlgItemText(IDC_EDIT_COMPANY);
    m_strPlatformName = GetDlgItemText(IDC_EDIT_PLATFORM);
    m_strPlatformDomain = GetDlgItemText(IDC_EDIT_DOMAIN);
    m_strServerAddr = GetDlgItemText(IDC_EDIT_SERVER);
    m_strRegistryInfo = GetDlgItemText(IDC_EDIT_REGISTRY);
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
    return request;
}
