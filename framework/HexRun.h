#pragma once

#include <cstddef>
#include <cstdint>

// Runs of plain hexadecimal digits, read many at once: a server list holds about a kilobyte of them per
// entry. The digits go sixteen at a time through vector instructions where the compiler offers them.

// Reads the 2 * count digits at `digits` as `count` bytes, the first digit of each pair the high half.
// False when any of them is not 0-9, A-F or a-f; `bytes` then holds nothing meaningful.
bool ReadHexBytes(const char* digits, size_t count, std::uint8_t* bytes);
