#pragma once

#include <QImage>
#include <QString>

namespace korbena {

// Bits per pixel of a device-independent bitmap.
enum class PixelFormat { pf1bit = 1, pf4bit = 4, pf8bit = 8, pf16bit = 16, pf24bit = 24, pf32bit = 32 };

// A bitmap with a width, a height and a pixel format, its rows addressable. Every
// symbol is drawn into a 32-bit one (QImage::Format_RGB32, rows top-down).
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

    static QImage::Format qtFormat(PixelFormat format);

private:
    void rebuild(int width, int height);

    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    PixelFormat m_format = PixelFormat::pf32bit;
};

} // namespace korbena
