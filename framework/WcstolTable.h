#pragma once

#include <cstddef>
#include <cstdint>

// The code units that the Windows C runtime's wcstol reads as digits or skips as white space before a
// number, generated at build time from its table (framework/crt/wcstol.tsv). The ASCII letters that
// serve as digits above base 10 are left to the reader.
namespace crt {

// Units first..last, all white space or all digits with consecutive values.
struct tagWcstolRange
{
    char16_t first;
    char16_t last;
    std::int8_t firstDigit; // value of `first` as a digit; -1 for white space
};

// Sorted by unit, without overlaps.
extern const tagWcstolRange kWcstolRanges[];
extern const std::size_t kWcstolRangeCount;

} // namespace crt
