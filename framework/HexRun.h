#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Runs of plain hexadecimal digits, read many at once: a server list holds about a kilobyte of them per
// entry. The digits go sixteen, thirty-two or sixty-four at a time through vector instructions where the
// compiler and the processor offer them.

// Reads the 4 * count digits at `digits` as `count` 16-bit units, four digits to a unit, the most
// significant first. False when any of them is not 0-9, A-F or a-f; `units` then holds nothing meaningful.
bool ReadHexUnits(const char* digits, size_t count, std::uint16_t* units);

// Writes `count` units as 4 * count capital hexadecimal digits at `digits`, the most significant first.
void WriteHexUnits(const std::uint16_t* units, size_t count, char* digits);

// The ways the runs are read and written, widest first: 64 bytes at a time (AVX-512), 32 (AVX2), 16, or
// one pair at a time. Each gives the same results; the widest the machine has is used.
enum class EHexWay { vector64, vector32, vector16, plain };
std::vector<EHexWay> HexWaysHere();
// Makes the functions above take one of HexWaysHere(), so that tests check each; nothing goes back.
void SetHexWayForTests(std::optional<EHexWay> way);
