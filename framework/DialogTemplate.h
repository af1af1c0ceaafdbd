#pragma once

#include <string>
#include <vector>

// A dialog template as data: the dialog's size, font and style, and its controls with identifiers,
// captions and positions in dialog units. The framework builds the widgets from it.

constexpr int IDC_STATIC = -1;

enum class ControlKind { Edit, PushButton, RadioButton, CheckBox, Static, GroupBox, ListBox, TabControl };

// Style flags of a control, named after the platform's style bits that they stand for.
enum ControlStyle : unsigned {
    CS_NONE = 0,
    CS_TABSTOP = 1u << 0,     // reached with the Tab key
    CS_GROUP = 1u << 1,       // first control of a group
    CS_READONLY = 1u << 2,    // edit box that cannot be typed into
    CS_VCENTER = 1u << 3,     // static text centred vertically
    CS_VSCROLL = 1u << 4,     // list box with a vertical scroll bar
    CS_NOTIFY = 1u << 5,      // list box that reports clicks and double-clicks
    CS_BORDER = 1u << 6,      // edit or list box with a border
    CS_AUTOHSCROLL = 1u << 7, // edit box that scrolls horizontally
};

struct ControlTemplate
{
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    std::u16string caption;
    int x = 0, y = 0, cx = 0, cy = 0;
    unsigned style = CS_NONE;
};

enum class DialogKind {
    MainWindow, // top-level with caption, system menu, minimize box, resizable frame
    Child,      // child page without caption or border, hidden when created
    Popup       // modal pop-up with a title bar and no system menu
};

struct DialogTemplate
{
    int id = 0;
    DialogKind kind = DialogKind::Child;
    std::u16string title;
    int cx = 0, cy = 0;
    std::u16string fontName;
    int pointSize = 9;
    std::vector<ControlTemplate> controls;
};

// The program's dialog resources; nullptr for an unknown identifier.
const DialogTemplate* FindDialogTemplate(int id);
