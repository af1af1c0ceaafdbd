#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Fuzz input as the core's text types, and the check that stops a run.

std::string_view AsBytes(const std::uint8_t* data, size_t size);

// Each byte one code unit (U+0000 to U+00FF), so that seeds stay readable ASCII files.
std::u16string WidenBytes(std::string_view bytes);

// Byte pairs as UTF-16LE code units, reaching every code unit; an odd last byte is dropped.
std::u16string Utf16FromBytes(std::string_view bytes);

// Letters and digits only, mapped from any bytes: text that no profile or row syntax reads specially.
std::u16string PlainName(std::string_view bytes);

// Prints the broken invariant and aborts, which makes libFuzzer save the input.
void FuzzFail(const char* condition, const char* file, int line);

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            FuzzFail(#condition, __FILE__, __LINE__);                                                        \
    } while (false)
