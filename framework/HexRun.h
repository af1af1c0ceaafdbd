#pragma once

#include <cstddef>
#include <cstdint>

// Runs of plain hexadecimal digits, read many at once: a server list holds about a kilobyte of them per
// entry. The digits go sixteen at a time through vector instructions where the compiler offers them.

// Reads the 2 * count digits at `digits` as `count` bytes, the first digit of each pair the high half.
// False when any of them is not 0-9, A-F or a-f; `bytes` then holds nothing meaningful.
bool ReadHexBytes(const char* digits, size_t count, std::uint8_t* bytes);

// The same four digits to a 16-bit unit: 4 * count digits read as `count` units.
bool ReadHexUnits(const char* digits, size_t count, std::uint16_t* units);

// Writes `count` bytes as 2 * count capital hexadecimal digits at `digits`, the high half of each first.
void WriteHexBytes(const std::uint8_t* bytes, size_t count, char* digits);
// The same four digits to a 16-bit unit: writes 4 * count digits.
void WriteHexUnits(const std::uint16_t* units, size_t count, char* digits);
