#include "res/IcoFile.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t ReadLittle(const QByteArray& data, int offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(data[offset + i]);
    return value;
}

// A 16-pixel image, transparent but for an opaque red pixel in its top left corner.
QImage TopLeftPixel()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    return image;
}

TEST(IcoFile, DirectoryNamesEveryImageWithItsSizeAndPlace)
{
    QImage large(256, 256, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    QByteArray ico = IcoFileOf({TopLeftPixel(), large});
    ASSERT_GE(ico.size(), 6 + 2 * 16);
    EXPECT_EQ(ReadLittle(ico, 0, 2), 0u);
    EXPECT_EQ(ReadLittle(ico, 2, 2), 1u); // an icon
    EXPECT_EQ(ReadLittle(ico, 4, 2), 2u);
    // Entry 0: 16 x 16, 32 bits; entry 1: 256 written as 0.
    EXPECT_EQ(ReadLittle(ico, 6, 1), 16u);
    EXPECT_EQ(ReadLittle(ico, 6 + 6, 2), 32u);
    EXPECT_EQ(ReadLittle(ico, 22, 1), 0u);
    EXPECT_EQ(ReadLittle(ico, 23, 1), 0u);
    std::uint32_t smallSize = ReadLittle(ico, 6 + 8, 4);
    std::uint32_t smallOffset = ReadLittle(ico, 6 + 12, 4);
    std::uint32_t largeSize = ReadLittle(ico, 22 + 8, 4);
    std::uint32_t largeOffset = ReadLittle(ico, 22 + 12, 4);
    EXPECT_EQ(smallOffset, 6u + 2 * 16);
    EXPECT_EQ(largeOffset, smallOffset + smallSize);
    EXPECT_EQ(static_cast<std::uint32_t>(ico.size()), largeOffset + largeSize);
    // The large image is a PNG.
    EXPECT_EQ(ico.mid(static_cast<int>(largeOffset), 4), QByteArray("\x89PNG", 4));
}

TEST(IcoFile, SmallImagesAreBottomUpBitmapsWithATransparencyMask)
{
    QByteArray ico = IcoFileOf({TopLeftPixel()});
    const int bitmap = 6 + 16;
    ASSERT_EQ(ico.size(), bitmap + 40 + 16 * 16 * 4 + 16 * 4);
    EXPECT_EQ(ReadLittle(ico, bitmap, 4), 40u);
    EXPECT_EQ(ReadLittle(ico, bitmap + 4, 4), 16u);
    EXPECT_EQ(ReadLittle(ico, bitmap + 8, 4), 32u) << "the height counts the image and its mask";
    EXPECT_EQ(ReadLittle(ico, bitmap + 14, 2), 32u);
    // The top row comes last: its first pixel is the red one, as blue, green, red, alpha.
    const int pixels = bitmap + 40;
    const int topRow = pixels + 15 * 16 * 4;
    EXPECT_EQ(ico.mid(topRow, 4), QByteArray("\x00\x00\xff\xff", 4));
    EXPECT_EQ(ico.mid(pixels, 4), QByteArray(4, '\0'));
    // Mask rows of 4 bytes, bottom up: the red pixel alone is opaque.
    const int mask = pixels + 16 * 16 * 4;
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask]), 0xFFu);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask + 15 * 4]), 0x7Fu);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask + 15 * 4 + 2]), 0x00u) << "padding past 16 pixels";
}

} // namespace
