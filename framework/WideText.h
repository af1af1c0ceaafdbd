#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text in the domain code is UTF-16 code units; the OS, Qt's byte APIs and the terminal speak UTF-8.

// A lone surrogate has no UTF-8 form and becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// For bytes the program itself produced or got from the system: each byte that does not belong to a
// well-formed sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

// For text that comes in from outside: nothing unless every byte belongs to a well-formed sequence.
// Overlong forms, encoded surrogates and code points beyond U+10FFFF are not well-formed. `badOffset`
// gets the offset of the first byte that is not.
std::optional<std::u16string> FromUtf8Strict(std::string_view text, size_t* badOffset = nullptr);

// The index of the first surrogate that is not half of a pair, or npos.
size_t FindLoneSurrogate(std::u16string_view text);

// The text with ASCII capitals made small; other letters stay, as Windows folds names.
std::u16string FoldAsciiCase(std::u16string_view text);

// Windows compares profile names and file names without regard to the case of ASCII letters.
bool EqualsNoCaseAscii(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCaseAscii(std::u16string_view text, std::u16string_view prefix);
