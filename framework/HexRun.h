#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Runs of plain hexadecimal digits, read many at once: a server list holds about a kilobyte of them per
// entry. The digits go sixteen, thirty-two or sixty-four at a time through vector instructions where the
// compiler and the processor offer them.

// Reads the 2 * count digits at `digits` as `count` bytes, the first digit of each pair the high half.
// False when any of them is not 0-9, A-F or a-f; `bytes` then holds nothing meaningful.
bool ReadHexBytes(const char* digits, size_t count, std::uint8_t* bytes);

// The same four digits to a 16-bit unit: 4 * count digits read as `count` units.
bool ReadHexUnits(const char* digits, size_t count, std::uint16_t* units);

// Writes `count` bytes as 2 * count capital hexadecimal digits at `digits`, the high half of each first.
void WriteHexBytes(const std::uint8_t* bytes, size_t count, char* digits);
// The same four digits to a 16-bit unit: writes 4 * count digits.
void WriteHexUnits(const std::uint16_t* units, size_t count, char* digits);

// The ways the runs are read and written, widest first: 64 bytes at a time (AVX-512), 32 (AVX2), 16, or
// one pair at a time. Each gives the same results; the widest the machine has is used.
enum class EHexWay { vector64, vector32, vector16, plain };
std::vector<EHexWay> HexWaysHere();
// Makes the functions above take one of HexWaysHere(), so that tests check each; nothing goes back.
void SetHexWayForTests(std::optional<EHexWay> way);
