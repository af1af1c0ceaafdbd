#pragma once

// Windows' own profile functions and the facts about the system the tests run on, for the tests that
// compare our code with Windows. Only the Windows build includes this header.

#include <windows.h>

#include <string>
#include <string_view>

// Wine exports wine_get_version from its ntdll; Windows' ntdll has no such function.
inline bool RunningUnderWine()
{
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Windows decodes a profile file without a mark in the ANSI code page, ours always in code page 936:
// text beyond ASCII in such a file compares only where the two are the same.
inline bool AnsiCodePageIs936()
{
    return ::GetACP() == 936;
}

inline const wchar_t* WindowsText(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// ::GetPrivateProfileStringW with room for any value the tests write.
inline std::u16string WindowsGetString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, const std::u16string& path)
{
    std::wstring buffer(1 << 16, L'\0');
    DWORD copied =
        ::GetPrivateProfileStringW(WindowsText(section), WindowsText(key), WindowsText(defaultValue),
                                   buffer.data(), static_cast<DWORD>(buffer.size()), WindowsText(path));
    return std::u16string(buffer.begin(), buffer.begin() + copied);
}

inline unsigned WindowsGetInt(const std::u16string& section, const std::u16string& key, int defaultValue,
                              const std::u16string& path)
{
    return ::GetPrivateProfileIntW(WindowsText(section), WindowsText(key), defaultValue, WindowsText(path));
}

inline bool WindowsWriteString(const std::u16string& section, const std::u16string& key,
                               const std::u16string& value, const std::u16string& path)
{
    return ::WritePrivateProfileStringW(WindowsText(section), WindowsText(key), WindowsText(value),
                                        WindowsText(path)) != FALSE;
}
