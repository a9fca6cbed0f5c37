#include "platform/Bitmap.h"

#include "platform/AtomicFile.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace korbena {

namespace {

QList<QRgb> greyPalette(int colours)
{
    QList<QRgb> palette;
    palette.reserve(colours);
    for (int i = 0; i < colours; ++i) {
        const int v = colours > 1 ? i * 255 / (colours - 1) : 0;
        palette.append(qRgb(v, v, v));
    }
    return palette;
}

// The sixteen colours of the standard 4-bit palette (VGA order: the dark colours,
// silver and grey, the bright colours, white last).
QList<QRgb> sixteenColourPalette()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

struct Point
{
    int x;
    int y;
};

// One pixel of a row in device-independent-bitmap layout, copied from a source row
// to a destination row; Bits is the depth.
template <int Bits> inline void copyPixel(std::uint8_t* dst, int dx, const std::uint8_t* src, int sx)
{
    if constexpr (Bits == 1) {
        const int bit = (src[sx >> 3] >> (7 - (sx & 7))) & 1;
        const auto mask = static_cast<std::uint8_t>(0x80u >> (dx & 7));
        dst[dx >> 3] = static_cast<std::uint8_t>(bit ? dst[dx >> 3] | mask : dst[dx >> 3] & ~mask);
    } else if constexpr (Bits == 4) {
        // The even pixel is the high nibble.
        const int value = (src[sx >> 1] >> ((sx & 1) ? 0 : 4)) & 0x0F;
        const int shift = (dx & 1) ? 0 : 4;
        dst[dx >> 1] = static_cast<std::uint8_t>((dst[dx >> 1] & ~(0x0F << shift)) | (value << shift));
    } else {
        constexpr int bytes = Bits / 8;
        std::memcpy(dst + static_cast<std::size_t>(dx) * bytes, src + static_cast<std::size_t>(sx) * bytes,
                    bytes);
    }
}

// A new bitmap width x height of the source's format and palette whose pixel
// (x, y) is the source pixel sourceOf(x, y), moved row by row.
template <int Bits, typename SourceOf>
Bitmap remapped(const Bitmap& source, int width, int height, SourceOf sourceOf)
{
    Bitmap out(width, height, source.pixelFormat());
    out.SetPalette(source.Palette());
    if (out.Empty() || source.Empty())
        return out;
    const auto sourceStride = static_cast<std::size_t>(source.RowBytes());
    std::vector<std::uint8_t> rows;
    try {
        rows.resize(sourceStride * static_cast<std::size_t>(source.Height()));
    } catch (const std::bad_alloc&) { // no room for a copy of the rows: as a refused bitmap
        return Bitmap();
    }
    for (int y = 0; y < source.Height(); ++y)
        source.ReadRow(y, rows.data() + sourceStride * static_cast<std::size_t>(y));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(out.RowBytes()));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto [sx, sy] = sourceOf(x, y);
            copyPixel<Bits>(row.data(), x, rows.data() + sourceStride * static_cast<std::size_t>(sy), sx);
        }
        out.WriteRow(y, row.data());
    }
    return out;
}

// The same for a 32-bit bitmap, word by word, without packing its rows: every
// symbol is drawn at this depth, and turned or mirrored on every painting.
template <typename SourceOf>
Bitmap remappedWords(const Bitmap& source, int width, int height, SourceOf sourceOf)
{
    Bitmap out; // 32 bits a pixel; every pixel is written below
    out.SetSizeForRepaint(width, height);
    if (out.Empty() || source.Empty())
        return out;
    const uchar* from = source.image().constBits();
    const auto fromStride = static_cast<std::size_t>(source.image().bytesPerLine());
    QImage& image = out.image();
    uchar* to = image.bits();
    const auto toStride = static_cast<std::size_t>(image.bytesPerLine());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(to + toStride * static_cast<std::size_t>(y));
        for (int x = 0; x < width; ++x) {
            const auto [sx, sy] = sourceOf(x, y);
            const auto* sourceLine =
                reinterpret_cast<const QRgb*>(from + fromStride * static_cast<std::size_t>(sy));
            // The unused byte reads as opaque, as a written row makes it.
            line[x] = sourceLine[sx] | 0xFF000000u;
        }
    }
    return out;
}

template <typename SourceOf> Bitmap remapped(const Bitmap& source, int width, int height, SourceOf sourceOf)
{
    if (source.pixelFormat() == PixelFormat::pf32bit && source.image().format() == QImage::Format_RGB32)
        return remappedWords(source, width, height, sourceOf);
    switch (source.pixelFormat()) {
    case PixelFormat::pf1bit:
        return remapped<1>(source, width, height, sourceOf);
    case PixelFormat::pf4bit:
        return remapped<4>(source, width, height, sourceOf);
    case PixelFormat::pf8bit:
        return remapped<8>(source, width, height, sourceOf);
    case PixelFormat::pf16bit:
        return remapped<16>(source, width, height, sourceOf);
    case PixelFormat::pf24bit:
        return remapped<24>(source, width, height, sourceOf);
    case PixelFormat::pf32bit:
        break;
    }
    return remapped<32>(source, width, height, sourceOf);
}

} // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format) : m_format(format)
{
    rebuild(width, height);
}

QImage::Format Bitmap::qtFormat(PixelFormat format)
{
    switch (format) {
    case PixelFormat::pf1bit:
        return QImage::Format_Mono;
    case PixelFormat::pf4bit: // no packed 4-bit format in Qt: one byte per pixel, 16 colours
    case PixelFormat::pf8bit:
        return QImage::Format_Indexed8;
    case PixelFormat::pf16bit:
        return QImage::Format_RGB555;
    case PixelFormat::pf24bit:
        return QImage::Format_BGR888;
    case PixelFormat::pf32bit:
        break;
    }
    return QImage::Format_RGB32;
}

void Bitmap::rebuild(int width, int height, bool keepPixels)
{
    width = std::max(0, width);
    height = std::max(0, height);
    m_width = width;
    m_height = height;
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage fresh(width, height, qtFormat(m_format));
    if (fresh.isNull()) { // allocation refused: behave as an empty bitmap
        m_image = QImage();
        m_width = m_height = 0;
        return;
    }
    if (fresh.format() == QImage::Format_Mono)
        fresh.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    else if (fresh.format() == QImage::Format_Indexed8)
        fresh.setColorTable(m_format == PixelFormat::pf4bit ? sixteenColourPalette() : greyPalette(256));
    if (!keepPixels) {
        m_image = std::move(fresh);
        return;
    }
    if (fresh.format() == QImage::Format_Mono || fresh.format() == QImage::Format_Indexed8)
        fresh.fill(fresh.colorCount() - 1);
    else
        fresh.fill(Qt::white);
    if (!m_image.isNull()) {
        const QImage old =
            m_image.format() == fresh.format() ? m_image : m_image.convertToFormat(fresh.format());
        const int rows = std::min(old.height(), height);
        const int bytes = std::min(old.bytesPerLine(), fresh.bytesPerLine());
        const int usedBytes = std::min(bytes, (std::min(old.width(), width) * fresh.depth() + 7) / 8);
        for (int y = 0; y < rows; ++y)
            std::copy_n(old.constScanLine(y), usedBytes, fresh.scanLine(y));
    }
    m_image = std::move(fresh);
}

void Bitmap::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    rebuild(width, height);
}

void Bitmap::SetSizeForRepaint(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    rebuild(width, height, false);
}

void Bitmap::SetPixelFormat(PixelFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    if (m_image.isNull())
        return;
    // A 4-bit bitmap may only use sixteen colours: map every pixel to the nearest.
    QImage converted = format == PixelFormat::pf4bit
                           ? m_image.convertToFormat(QImage::Format_Indexed8, sixteenColourPalette())
                           : m_image.convertToFormat(qtFormat(format));
    m_image = std::move(converted);
}

int Bitmap::RowBytes() const
{
    return static_cast<int>((static_cast<std::int64_t>(m_width) * static_cast<int>(m_format) + 7) / 8);
}

void Bitmap::ReadRow(int y, std::uint8_t* row) const
{
    const int bytes = RowBytes();
    if (y < 0 || y >= m_height || Empty()) {
        std::fill_n(row, bytes, std::uint8_t{0});
        return;
    }
    const std::uint8_t* line = m_image.constScanLine(y);
    switch (m_format) {
    case PixelFormat::pf4bit: // held one index a byte: pack two to a byte
        std::fill_n(row, bytes, std::uint8_t{0});
        for (int x = 0; x < m_width; ++x)
            row[x >> 1] |= static_cast<std::uint8_t>((line[x] & 0x0F) << ((x & 1) ? 0 : 4));
        return;
    case PixelFormat::pf16bit:
        for (int x = 0; x < m_width; ++x)
            qToLittleEndian(reinterpret_cast<const quint16*>(line)[x], row + 2 * x);
        return;
    case PixelFormat::pf32bit:
        // 0xffRRGGBB words: in memory blue, green, red, alpha on a little-endian machine.
        for (int x = 0; x < m_width; ++x)
            qToLittleEndian<quint32>(reinterpret_cast<const QRgb*>(line)[x] & 0x00FFFFFFu, row + 4 * x);
        return;
    case PixelFormat::pf1bit:  // Format_Mono: pixel 0 in the most significant bit
    case PixelFormat::pf8bit:  // Format_Indexed8
    case PixelFormat::pf24bit: // Format_BGR888: blue, green, red
        break;
    }
    std::memcpy(row, line, static_cast<std::size_t>(bytes));
}

void Bitmap::WriteRow(int y, const std::uint8_t* row)
{
    if (y < 0 || y >= m_height || Empty())
        return;
    std::uint8_t* line = m_image.scanLine(y);
    const int colours = m_image.colorCount();
    switch (m_format) {
    case PixelFormat::pf4bit:
        for (int x = 0; x < m_width; ++x) {
            const int index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
            // An index past the palette would read as garbage: it takes the last colour.
            line[x] = static_cast<std::uint8_t>(std::min(index, std::max(colours - 1, 0)));
        }
        return;
    case PixelFormat::pf8bit:
        for (int x = 0; x < m_width; ++x)
            line[x] = static_cast<std::uint8_t>(std::min<int>(row[x], std::max(colours - 1, 0)));
        return;
    case PixelFormat::pf16bit:
        for (int x = 0; x < m_width; ++x)
            reinterpret_cast<quint16*>(line)[x] = qFromLittleEndian<quint16>(row + 2 * x) & 0x7FFF;
        return;
    case PixelFormat::pf32bit: // the unused byte is opaque in QImage's RGB32
        for (int x = 0; x < m_width; ++x)
            reinterpret_cast<QRgb*>(line)[x] = qFromLittleEndian<quint32>(row + 4 * x) | 0xFF000000u;
        return;
    case PixelFormat::pf1bit:
    case PixelFormat::pf24bit:
        break;
    }
    std::memcpy(line, row, static_cast<std::size_t>(RowBytes()));
}

namespace {

// Columns [begin, end) of a 32-bit bitmap's rows (int64 so that far-off positions do not wrap).
struct Span
{
    std::int64_t begin;
    std::int64_t end;
};

Span clipped(std::int64_t begin, std::int64_t end, int limit)
{
    return Span{std::max<std::int64_t>(begin, 0), std::min<std::int64_t>(end, limit)};
}

} // namespace

bool Bitmap::StampRows(int left, int top, int bottom, std::span<const QRgb> row)
{
    if (m_format != PixelFormat::pf32bit || m_image.format() != QImage::Format_RGB32)
        return false;
    const Span rows = clipped(top, bottom, m_height);
    const Span columns =
        clipped(left, static_cast<std::int64_t>(left) + static_cast<std::int64_t>(row.size()), m_width);
    if (rows.begin >= rows.end || columns.begin >= columns.end)
        return true;
    const QRgb* source = row.data() + (columns.begin - left);
    const auto bytes = static_cast<std::size_t>(columns.end - columns.begin) * sizeof(QRgb);
    uchar* bits = m_image.bits(); // detaches once, not per row
    const auto stride = static_cast<std::size_t>(m_image.bytesPerLine());
    for (std::int64_t y = rows.begin; y < rows.end; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + stride * static_cast<std::size_t>(y));
        std::memcpy(line + columns.begin, source, bytes);
    }
    return true;
}

bool Bitmap::FillRuns(std::span<const PixelRun> runs, int top, int bottom, QRgb colour)
{
    if (m_format != PixelFormat::pf32bit || m_image.format() != QImage::Format_RGB32)
        return false;
    const Span rows = clipped(top, bottom, m_height);
    if (rows.begin >= rows.end || runs.empty())
        return true;
    uchar* bits = m_image.bits();
    const auto stride = static_cast<std::size_t>(m_image.bytesPerLine());
    for (std::int64_t y = rows.begin; y < rows.end; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + stride * static_cast<std::size_t>(y));
        for (const PixelRun& run : runs) {
            const Span columns = clipped(run.begin, run.end, m_width);
            if (columns.begin < columns.end)
                std::fill(line + columns.begin, line + columns.end, colour);
        }
    }
    return true;
}

void Bitmap::SetPalette(const QList<QRgb>& palette)
{
    if (m_image.isNull() || m_image.colorCount() == 0 || palette.isEmpty())
        return;
    // The depth bounds the table: 2 colours at 1 bit, 16 at 4, 256 at 8.
    const qsizetype limit = m_format == PixelFormat::pf1bit ? 2 : m_format == PixelFormat::pf4bit ? 16 : 256;
    m_image.setColorTable(palette.first(std::min(limit, palette.size())));
}

Bitmap Bitmap::Mirrored() const
{
    const int w = m_width;
    return remapped(*this, m_width, m_height, [w](int x, int y) { return Point{w - 1 - x, y}; });
}

Bitmap Bitmap::Rotated(int angle) const
{
    const int w = m_width;
    const int h = m_height;
    switch (angle) {
    case 90: // the old left column, read upwards, becomes the top row
        return remapped(*this, h, w, [h](int x, int y) { return Point{y, h - 1 - x}; });
    case 180:
        return remapped(*this, w, h, [w, h](int x, int y) { return Point{w - 1 - x, h - 1 - y}; });
    case 270:
        return remapped(*this, h, w, [w](int x, int y) { return Point{w - 1 - y, x}; });
    default:
        return *this;
    }
}

void Bitmap::assign(QImage image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        m_format = PixelFormat::pf1bit;
        break;
    case QImage::Format_Indexed8:
        m_format = image.colorCount() <= 16 ? PixelFormat::pf4bit : PixelFormat::pf8bit;
        break;
    case QImage::Format_RGB555:
    case QImage::Format_RGB16:
        m_format = PixelFormat::pf16bit;
        break;
    case QImage::Format_BGR888:
    case QImage::Format_RGB888:
        m_format = PixelFormat::pf24bit;
        break;
    default:
        m_format = PixelFormat::pf32bit;
        break;
    }
    if (!image.isNull() && image.format() != qtFormat(m_format))
        image = image.convertToFormat(qtFormat(m_format));
    m_image = std::move(image);
    m_width = m_image.isNull() ? 0 : m_image.width();
    m_height = m_image.isNull() ? 0 : m_image.height();
}

bool Bitmap::SaveToFile(const QString& path, QString* error) const
{
    // An empty bitmap still makes a valid file: one white pixel stands in for it.
    QImage out = Empty() ? QImage(1, 1, QImage::Format_RGB32) : m_image;
    if (Empty())
        out.fill(Qt::white);
    QString message;
    if (writeImageAtomically(path, out, "BMP", message))
        return true;
    if (error)
        *error = message;
    return false;
}

bool Bitmap::LoadFromFile(const QString& path, QString* error)
{
    QImage loaded;
    if (!loaded.load(path, "BMP")) {
        if (error)
            *error = QStringLiteral("%1: not a readable BMP file").arg(path);
        return false;
    }
    assign(std::move(loaded));
    return true;
}

} // namespace korbena
