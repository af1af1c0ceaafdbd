#pragma once

// Resource identifiers: dialog templates, the application icon and the controls.

constexpr int IDD_KORVANE_DIALOG = 102;
constexpr int IDD_DLG_ENCRYPT = 107;
constexpr int IDD_DLG_EDIT_SERVERINFO = 108;
constexpr int IDD_DLG_EDIT_SERVER = 109;
constexpr int IDD_DLG_CREATE = 110;
constexpr int IDR_MAINFRAME = 128;

// Main window.
constexpr int IDC_TAB_MAIN = 1000;

// Encryption page.
constexpr int IDC_EDIT_INPUT = 1001;
constexpr int IDC_EDIT_RESULT = 1002;
constexpr int IDC_RADIO_XOR = 1003;
constexpr int IDC_RADIO_MD5 = 1004;
constexpr int IDC_RADIO_IP = 1005;
constexpr int IDC_RADIO_VERSION = 1006;
constexpr int IDC_BTN_PASTE = 1007;
constexpr int IDC_BTN_COPY = 1008;
constexpr int IDC_BTN_ENCRYPT = 1009;
constexpr int IDC_BTN_DECRYPT = 1010;

// Server list page.
constexpr int IDC_LIST_SERVER = 1010;
constexpr int IDC_BTN_MOVE_UP = 1011;
constexpr int IDC_BTN_MOVE_DOWN = 1012;
constexpr int IDC_RADIO_LOAD_LOCAL = 1013;
constexpr int IDC_RADIO_LOAD_CHOSEN = 1014;
constexpr int IDC_BTN_ADD = 1015;
constexpr int IDC_BTN_EDIT = 1016;
constexpr int IDC_BTN_DELETE = 1017;
constexpr int IDC_BTN_SAVE = 1018;
constexpr int IDC_BTN_SERVERLIST_CANCEL = 1019;

// Server entry dialog.
constexpr int IDC_EDIT_SERVER_NAME = 1019;
constexpr int IDC_EDIT_SERVER_ADDR = 1020;
constexpr int IDC_EDIT_SERVER_DOMAIN = 1021;
constexpr int IDC_BTN_SERVER_OK = 1022;
constexpr int IDC_BTN_SERVER_CANCEL = 1023;

// Creation page.
constexpr int IDC_EDIT_PLATFORM = 1019;
constexpr int IDC_EDIT_COMPANY = 1023;
constexpr int IDC_CHECK_DATABASE = 1024;
constexpr int IDC_BTN_CREATE_OK = 1025;
constexpr int IDC_EDIT_DOMAIN = 1028;
constexpr int IDC_EDIT_SERVER = 1029;
constexpr int IDC_EDIT_REGISTRY = 1030;
constexpr int IDC_CHECK_INSTALLER = 1031;
constexpr int IDC_CHECK_SERVERINFO = 1032;
constexpr int IDC_BTN_CREATE_CANCEL = 1033;
