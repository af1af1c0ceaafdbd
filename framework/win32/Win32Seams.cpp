#include "framework/win32/Win32Seams.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Window.h"

#include <commdlg.h>

#include <vector>

namespace {

// The box belongs to the window the operator works in, so that it is modal to it.
HWND OwnerWindow()
{
    return ::GetActiveWindow();
}

int ShowWin32MessageBox(const MessageBoxRequest& request)
{
    std::wstring text = ToWide(ShortenedForDisplay(request.text));
    std::wstring caption = ToWide(request.caption);
    return ::MessageBoxW(OwnerWindow(), text.c_str(), caption.c_str(), request.type);
}

// "description|pattern|…|" as the dialog takes it: zero-separated, ending with two zeros.
std::wstring FilterOf(const std::u16string& filter)
{
    std::wstring wide = ToWide(filter);
    for (wchar_t& c : wide) {
        if (c == L'|')
            c = L'\0';
    }
    wide.push_back(L'\0');
    return wide;
}

// The folder and the file name of a preset path, as the dialog wants them apart.
std::pair<std::wstring, std::wstring> SplitPath(const std::u16string& path)
{
    std::wstring wide = ToWide(path);
    size_t slash = wide.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {std::wstring(), wide};
    return {wide.substr(0, slash + 1), wide.substr(slash + 1)};
}

std::optional<std::u16string> ShowWin32FileDialog(const FileDialogRequest& request)
{
    // Room for a long path: the dialog writes the chosen one into this buffer.
    std::vector<wchar_t> file(32768, L'\0');
    auto [folder, name] = SplitPath(request.initialPath);
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    std::wstring title = ToWide(request.title);
    std::wstring filter = FilterOf(request.filter);
    std::wstring defaultExt = ToWide(request.defaultExt);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = OwnerWindow();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT : 0) |
                   (request.fileMustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
    BOOL chosen = request.save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return FromWide(file.data());
}

} // namespace

void InstallWin32Seams()
{
    SetMessageBoxHandler(ShowWin32MessageBox);
    SetFileDialogHandler(ShowWin32FileDialog);
}
