#pragma once

// A rectangle in pixels: left and top inside, right and bottom just outside.
struct CRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect&) const = default;
};
