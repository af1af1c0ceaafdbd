#pragma once

#include <cstdint>

// The C runtime's pseudo-random generator: one 32-bit state per program run, starting at 1, never seeded.
// Each draw: state = state * 214013 + 2531011 (mod 2^32), yielding bits 16 to 30 (0 to 32767). Inline, as
// every XOR text draws eight times and the callers' arithmetic folds once the range is seen.

inline std::uint32_t& CrtRandomState()
{
    static std::uint32_t state = 1;
    return state;
}

inline int CrtRand()
{
    std::uint32_t& state = CrtRandomState();
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

// Puts the generator back to the state of a fresh run; for tests that need a run's first keys.
inline void CrtResetRandom()
{
    CrtRandomState() = 1;
}
