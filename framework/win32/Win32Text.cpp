#include "framework/win32/Win32Text.h"

#include "framework/WideText.h"

std::wstring ToWide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring Utf8ToWide(std::string_view text)
{
    return ToWide(FromUtf8(text));
}

std::u16string FromWide(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::string WideToUtf8(std::wstring_view text)
{
    return ToUtf8(FromWide(text));
}
