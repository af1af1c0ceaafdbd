#include "framework/win32/DialogResource.h"

#include "framework/win32/Win32Window.h"

namespace {

// Predefined control classes of the dialog manager, named by ordinal.
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kEditClass = 0x0081;
constexpr std::uint16_t kStaticClass = 0x0082;
constexpr std::uint16_t kListBoxClass = 0x0083;

class CResourceWriter
{
public:
    void Word(std::uint16_t value) { m_words.push_back(value); }
    void Dword(std::uint32_t value)
    {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void Text(const std::u16string& text)
    {
        for (char16_t unit : text)
            Word(static_cast<std::uint16_t>(unit));
        Word(0);
    }
    // An ordinal where a name could stand.
    void Ordinal(std::uint16_t ordinal)
    {
        Word(0xFFFF);
        Word(ordinal);
    }
    void AlignToDword()
    {
        if (m_words.size() % 2 != 0)
            Word(0);
    }
    std::vector<std::uint16_t> Take() { return std::move(m_words); }

private:
    std::vector<std::uint16_t> m_words;
};

std::uint32_t KindStyleOf(const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Edit:
        return ES_LEFT | ((control.style & CS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) |
               ((control.style & CS_READONLY) ? ES_READONLY : 0);
    case ControlKind::PushButton:
        return BS_PUSHBUTTON;
    case ControlKind::RadioButton:
        return BS_AUTORADIOBUTTON;
    case ControlKind::CheckBox:
        return BS_AUTOCHECKBOX;
    case ControlKind::Static:
        return SS_LEFT | ((control.style & CS_VCENTER) ? SS_CENTERIMAGE : 0);
    case ControlKind::GroupBox:
        return BS_GROUPBOX;
    case ControlKind::ListBox:
        return ((control.style & CS_NOTIFY) ? LBS_NOTIFY : 0) |
               ((control.style & CS_VSCROLL) ? WS_VSCROLL : 0);
    case ControlKind::TabControl:
        return 0;
    }
    return 0;
}

void WriteClass(CResourceWriter& writer, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Edit:
        writer.Ordinal(kEditClass);
        return;
    case ControlKind::Static:
        writer.Ordinal(kStaticClass);
        return;
    case ControlKind::ListBox:
        writer.Ordinal(kListBoxClass);
        return;
    case ControlKind::TabControl:
        writer.Text(u"SysTabControl32");
        return;
    default:
        writer.Ordinal(kButtonClass);
        return;
    }
}

void WriteControl(CResourceWriter& writer, const ControlTemplate& control)
{
    writer.AlignToDword();
    writer.Dword(0); // help identifier
    writer.Dword(ControlExStyleOf(control));
    writer.Dword(ControlStyleOf(control));
    writer.Short(control.x);
    writer.Short(control.y);
    writer.Short(control.cx);
    writer.Short(control.cy);
    writer.Dword(static_cast<std::uint32_t>(control.id));
    WriteClass(writer, control.kind);
    writer.Text(control.caption);
    writer.Word(0); // no creation data
}

} // namespace

std::uint32_t DialogStyleOf(const DialogTemplate& dialogTemplate)
{
    switch (dialogTemplate.kind) {
    // The top-level windows come up in the middle of the screen, as Qt puts them too.
    case DialogKind::MainWindow:
        return DS_SETFONT | DS_FIXEDSYS | DS_CENTER | WS_MINIMIZEBOX | WS_POPUP | WS_VISIBLE | WS_CAPTION |
               WS_SYSMENU | WS_THICKFRAME;
    case DialogKind::Child:
        // A control parent, so that Tab walks into the page from the main window.
        return DS_SETFONT | DS_CONTROL | WS_CHILD;
    case DialogKind::Popup:
        return DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION;
    }
    return DS_SETFONT;
}

std::uint32_t DialogExStyleOf(const DialogTemplate& dialogTemplate)
{
    return dialogTemplate.kind == DialogKind::MainWindow ? WS_EX_APPWINDOW : 0;
}

std::uint32_t ControlStyleOf(const ControlTemplate& control)
{
    std::uint32_t style = WS_CHILD | WS_VISIBLE | KindStyleOf(control);
    if (control.style & CS_TABSTOP)
        style |= WS_TABSTOP;
    if (control.style & CS_GROUP)
        style |= WS_GROUP;
    if (control.style & CS_BORDER)
        style |= WS_BORDER;
    return style;
}

std::uint32_t ControlExStyleOf(const ControlTemplate& control)
{
    // The pages are children of the tab control: Tab walks through it into the shown page.
    return control.kind == ControlKind::TabControl ? WS_EX_CONTROLPARENT : 0;
}

std::vector<std::uint16_t> BuildDialogResource(const DialogTemplate& dialogTemplate)
{
    CResourceWriter writer;
    writer.Word(1);      // version
    writer.Word(0xFFFF); // the extended template's signature
    writer.Dword(0);     // help identifier
    writer.Dword(DialogExStyleOf(dialogTemplate));
    writer.Dword(DialogStyleOf(dialogTemplate));
    writer.Word(static_cast<std::uint16_t>(dialogTemplate.controls.size()));
    writer.Short(0);
    writer.Short(0);
    writer.Short(dialogTemplate.cx);
    writer.Short(dialogTemplate.cy);
    writer.Word(0); // no menu
    writer.Word(0); // the dialog class
    writer.Text(dialogTemplate.title);
    writer.Word(static_cast<std::uint16_t>(dialogTemplate.pointSize));
    writer.Word(FW_NORMAL);
    // Not italic (low byte); the character set (high byte).
    BYTE charset = dialogTemplate.fontName == u"宋体" ? GB2312_CHARSET : DEFAULT_CHARSET;
    writer.Word(static_cast<std::uint16_t>(charset << 8));
    writer.Text(dialogTemplate.fontName);
    for (const ControlTemplate& control : dialogTemplate.controls)
        WriteControl(writer, control);
    return writer.Take();
}
