#pragma once

#include <string>
#include <string_view>

// Win32's wide strings and the framework's UTF-16 and UTF-8 text. The units are copied one by one:
// char16_t and wchar_t are the same size on Windows but distinct types.
std::wstring ToWide(std::u16string_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::u16string FromWide(std::wstring_view text);
