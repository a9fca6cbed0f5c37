#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <span>

namespace korbena {

// Columns [begin, end) of one row.
struct PixelRun
{
    int begin = 0;
    int end = 0;
};

// Bits per pixel of a device-independent bitmap.
enum class PixelFormat { pf1bit = 1, pf4bit = 4, pf8bit = 8, pf16bit = 16, pf24bit = 24, pf32bit = 32 };

// A bitmap with a width, a height and a pixel format, its rows addressable. Every
// symbol is drawn into a 32-bit one (QImage::Format_RGB32, rows top-down). The
// pixels live in a QImage, so every depth can be drawn on and saved; a 4-bit bitmap
// is held one palette index a byte there (Qt has no packed 4-bit format) and packed
// only where its rows are read or written.
class Bitmap
{
public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelFormat format = PixelFormat::pf32bit);

    bool Empty() const { return m_image.isNull() || m_image.width() == 0 || m_image.height() == 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Resizing keeps the pixels of the overlap; new pixels are white.
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    void SetSize(int width, int height);
    // Resizes for a caller that paints every pixel next: no fill, no copy of the old rows.
    void SetSizeForRepaint(int width, int height);

    PixelFormat pixelFormat() const { return m_format; }
    void SetPixelFormat(PixelFormat format);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // Takes a picture over, keeping its size; its format decides the pixel format.
    void assign(QImage image);

    // BMP file output and input. Saving goes through a temporary file renamed over
    // the target, so a failed save leaves an earlier file whole.
    bool SaveToFile(const QString& path, QString* error = nullptr) const;
    bool LoadFromFile(const QString& path, QString* error = nullptr);

    // Rows in device-independent-bitmap layout, top row 0, RowBytes() bytes each
    // (no padding): 32 bits a pixel in 4 bytes (blue, green, red, unused), 24 bits in
    // 3 (blue, green, red), 16 bits in one little-endian 5-5-5 word, 8 bits one
    // palette index a byte, 4 bits two pixels a byte with the even pixel in the high
    // nibble, 1 bit eight pixels a byte with pixel 0 in the most significant bit.
    // A row outside the bitmap reads as zeros and is not written.
    int RowBytes() const;
    void ReadRow(int y, std::uint8_t* row) const;
    void WriteRow(int y, const std::uint8_t* row);

    // The colour table of the 1-, 4- and 8-bit formats (empty for the others).
    QList<QRgb> Palette() const { return m_image.colorTable(); }
    void SetPalette(const QList<QRgb>& palette);

    // A new bitmap of the same pixel format and palette, flipped left to right:
    // pixel (x, y) is the old pixel (Width - 1 - x, y).
    Bitmap Mirrored() const;
    // A new bitmap of the same pixel format and palette turned clockwise by 90, 180
    // or 270 degrees (width and height exchanged for 90 and 270); any other angle
    // gives an unchanged copy.
    Bitmap Rotated(int angle) const;

    static QImage::Format qtFormat(PixelFormat format);

    // Painting without a painter, for pictures whose rows repeat (bars that run the
    // whole height): the pixels come out as a solid fill of the same colours gives
    // them. Only a 32-bit bitmap is painted; the others return false untouched.
    // Rows top .. bottom - 1 each get the pixels of `row` from column `left` on,
    // clipped to the bitmap; `row` holds 0xAARRGGBB words.
    bool StampRows(int left, int top, int bottom, std::span<const QRgb> row);
    // The runs, in one colour, on rows top .. bottom - 1, clipped to the bitmap;
    // every other pixel stays as it is.
    bool FillRuns(std::span<const PixelRun> runs, int top, int bottom, QRgb colour);

private:
    void rebuild(int width, int height, bool keepPixels = true);

    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    PixelFormat m_format = PixelFormat::pf32bit;
};

} // namespace korbena
