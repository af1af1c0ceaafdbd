#include "framework/DialogTemplate.h"

#include "res/Resource.h"

// The program's dialog resources. Positions and sizes are in dialog units of each template's font.

namespace {

constexpr unsigned kEdit = CS_BORDER | CS_TABSTOP | CS_AUTOHSCROLL;
constexpr unsigned kLabel = CS_VCENTER;

const DialogTemplate kMainWindow{IDD_KORVANE_DIALOG,
                                 DialogKind::MainWindow,
                                 u"Talmir工具",
                                 279,
                                 166,
                                 u"MS Shell Dlg",
                                 9,
                                 {
                                     {IDC_TAB_MAIN, ControlKind::TabControl, u"", 0, 1, 279, 165, CS_NONE},
                                 }};

const DialogTemplate kEncryptPage{
    IDD_DLG_ENCRYPT,
    DialogKind::Child,
    u"",
    320,
    180,
    u"宋体",
    9,
    {
        {IDC_EDIT_INPUT, ControlKind::Edit, u"", 47, 22, 219, 14, kEdit},
        {IDC_BTN_PASTE, ControlKind::PushButton, u"粘贴", 275, 20, 33, 17, CS_TABSTOP},
        {IDC_EDIT_RESULT, ControlKind::Edit, u"", 47, 50, 219, 14, kEdit | CS_READONLY},
        {IDC_BTN_COPY, ControlKind::PushButton, u"复制", 275, 48, 33, 17, CS_TABSTOP},
        {IDC_RADIO_XOR, ControlKind::RadioButton, u"XOR运算", 26, 104, 44, 10, CS_GROUP},
        {IDC_RADIO_MD5, ControlKind::RadioButton, u"MD5运算", 88, 104, 44, 10, CS_NONE},
        {IDC_RADIO_IP, ControlKind::RadioButton, u"IP地址运算", 150, 104, 56, 10, CS_NONE},
        {IDC_RADIO_VERSION, ControlKind::RadioButton, u"版本号运算", 224, 104, 56, 10, CS_NONE},
        {IDC_BTN_ENCRYPT, ControlKind::PushButton, u"加密", 75, 148, 60, 17, CS_TABSTOP},
        {IDC_BTN_DECRYPT, ControlKind::PushButton, u"解密", 160, 148, 60, 17, CS_TABSTOP},
        {IDC_STATIC, ControlKind::Static, u"原文数据：", 8, 21, 36, 14, kLabel},
        {IDC_STATIC, ControlKind::Static, u"结果数据：", 8, 50, 38, 14, kLabel},
        {IDC_STATIC, ControlKind::GroupBox, u"", 2, 7, 317, 66, CS_NONE},
        {IDC_STATIC, ControlKind::GroupBox, u"算法选择", 2, 85, 317, 38, CS_NONE},
    }};

const DialogTemplate kServerListPage{
    IDD_DLG_EDIT_SERVERINFO,
    DialogKind::Child,
    u"",
    320,
    180,
    u"宋体",
    9,
    {
        {IDC_LIST_SERVER, ControlKind::ListBox, u"", 9, 7, 252, 86,
         CS_NOTIFY | CS_BORDER | CS_VSCROLL | CS_TABSTOP},
        {IDC_BTN_MOVE_UP, ControlKind::PushButton, u"上移", 272, 27, 35, 14, CS_TABSTOP},
        {IDC_BTN_MOVE_DOWN, ControlKind::PushButton, u"下移", 272, 59, 35, 14, CS_TABSTOP},
        {IDC_RADIO_LOAD_LOCAL, ControlKind::RadioButton, u"加载本目录下ini", 50, 105, 76, 10, CS_GROUP},
        {IDC_RADIO_LOAD_CHOSEN, ControlKind::RadioButton, u"加载指定ini", 150, 105, 60, 10, CS_NONE},
        {IDC_BTN_ADD, ControlKind::PushButton, u"添加", 46, 125, 35, 14, CS_TABSTOP},
        {IDC_BTN_EDIT, ControlKind::PushButton, u"编辑", 119, 125, 35, 14, CS_TABSTOP},
        {IDC_BTN_DELETE, ControlKind::PushButton, u"删除", 196, 125, 35, 14, CS_TABSTOP},
        {IDC_BTN_SAVE, ControlKind::PushButton, u"保存", 75, 148, 60, 17, CS_TABSTOP},
        {IDC_BTN_SERVERLIST_CANCEL, ControlKind::PushButton, u"取消", 160, 148, 60, 17, CS_TABSTOP},
    }};

const DialogTemplate kServerEntryDialog{
    IDD_DLG_EDIT_SERVER,
    DialogKind::Popup,
    u"编辑服务器信息",
    201,
    119,
    u"宋体",
    9,
    {
        {IDC_STATIC, ControlKind::Static, u"服务器名称：", 9, 8, 49, 12, kLabel},
        {IDC_EDIT_SERVER_NAME, ControlKind::Edit, u"", 65, 7, 115, 12, kEdit},
        {IDC_STATIC, ControlKind::Static, u"服务器地址：", 9, 30, 49, 12, kLabel},
        {IDC_EDIT_SERVER_ADDR, ControlKind::Edit, u"", 65, 29, 115, 12, kEdit},
        {IDC_STATIC, ControlKind::Static, u"服务器域名：", 9, 54, 49, 12, kLabel},
        {IDC_EDIT_SERVER_DOMAIN, ControlKind::Edit, u"", 65, 53, 115, 12, kEdit},
        {IDC_BTN_SERVER_OK, ControlKind::PushButton, u"确定", 38, 83, 50, 15, CS_TABSTOP},
        {IDC_BTN_SERVER_CANCEL, ControlKind::PushButton, u"取消", 111, 83, 50, 15, CS_TABSTOP},
    }};

const DialogTemplate kCreatePage{
    IDD_DLG_CREATE,
    DialogKind::Child,
    u"",
    320,
    180,
    u"宋体",
    9,
    {
        {IDC_STATIC, ControlKind::Static, u"公司名称：", 56, 15, 41, 14, kLabel},
        {IDC_EDIT_COMPANY, ControlKind::Edit, u"", 111, 15, 123, 14, kEdit},
        {IDC_STATIC, ControlKind::Static, u"平台名称：", 56, 33, 41, 14, kLabel},
        {IDC_EDIT_PLATFORM, ControlKind::Edit, u"", 111, 33, 123, 14, kEdit},
        {IDC_STATIC, ControlKind::Static, u"平台域名：", 56, 51, 41, 14, kLabel},
        {IDC_EDIT_DOMAIN, ControlKind::Edit, u"", 111, 51, 123, 14, kEdit},
        {IDC_STATIC, ControlKind::Static, u"服务器地址：", 56, 69, 43, 14, kLabel},
        {IDC_EDIT_SERVER, ControlKind::Edit, u"", 111, 69, 123, 14, kEdit},
        {IDC_STATIC, ControlKind::Static, u"注册表信息：", 56, 87, 43, 14, kLabel},
        {IDC_EDIT_REGISTRY, ControlKind::Edit, u"", 111, 87, 123, 14, kEdit},
        {IDC_CHECK_DATABASE, ControlKind::CheckBox, u"生成数据库脚本", 42, 122, 72, 10, CS_TABSTOP},
        {IDC_CHECK_INSTALLER, ControlKind::CheckBox, u"生成安装包脚本", 116, 122, 72, 10, CS_TABSTOP},
        {IDC_CHECK_SERVERINFO, ControlKind::CheckBox, u"生成ServerInfo.ini", 192, 122, 88, 10, CS_TABSTOP},
        {IDC_BTN_CREATE_OK, ControlKind::PushButton, u"确定", 75, 148, 60, 17, CS_TABSTOP},
        {IDC_BTN_CREATE_CANCEL, ControlKind::PushButton, u"取消", 160, 148, 60, 17, CS_TABSTOP},
        {IDC_STATIC, ControlKind::GroupBox, u"获取信息", 14, 2, 284, 103, CS_NONE},
        {IDC_STATIC, ControlKind::GroupBox, u"功能选择", 13, 106, 285, 32, CS_NONE},
    }};

} // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate* t :
         {&kMainWindow, &kEncryptPage, &kServerListPage, &kServerEntryDialog, &kCreatePage}) {
        if (t->id == id)
            return t;
    }
    return nullptr;
}
