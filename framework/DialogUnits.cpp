#include "framework/DialogUnits.h"

#include <cstdint>

#if !defined(_WIN32)
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t half = (c > 0 ? c : -c) / 2;
    bool negative = (product < 0) != (c < 0);
    std::int64_t magnitude = (product < 0 ? -product : product) + half;
    std::int64_t result = magnitude / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -result : result);
}
#endif

CRect DialogUnitsToPixels(int x, int y, int cx, int cy, const BaseUnits& base)
{
    int left = MulDiv(x, base.cx, 4);
    int top = MulDiv(y, base.cy, 8);
    return CRect{left, top, left + MulDiv(cx, base.cx, 4), top + MulDiv(cy, base.cy, 8)};
}
