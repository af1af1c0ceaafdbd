#include "framework/Clipboard.h"

#include "framework/WinApp.h"
#include "framework/win32/Win32Window.h"

#include <cstring>

namespace {

// The window the clipboard is opened with: the main window, or without one (a page in a test) a hidden
// window of the framework's own, since an ownerless clipboard takes no data.
HWND ClipboardOwner()
{
    if (CWnd* mainWnd = AfxGetMainWnd(); mainWnd && mainWnd->GetSafeHwnd())
        return HwndOf(mainWnd->GetSafeHwnd());
    static HWND hidden = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
    return hidden;
}

} // namespace

bool IsClipboardUnicodeTextAvailable()
{
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT);
}

std::optional<std::u16string> GetClipboardUnicodeText()
{
    if (!IsClipboardUnicodeTextAvailable() || !::OpenClipboard(ClipboardOwner()))
        return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(::GlobalLock(data))) {
            // Up to the first zero character, within the block.
            size_t limit = ::GlobalSize(data) / sizeof(char16_t);
            size_t length = 0;
            while (length < limit && units[length] != 0)
                ++length;
            text = std::u16string(units, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardUnicodeText(const std::u16string& text)
{
    if (!::OpenClipboard(ClipboardOwner()))
        return;
    ::EmptyClipboard();
    size_t bytes = sizeof(char16_t) * (text.size() + 1);
    // Without the memory the clipboard stays empty.
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = ::GlobalLock(block)) {
            std::memcpy(target, text.c_str(), bytes);
            ::GlobalUnlock(block);
            if (!::SetClipboardData(CF_UNICODETEXT, block))
                ::GlobalFree(block);
        } else {
            ::GlobalFree(block);
        }
    }
    ::CloseClipboard();
}
