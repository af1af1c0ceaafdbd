#pragma once

// The C runtime's pseudo-random generator: one 32-bit state per program run, starting at 1, never seeded.
// Each draw: state = state * 214013 + 2531011 (mod 2^32), yielding bits 16 to 30 (0 to 32767).
int CrtRand();

// Puts the generator back to the state of a fresh run; for tests that need a run's first keys.
void CrtResetRandom();
