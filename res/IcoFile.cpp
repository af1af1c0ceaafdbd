#include "res/IcoFile.h"

#include <QBuffer>

#include <cstdint>

namespace {

constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;
constexpr int kLargestBitmap = 128; // larger sizes go in as PNG

void PutWord(QByteArray& out, std::uint16_t value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

void PutDword(QByteArray& out, std::uint32_t value)
{
    PutWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

// A bottom-up 32-bit image with blue, green, red and alpha per pixel, then the AND mask (1 = transparent)
// in rows of whole 32-bit words; the header's height counts both.
QByteArray BitmapOf(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int size = argb.width();
    const int maskRow = (size + 31) / 32 * 4;
    QByteArray out;
    PutDword(out, 40);
    PutDword(out, static_cast<std::uint32_t>(size));
    PutDword(out, static_cast<std::uint32_t>(size * 2));
    PutWord(out, 1);  // planes
    PutWord(out, 32); // bits per pixel
    PutDword(out, 0); // no compression
    PutDword(out, static_cast<std::uint32_t>(size * size * 4 + maskRow * size));
    for (int i = 0; i < 4; ++i)
        PutDword(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            QRgb pixel = argb.pixel(x, y);
            out.append(static_cast<char>(qBlue(pixel)));
            out.append(static_cast<char>(qGreen(pixel)));
            out.append(static_cast<char>(qRed(pixel)));
            out.append(static_cast<char>(qAlpha(pixel)));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(argb.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray PngOf(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

} // namespace

QByteArray IcoFileOf(const std::vector<QImage>& images)
{
    std::vector<QByteArray> data;
    for (const QImage& image : images)
        data.push_back(image.width() <= kLargestBitmap ? BitmapOf(image) : PngOf(image));
    QByteArray out;
    PutWord(out, 0);
    PutWord(out, 1); // an icon, not a cursor
    PutWord(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = kHeaderSize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        // 256 pixels is written as 0.
        out.append(static_cast<char>(images[i].width() & 0xFF));
        out.append(static_cast<char>(images[i].height() & 0xFF));
        out.append('\0'); // no palette
        out.append('\0');
        PutWord(out, 1);
        PutWord(out, 32);
        PutDword(out, static_cast<std::uint32_t>(data[i].size()));
        PutDword(out, offset);
        offset += static_cast<std::uint32_t>(data[i].size());
    }
    for (const QByteArray& image : data)
        out.append(image);
    return out;
}
