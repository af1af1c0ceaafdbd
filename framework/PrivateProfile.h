#pragma once

#include <string>
#include <string_view>

// The platform's profile functions. Each call reads the file afresh and a write replaces it at once,
// so other programs' changes are seen by the next call. Values are read whole, without a length cut.

// The value's number, read as Windows reads it (ProfileNumber.h): ASCII digits, lower-case base prefixes,
// wrapping modulo 2^32, returned unsigned ("-5" is 4294967291). The default, as its unsigned bits, when
// the file, the section or the key is missing.
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
