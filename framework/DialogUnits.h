#pragma once

#include "framework/Rect.h"

// Dialog units: a template's positions and sizes, converted to pixels with the base units of the font
// that the dialog actually uses.

struct BaseUnits
{
    int cx = 0; // average width of the 52 Latin letters
    int cy = 0; // character height
};

// The platform's MulDiv: a * b / c in 64 bits, rounded to the nearest, halves away from zero; -1 for a
// zero divisor. On Windows it is the system's own, declared as <windows.h> declares it.
#if defined(_WIN32)
extern "C" __declspec(dllimport) int __stdcall MulDiv(int a, int b, int c);
#else
int MulDiv(int a, int b, int c);
#endif

// x * baseX / 4 and y * baseY / 8.
CRect DialogUnitsToPixels(int x, int y, int cx, int cy, const BaseUnits& base);
