#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows code page 936, from Windows' own tables.

// The platform's default conversion to the ANSI code page: best fit on, everything else becomes "?".
std::string Cp936EncodeBestFit(std::u16string_view text);
// The same into `out`, which has room for two bytes a unit; returns how many it wrote.
size_t Cp936EncodeBestFitTo(std::u16string_view text, char* out);

// Exact conversion: nothing when a code unit has no exact representation (a best-fit mapping does not
// count); *badIndex then receives the index of the first such unit. For text that must read back as
// it was written.
std::optional<std::string> Cp936EncodeExact(std::u16string_view text, size_t* badIndex = nullptr);

// Conversion for text files, as the C runtime under the locale "chs" writes them: a unit that has only
// a best-fit form is written in that form ("¢" U+00A2 becomes A1 E9); nothing when a unit has no form
// at all and would become the default character "?" (a lone surrogate, Thai letters, ...); *badIndex
// then receives the index of the first such unit.
std::optional<std::string> Cp936EncodeForFile(std::u16string_view text, size_t* badIndex = nullptr);

// Exact decoding: nothing when a byte sequence is not valid code page 936.
std::optional<std::u16string> Cp936DecodeExact(std::string_view bytes);

// Lenient decoding: each byte sequence that does not decode becomes U+FFFD.
std::u16string Cp936Decode(std::string_view bytes);
