// Bitmap rows in device-independent-bitmap layout at every depth, and the mirror and
// the quarter turns built on them.
#include "platform/Bitmap.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korbena {
namespace {

using Row = std::vector<std::uint8_t>;

// One row of the given pixel values packed as the layout stores them: 1 bit eight a
// byte from the most significant bit, 4 bits the even pixel in the high nibble, the
// byte depths little-endian, 32 bits with the unused fourth byte 0.
Row packed(PixelFormat format, const std::vector<unsigned>& values)
{
    const int bits = static_cast<int>(format);
    Row row((values.size() * static_cast<std::size_t>(bits) + 7) / 8, 0);
    for (std::size_t x = 0; x < values.size(); ++x) {
        const unsigned v = values[x];
        switch (format) {
        case PixelFormat::pf1bit:
            row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
            break;
        case PixelFormat::pf4bit:
            row[x / 2] |= static_cast<std::uint8_t>((v & 0x0F) << (x % 2 == 0 ? 4 : 0));
            break;
        default:
            for (int b = 0; b < bits / 8; ++b)
                row[x * static_cast<std::size_t>(bits / 8) + static_cast<std::size_t>(b)] =
                    static_cast<std::uint8_t>(v >> (8 * b));
            break;
        }
    }
    return row;
}

// Six values that tell every pixel apart at the depth: 1 bit can only tell two.
std::vector<unsigned> sample(PixelFormat format)
{
    switch (format) {
    case PixelFormat::pf1bit:
        return {1, 1, 0, 0, 1, 0};
    case PixelFormat::pf4bit:
        return {1, 2, 3, 4, 5, 6};
    case PixelFormat::pf8bit:
        return {10, 20, 30, 40, 50, 60};
    case PixelFormat::pf16bit:
        return {0x7C00, 0x03E0, 0x001F, 0x1234, 0x0421, 0x7FFF};
    case PixelFormat::pf24bit:
        return {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xABCDEF, 0x010203};
    case PixelFormat::pf32bit:
        break;
    }
    return {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456, 0x00ABCDEF, 0x00010203};
}

Bitmap fromRows(PixelFormat format, int width, const std::vector<std::vector<unsigned>>& rows)
{
    Bitmap bitmap(width, static_cast<int>(rows.size()), format);
    for (std::size_t y = 0; y < rows.size(); ++y)
        bitmap.WriteRow(static_cast<int>(y), packed(format, rows[y]).data());
    return bitmap;
}

Row rowOf(const Bitmap& bitmap, int y)
{
    Row row(static_cast<std::size_t>(bitmap.RowBytes()));
    bitmap.ReadRow(y, row.data());
    return row;
}

const PixelFormat kDepths[] = {PixelFormat::pf1bit,  PixelFormat::pf4bit,  PixelFormat::pf8bit,
                               PixelFormat::pf16bit, PixelFormat::pf24bit, PixelFormat::pf32bit};

std::string depthName(PixelFormat format)
{
    return std::to_string(static_cast<int>(format)) + " bits";
}

// --- row layout ---

TEST(BitmapRows, PackTwoFourBitPixelsAByteEvenPixelHigh)
{
    Bitmap bitmap(3, 1, PixelFormat::pf4bit);
    const Row row{0x12, 0x30};
    bitmap.WriteRow(0, row.data());
    EXPECT_EQ(bitmap.RowBytes(), 2);
    EXPECT_EQ(rowOf(bitmap, 0), row);
    // Pixel 0 is the high nibble of the first byte: palette index 1.
    EXPECT_EQ(bitmap.image().pixel(0, 0), bitmap.Palette().at(1));
    EXPECT_EQ(bitmap.image().pixel(2, 0), bitmap.Palette().at(3));
}

TEST(BitmapRows, PackEightOneBitPixelsAByteFromTheTop)
{
    Bitmap bitmap(10, 1, PixelFormat::pf1bit);
    const Row row{0x81, 0x40}; // pixels 0, 7 and 9
    bitmap.WriteRow(0, row.data());
    EXPECT_EQ(rowOf(bitmap, 0), row);
    const QRgb one = bitmap.Palette().at(1);
    EXPECT_EQ(bitmap.image().pixel(0, 0), one);
    EXPECT_EQ(bitmap.image().pixel(7, 0), one);
    EXPECT_EQ(bitmap.image().pixel(9, 0), one);
    EXPECT_NE(bitmap.image().pixel(8, 0), one);
}

TEST(BitmapRows, ThirtyTwoBitRowsAreBlueGreenRed)
{
    Bitmap bitmap(1, 1);
    const Row row{0x30, 0x20, 0x10, 0x00};
    bitmap.WriteRow(0, row.data());
    EXPECT_EQ(test::pixelAt(bitmap.image(), 0, 0), rgbColor(0x10, 0x20, 0x30));
    EXPECT_EQ(bitmap.image().format(), QImage::Format_RGB32);
}

TEST(BitmapRows, RowsOutsideTheBitmapReadAsZerosAndAreNotWritten)
{
    Bitmap bitmap(2, 2);
    Row row(8, 0xAB);
    bitmap.ReadRow(2, row.data());
    EXPECT_EQ(row, Row(8, 0));
    const Row white = rowOf(bitmap, 1);
    bitmap.WriteRow(-1, Row(8, 0).data());
    bitmap.WriteRow(2, Row(8, 0).data());
    EXPECT_EQ(rowOf(bitmap, 1), white);
}

TEST(BitmapRows, FourBitConversionKeepsToSixteenColours)
{
    Bitmap bitmap(64, 4);
    for (int x = 0; x < 64; ++x)
        bitmap.image().setPixel(x, 0, qRgb(x * 4, 255 - x * 4, x));
    bitmap.image().setPixel(0, 1, qRgb(255, 0, 0));
    bitmap.SetPixelFormat(PixelFormat::pf4bit);
    EXPECT_LE(bitmap.Palette().size(), 16);
    EXPECT_EQ(bitmap.image().pixel(0, 1), qRgb(255, 0, 0)); // a palette colour stays exact
}

TEST(BitmapRows, FourBitBitmapSurvivesBmpFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Bitmap bitmap = fromRows(PixelFormat::pf4bit, 5, {{1, 2, 3, 4, 5}, {15, 0, 7, 8, 9}});
    const QString path = dir.filePath(QStringLiteral("four.bmp"));
    ASSERT_TRUE(bitmap.SaveToFile(path));
    Bitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.pixelFormat(), PixelFormat::pf4bit);
    EXPECT_EQ(loaded.Width(), 5);
    EXPECT_EQ(loaded.Height(), 2);
    EXPECT_EQ(rowOf(loaded, 1), rowOf(bitmap, 1));
}

// --- mirror and turns, at every depth ---

TEST(BitmapTransforms, FourPixelsMirrorToTheReverseOrder)
{
    for (const PixelFormat format : kDepths) {
        const auto v = sample(format);
        const std::vector<unsigned> abcd{v[0], v[1], v[3], v[4]};
        const std::vector<unsigned> dcba{v[4], v[3], v[1], v[0]};
        const Bitmap bitmap = fromRows(format, 4, {abcd, abcd, dcba});
        const Bitmap mirrored = bitmap.Mirrored();
        EXPECT_EQ(mirrored.pixelFormat(), format) << depthName(format);
        EXPECT_EQ(rowOf(mirrored, 0), packed(format, dcba)) << depthName(format);
        EXPECT_EQ(rowOf(mirrored, 1), packed(format, dcba)) << depthName(format);
        EXPECT_EQ(rowOf(mirrored, 2), packed(format, abcd)) << depthName(format);
    }
}

TEST(BitmapTransforms, QuarterTurnsOfThreeByTwo)
{
    for (const PixelFormat format : kDepths) {
        const auto v = sample(format);
        const unsigned a = v[0], b = v[1], c = v[2], d = v[3], e = v[4], f = v[5];
        const Bitmap bitmap = fromRows(format, 3, {{a, b, c}, {d, e, f}});

        // Clockwise: the old left column, read from the bottom up, is the new top row.
        const Bitmap turned = bitmap.Rotated(90);
        ASSERT_EQ(turned.Width(), 2) << depthName(format);
        ASSERT_EQ(turned.Height(), 3) << depthName(format);
        EXPECT_EQ(rowOf(turned, 0), packed(format, {d, a})) << depthName(format);
        EXPECT_EQ(rowOf(turned, 1), packed(format, {e, b})) << depthName(format);
        EXPECT_EQ(rowOf(turned, 2), packed(format, {f, c})) << depthName(format);

        const Bitmap back = bitmap.Rotated(270);
        EXPECT_EQ(rowOf(back, 0), packed(format, {c, f})) << depthName(format);
        EXPECT_EQ(rowOf(back, 2), packed(format, {a, d})) << depthName(format);

        const Bitmap half = bitmap.Rotated(180);
        EXPECT_EQ(half.Width(), 3);
        EXPECT_EQ(rowOf(half, 0), packed(format, {f, e, d})) << depthName(format);
        EXPECT_EQ(rowOf(half, 1), packed(format, {c, b, a})) << depthName(format);

        for (const int angle : {0, 45, 360}) {
            const Bitmap same = bitmap.Rotated(angle);
            EXPECT_EQ(same.Width(), 3);
            EXPECT_EQ(rowOf(same, 1), rowOf(bitmap, 1));
        }
    }
}

TEST(BitmapTransforms, OppositeTurnsRestoreOddSizes)
{
    for (const PixelFormat format : kDepths) {
        // 13 x 5 crosses byte boundaries at 1 and 4 bits and leaves a lone nibble.
        std::vector<std::vector<unsigned>> rows;
        const auto v = sample(format);
        for (int y = 0; y < 5; ++y) {
            std::vector<unsigned> row;
            for (int x = 0; x < 13; ++x)
                row.push_back(v[static_cast<std::size_t>((x * 7 + y * 3) % 6)]);
            rows.push_back(row);
        }
        const Bitmap bitmap = fromRows(format, 13, rows);
        const Bitmap there = bitmap.Rotated(270).Rotated(90);
        const Bitmap again = bitmap.Rotated(90).Rotated(270);
        const Bitmap twice = bitmap.Rotated(180).Rotated(180);
        const Bitmap mirror = bitmap.Mirrored().Mirrored();
        for (int y = 0; y < 5; ++y) {
            EXPECT_EQ(rowOf(there, y), rowOf(bitmap, y)) << depthName(format) << " row " << y;
            EXPECT_EQ(rowOf(again, y), rowOf(bitmap, y)) << depthName(format) << " row " << y;
            EXPECT_EQ(rowOf(twice, y), rowOf(bitmap, y)) << depthName(format) << " row " << y;
            EXPECT_EQ(rowOf(mirror, y), rowOf(bitmap, y)) << depthName(format) << " row " << y;
        }
    }
}

TEST(BitmapTransforms, PaletteTravelsWithThePixels)
{
    Bitmap bitmap(3, 2, PixelFormat::pf8bit);
    QList<QRgb> palette{qRgb(1, 2, 3), qRgb(200, 10, 10), qRgb(10, 200, 10)};
    bitmap.SetPalette(palette);
    bitmap.WriteRow(0, Row{0, 1, 2}.data());
    bitmap.WriteRow(1, Row{2, 1, 0}.data());
    const Bitmap turned = bitmap.Rotated(90);
    EXPECT_EQ(turned.Palette(), palette);
    EXPECT_EQ(turned.image().pixel(0, 0), qRgb(10, 200, 10)); // old (0, 1)
    EXPECT_EQ(bitmap.Mirrored().Palette(), palette);
}

TEST(BitmapTransforms, EmptyBitmapsTurnToEmptyOnes)
{
    const Bitmap empty(0, 7);
    const Bitmap turned = empty.Rotated(90);
    EXPECT_TRUE(turned.Empty());
    EXPECT_EQ(turned.Width(), 7);
    EXPECT_EQ(turned.Height(), 0);
    EXPECT_TRUE(Bitmap().Mirrored().Empty());
}

} // namespace
} // namespace korbena
