#include "serverlist/DLGEditServerInfo.h"

#include "app/KorvaneApp.h"
#include "framework/FileDialog.h"
#include "framework/FileLock.h"
#include "framework/FileSystem.h"
#include "framework/MessageBox.h"
#include "res/Resource.h"
#include "framework/PageCancel.h"
#include "framework/RunContext.h"
#include "serverlist/SaveFailure.h"
#include "serverlist/ServerList.h"

#include <optional>
#include <utility>

namespace {

constexpr char16_t kIniName[] = u"ServerInfo.ini";
constexpr char16_t kIniFilter[] = u"配置文件 (*.ini)|*.ini;|";

bool IsValidIndex(int index)
{
    return index >= 0 && size_t(index) < theApp.m_ServerArray.size();
}

} // namespace

CDLGEditServerInfo::CDLGEditServerInfo() : CPropertyPage(IDD_DLG_EDIT_SERVERINFO) {}

MessageMap CDLGEditServerInfo::GetMessageMap()
{
    return {
        {IDC_BTN_SAVE, BN_CLICKED, [this] { OnSave(); }},
        {IDC_BTN_MOVE_UP, BN_CLICKED, [this] { OnMoveUp(); }},
        {IDC_BTN_MOVE_DOWN, BN_CLICKED, [this] { OnMoveDown(); }},
        {IDC_RADIO_LOAD_LOCAL, BN_CLICKED, [this] { OnLoadLocal(); }},
        {IDC_RADIO_LOAD_CHOSEN, BN_CLICKED, [this] { OnLoadChosen(); }},
        {IDC_BTN_ADD, BN_CLICKED, [this] { OnAdd(); }},
        {IDC_BTN_EDIT, BN_CLICKED, [this] { OnEdit(); }},
        {IDC_BTN_DELETE, BN_CLICKED, [this] { OnDelete(); }},
        {IDC_BTN_SERVERLIST_CANCEL, BN_CLICKED, [] { OnPageCancel(); }},
        {IDC_LIST_SERVER, LBN_DBLCLK, [this] { OnListDoubleClick(); }},
    };
}

void CDLGEditServerInfo::DoDataExchange(bool)
{
    m_ServerListBox.Bind(GetDlgItem(IDC_LIST_SERVER));
}

bool CDLGEditServerInfo::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // A missing file is not worth a message at start: the operator may not use this page at all.
    if (FindFileInModuleDir(kIniName, m_szIniPath))
        LoadFrom(m_szIniPath, IDC_RADIO_LOAD_LOCAL);
    ShowLoadedOption();
    ShowCurrentFile();
    return true;
}

void CDLGEditServerInfo::SetCurrentFileHandler(std::function<void(const std::u16string&)> handler)
{
    m_onCurrentFile = std::move(handler);
}

void CDLGEditServerInfo::RefreshServerList()
{
    m_ServerListBox.ResetContent();
    const CArray<tagServer>& servers = theApp.m_ServerArray;
    for (size_t i = 0; i < servers.size(); ++i)
        m_ServerListBox.InsertString(int(i), servers[i].strServerName);
}

void CDLGEditServerInfo::LoadFrom(const std::u16string& path, int option)
{
    LoadServerList(WindowContext(), path, theApp.m_ServerArray);
    RefreshServerList();
    m_nLoadedOption = option;
}

// The options tell where the listed entries came from; a click that loaded nothing does not change that.
void CDLGEditServerInfo::ShowLoadedOption()
{
    CheckRadioButton(IDC_RADIO_LOAD_LOCAL, IDC_RADIO_LOAD_CHOSEN, m_nLoadedOption);
}

void CDLGEditServerInfo::ShowCurrentFile()
{
    SetDlgItemToolTip(IDC_BTN_SAVE, m_szIniPath);
    if (m_onCurrentFile)
        m_onCurrentFile(m_szIniPath);
}

void CDLGEditServerInfo::OnLoadLocal()
{
    if (FindFileInModuleDir(kIniName, m_szIniPath)) {
        LoadFrom(m_szIniPath, IDC_RADIO_LOAD_LOCAL);
        ShowCurrentFile();
        return;
    }
    ShowMessageBox(
        u"同目录下ServerInfo.ini不存在，请再次检查  或  点击“加载指定ini”指定正确的ini后再读取数据",
        u"同目录下ServerInfo.ini读取失败", MB_OK | MB_ICONEXCLAMATION);
    ShowLoadedOption();
}

void CDLGEditServerInfo::OnLoadChosen()
{
    FileDialogRequest request;
    request.title = u"请选择你需要加载的ini";
    request.filter = kIniFilter;
    request.defaultExt = u"ini";
    request.fileMustExist = true;
    std::optional<std::u16string> chosen = ShowFileDialog(request);
    if (!chosen) {
        ShowLoadedOption();
        return;
    }
    m_szIniPath = *chosen;
    LoadFrom(m_szIniPath, IDC_RADIO_LOAD_CHOSEN);
    ShowCurrentFile();
}

bool CDLGEditServerInfo::ChooseSavePath()
{
    FileDialogRequest request;
    request.save = true;
    request.title = u"请选择保存ini的位置";
    request.filter = kIniFilter;
    request.defaultExt = u"ini";
    request.initialPath = GetModuleDirectory() + kIniName;
    std::optional<std::u16string> chosen = ShowFileDialog(request);
    if (!chosen)
        return false;
    m_szIniPath = *chosen;
    ShowCurrentFile();
    return true;
}

void CDLGEditServerInfo::OnSave()
{
    // Without a current file the operator says where the list goes; nothing is written otherwise.
    if (m_szIniPath.empty() && !ChooseSavePath())
        return;
    tagRunContext context = WindowContext();
    // A second copy of the program, or korvane-cli, saving the same file waits for this save.
    CFileLock lock;
    tagFileError error = tagFileError::FromOsError(lock.Lock(m_szIniPath), m_szIniPath);
    if (!error.Failed())
        error = SaveServerList(context, m_szIniPath, theApp.m_ServerArray);
    if (error.Failed())
        ReportSaveFailure(context.reporter, error);
}

void CDLGEditServerInfo::RunEntryDialog(int editIndex)
{
    theApp.m_nEditIndex = editIndex;
    if (m_dlgEditServer.DoModal() == IDOK)
        RefreshServerList();
}

void CDLGEditServerInfo::OnAdd()
{
    RunEntryDialog(-1);
}

void CDLGEditServerInfo::OnEdit()
{
    int selected = m_ServerListBox.GetCurSel();
    if (selected == LB_ERR)
        return;
    RunEntryDialog(selected);
}

// With no line selected the dialog opens empty and adds an entry.
void CDLGEditServerInfo::OnListDoubleClick()
{
    RunEntryDialog(m_ServerListBox.GetCurSel());
}

void CDLGEditServerInfo::OnDelete()
{
    int selected = m_ServerListBox.GetCurSel();
    if (!IsValidIndex(selected))
        return;
    CArray<tagServer>& servers = theApp.m_ServerArray;
    servers.erase(servers.begin() + selected);
    m_ServerListBox.DeleteString(selected);
    // The entry that followed the deleted one takes the selection, or else the new last line.
    int count = m_ServerListBox.GetCount();
    m_ServerListBox.SetCurSel(count > selected ? selected : count - 1);
}

void CDLGEditServerInfo::SwapAndSelect(int first, int selectAfter)
{
    CArray<tagServer>& servers = theApp.m_ServerArray;
    std::swap(servers[size_t(first)], servers[size_t(first) + 1]);
    RefreshServerList();
    // The moved entry stays selected.
    m_ServerListBox.SetCurSel(selectAfter);
}

void CDLGEditServerInfo::OnMoveUp()
{
    int selected = m_ServerListBox.GetCurSel();
    if (selected <= 0 || !IsValidIndex(selected))
        return;
    SwapAndSelect(selected - 1, selected - 1);
}

void CDLGEditServerInfo::OnMoveDown()
{
    int selected = m_ServerListBox.GetCurSel();
    if (selected < 0 || selected >= m_ServerListBox.GetCount() - 1 || !IsValidIndex(selected + 1))
        return;
    SwapAndSelect(selected, selected + 1);
}
