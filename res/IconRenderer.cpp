#include "res/AppIconDrawing.h"
#include "res/IcoFile.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The sizes Windows picks from for the caption, the task bar and Explorer at the usual scale factors.
const int kIcoSizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};

int WriteIco(const char* program, const char* path)
{
    std::vector<QImage> images;
    for (int size : kIcoSizes)
        images.push_back(DrawAppIcon(size));
    QFile file(QString::fromLocal8Bit(path));
    QByteArray data = IcoFileOf(images);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "%s: cannot write %s\n", program, path);
        return 1;
    }
    return 0;
}

} // namespace

// Build tool: writes the application icon at one size as a PNG file, for the icon theme folders, or at
// all the sizes Windows uses as an .ico file, for the Windows program's resources.
// Usage: korvane_icon_renderer SIZE FILE
//        korvane_icon_renderer --ico FILE
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE\n       %s --ico FILE\n", argv[0], argv[0]);
        return 2;
    }
    if (std::string(argv[1]) == "--ico")
        return WriteIco(argv[0], argv[2]);
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
