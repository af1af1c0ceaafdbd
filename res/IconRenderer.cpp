#include "res/AppIconDrawing.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// Build tool: writes the application icon at one size as a PNG file, for the icon theme folders.
// Usage: korvane_icon_renderer SIZE FILE
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE\n", argv[0]);
        return 2;
    }
    char* end = nullptr;
    long size = std::strtol(argv[1], &end, 10);
    if (*end != '\0' || size < 1 || size > 1024) {
        std::fprintf(stderr, "%s: the size must be a number from 1 to 1024: %s\n", argv[0], argv[1]);
        return 2;
    }
    if (!DrawAppIcon(static_cast<int>(size)).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
