#pragma once

#include <string>
#include <string_view>

// Text in the domain code is UTF-16 code units; the OS, Qt's byte APIs and the terminal speak UTF-8.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// The text with ASCII capitals made small; other letters stay, as Windows folds names.
std::u16string FoldAsciiCase(std::u16string_view text);

// Windows compares profile names and file names without regard to the case of ASCII letters.
bool EqualsNoCaseAscii(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCaseAscii(std::u16string_view text, std::u16string_view prefix);
