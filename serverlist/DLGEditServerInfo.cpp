#include "serverlist/DLGEditServerInfo.h"

#include "app/KorvaneApp.h"
#include "app/PageCancel.h"
#include "framework/FileDialog.h"
#include "framework/FileSystem.h"
#include "framework/Format.h"
#include "framework/MessageBox.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

constexpr char16_t kIniName[] = u"ServerInfo.ini";
constexpr char16_t kIniFilter[] = u"配置文件 (*.ini)|*.ini;|";

// Why a save did not reach the disk, in the operator's words.
std::u16string SaveFailureReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return u"没有写入权限（文件只读或所在目录不允许写入）";
    case ENOENT:
    case ENOTDIR:
        return u"所在目录不存在";
    case EISDIR:
        return u"该路径是一个目录";
    case ENOSPC:
    case EDQUOT:
        return u"磁盘空间不足";
    case ENAMETOOLONG:
        return u"路径太长";
    default:
        return FormatW(u"系统错误代码 %d", {std::int64_t(error)});
    }
}

void ReportSaveFailure(const std::u16string& path, int error)
{
    std::u16string text = FormatW(u"无法写入 %s\n原因：%s\n原来的文件没有改动，请检查后重新保存",
                                  {path, SaveFailureReason(error)});
    ShowMessageBox(text, u"ServerInfo.ini保存失败", MB_OK | MB_ICONEXCLAMATION);
}

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
    if (FindFileInModuleDir(kIniName, m_szIniPath)) {
        CheckDlgButton(IDC_RADIO_LOAD_LOCAL, BST_CHECKED);
        CheckDlgButton(IDC_RADIO_LOAD_CHOSEN, BST_UNCHECKED);
        LoadFrom(m_szIniPath);
    } else {
        CheckDlgButton(IDC_RADIO_LOAD_LOCAL, BST_UNCHECKED);
        CheckDlgButton(IDC_RADIO_LOAD_CHOSEN, BST_UNCHECKED);
    }
    return true;
}

void CDLGEditServerInfo::RefreshServerList()
{
    m_ServerListBox.ResetContent();
    const CArray<tagServer>& servers = theApp.m_ServerArray;
    for (size_t i = 0; i < servers.size(); ++i)
        m_ServerListBox.InsertString(int(i), servers[i].strServerName);
}

void CDLGEditServerInfo::LoadFrom(const std::u16string& path)
{
    LoadServerList(path, theApp.m_ServerArray);
    RefreshServerList();
}

void CDLGEditServerInfo::OnLoadLocal()
{
    if (FindFileInModuleDir(kIniName, m_szIniPath)) {
        LoadFrom(m_szIniPath);
        return;
    }
    ShowMessageBox(
        u"同目录下ServerInfo.ini不存在，请再次检查  或  点击“加载指定ini”指定正确的ini后再读取数据",
        u"同目录下ServerInfo.ini读取失败", MB_OK | MB_ICONEXCLAMATION);
}

void CDLGEditServerInfo::OnLoadChosen()
{
    FileDialogRequest request;
    request.title = u"请选择你需要加载的ini";
    request.filter = kIniFilter;
    request.defaultExt = u"ini";
    request.fileMustExist = true;
    std::optional<std::u16string> chosen = ShowFileDialog(request);
    if (!chosen)
        return;
    m_szIniPath = *chosen;
    LoadFrom(m_szIniPath);
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
    return true;
}

void CDLGEditServerInfo::OnSave()
{
    // Without a current file the operator says where the list goes; nothing is written otherwise.
    if (m_szIniPath.empty() && !ChooseSavePath())
        return;
    if (int error = SaveServerList(m_szIniPath, theApp.m_ServerArray))
        ReportSaveFailure(m_szIniPath, error);
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
