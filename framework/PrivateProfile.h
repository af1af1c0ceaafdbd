#pragma once

#include <string>
#include <string_view>

// The platform's profile functions. Each call reads the file afresh and a write replaces it at once,
// so other programs' changes are seen by the next call. Values are read whole, without a length cut.

// The value's leading decimal number, returned as Windows returns it: a negative number as its unsigned
// bits. The default when the file, the section or the key is missing.
unsigned GetPrivateProfileIntW(std::u16string_view section, std::u16string_view key, int defaultValue,
                               const std::u16string& path);

// The value without enclosing quotes; the default, less its trailing blanks, when the file, the section
// or the key is missing.
std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, const std::u16string& path);

// Sets "key=value" in the section, creating the file, the section or the key when missing; every other
// byte of the file stays as it was. False when the file cannot be read or written.
bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::u16string& path);
