#pragma once

#include <cstddef>
#include <string_view>

// Runs of ASCII text: nearly all the text that the program converts is ASCII, and a conversion can take
// such a run whole. The loops go over whole blocks of 16 units, which the compiler turns into vector
// instructions; they live in their own translation unit so that inlining cannot undo that.

// How many units at the start of the text are ASCII.
size_t AsciiPrefix(std::string_view bytes);
size_t AsciiPrefix(std::u16string_view text);

// Copies ASCII bytes into units and back; the two buffers do not overlap.
void WidenAscii(const char* bytes, char16_t* units, size_t count);
void NarrowAscii(const char16_t* units, char* bytes, size_t count);
