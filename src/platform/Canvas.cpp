#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>

#include <algorithm>
#include <cstring>

namespace korbena {

namespace {

// Lines of text up to this many pixels high are drawn through the glyph cache.
constexpr int kLargestCachedGlyph = 512;

// A picture of black and white pixels only, as a one-bit image with black at index 0;
// a null image when any other colour occurs. A PDF stores such an image in one bit per
// pixel, losslessly, where a colour image takes 24.
QImage blackAndWhite(const QImage& image)
{
    constexpr QRgb black = 0xFF000000u;
    constexpr QRgb white = 0xFFFFFFFFu;
    // A one-bit picture needs at most its two colours put in order.
    if (image.format() == QImage::Format_Mono && image.colorCount() == 2) {
        if (image.color(0) == black && image.color(1) == white)
            return image;
        if (image.color(0) == white && image.color(1) == black) {
            QImage swapped = image.copy();
            swapped.invertPixels();
            swapped.setColorTable({black, white});
            return swapped;
        }
    }
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    QImage mono(width, height, QImage::Format_Mono);
    if (mono.isNull())
        return {};
    mono.setColorTable({black, white});
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    const auto monoBytes = static_cast<std::size_t>(mono.bytesPerLine());
    for (int y = 0; y < height; ++y) {
        const auto* pixel = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* bits = mono.scanLine(y);
        // The bars run the whole height: most rows repeat the one above.
        if (y > 0 && std::memcmp(pixel, rgb.constScanLine(y - 1), rowBytes) == 0) {
            std::memcpy(bits, mono.constScanLine(y - 1), monoBytes);
            continue;
        }
        std::fill_n(bits, monoBytes, uchar(0));
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixel[x];
            if (p == white)
                bits[x >> 3] |= uchar(0x80u >> (x & 7));
            else if (p != black)
                return {};
        }
    }
    return mono;
}

// Whether every row of a picture repeats its first, as the bars of a linear symbol
// do from top to bottom.
bool rowsRepeat(const QImage& picture)
{
    const auto rowBytes =
        static_cast<std::size_t>((static_cast<qsizetype>(picture.width()) * picture.depth() + 7) / 8);
    const uchar* first = picture.constScanLine(0);
    for (int y = 1; y < picture.height(); ++y)
        if (std::memcmp(first, picture.constScanLine(y), rowBytes) != 0)
            return false;
    return true;
}

} // namespace

Canvas::Canvas(QPaintDevice* device) : m_device(device), m_painter(device), m_qfont(toQFont(m_font))
{
    // Bars must land on whole pixels: no antialiasing of fills, no smoothing of stretches.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setFont(m_qfont);
    const QFontMetrics metrics(m_qfont, m_device);
    m_ascent = metrics.ascent();
    m_size = m_qfont.pixelSize() > 0 ? m_qfont.pixelSize() : metrics.height();
}

Canvas::~Canvas() = default;

bool Canvas::isActive() const
{
    return m_painter.isActive();
}

void Canvas::SetBrushColor(TColor color)
{
    m_brushColor = color;
    m_brushQColor = toQColor(color);
}

void Canvas::FillRect(const Rect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    m_painter.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), m_brushQColor);
}

void Canvas::FrameRect(const Rect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QColor c = m_brushQColor;
    m_painter.fillRect(QRect(rect.left, rect.top, rect.width(), 1), c);
    m_painter.fillRect(QRect(rect.left, rect.bottom - 1, rect.width(), 1), c);
    m_painter.fillRect(QRect(rect.left, rect.top, 1, rect.height()), c);
    m_painter.fillRect(QRect(rect.right - 1, rect.top, 1, rect.height()), c);
}

void Canvas::SetFont(const FontSpec& font)
{
    if (font == m_font)
        return;
    const bool sameQFont = sameFace(font, m_font);
    m_font = font;
    if (sameQFont)
        return; // only the colour changed
    // A page draws the title and the number of every label in turn: a font realised
    // once keeps its looked-up engine for every later text.
    auto kept = std::find_if(m_fonts.begin(), m_fonts.end(),
                             [&font](const RealisedFont& f) { return sameFace(f.spec, font); });
    if (kept == m_fonts.end()) {
        constexpr std::size_t kKeptFonts = 8;
        if (m_fonts.size() >= kKeptFonts)
            m_fonts.erase(m_fonts.begin());
        RealisedFont realised{font, toQFont(font)};
        const QFontMetrics metrics(realised.font, m_device);
        realised.ascent = metrics.ascent();
        realised.height = realised.font.pixelSize() > 0 ? realised.font.pixelSize() : metrics.height();
        m_fonts.push_back(std::move(realised));
        kept = m_fonts.end() - 1;
    }
    m_qfont = kept->font;
    m_ascent = kept->ascent;
    m_size = kept->height;
    m_painter.setFont(m_qfont);
}

namespace {

// No label shows more characters than this even at the smallest size on the widest
// paper; laying out megabytes of text would take minutes and gigabytes.
constexpr qsizetype kMostDrawnCharacters = 4096;

QString drawnPart(const QString& text)
{
    return text.size() > kMostDrawnCharacters ? text.left(kMostDrawnCharacters) : text;
}

} // namespace

int Canvas::TextWidth(const QString& text) const
{
    return text.isEmpty() ? 0 : QFontMetrics(m_qfont, m_device).horizontalAdvance(drawnPart(text));
}

int Canvas::TextHeight(const QString& text) const
{
    if (text.isEmpty())
        return 0;
    const QFontMetrics metrics(m_qfont, m_device);
    return metrics.ascent() + metrics.descent();
}

void Canvas::TextOut(int x, int y, const QString& whole)
{
    if (whole.isEmpty())
        return;
    const QString text = drawnPart(whole);
    const QPaintEngine* engine = m_painter.paintEngine();
    // A picture surface keeps every glyph it draws as a bitmap of the glyph's size:
    // glyphs hundreds of millimetres high would take gigabytes, so large text is
    // filled from its outlines instead. A PDF keeps text as text.
    // The font's own size decides: the metrics of such fonts overflow.
    if (m_size > kLargestCachedGlyph && engine && engine->type() != QPaintEngine::Pdf) {
        QPainterPath outline;
        outline.addText(x, y + m_ascent, m_qfont, text);
        m_painter.fillPath(outline, toQColor(m_font.color));
        return;
    }
    m_painter.setPen(toQColor(m_font.color));
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.drawText(x, y + m_ascent, text);
}

void Canvas::StretchDraw(const Rect& dest, const QImage& image)
{
    if (dest.width() == 0 || dest.height() == 0 || image.isNull())
        return;
    const auto mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect target(dest.left, dest.top, dest.width(), dest.height());
    // Printed sheets carry hundreds of barcode pictures: in one bit per pixel they stay small.
    const QPaintEngine* engine = m_painter.paintEngine();
    QImage picture = image;
    QImage compact;
    if (engine && engine->type() == QPaintEngine::Pdf) {
        // A picture whose rows all repeat, as a linear symbol's bars do, goes in as its
        // first row stretched to the height: the same pixels on paper, for a hundredth
        // of the bytes to pack and compress.
        if (rowsRepeat(picture))
            picture = picture.copy(0, 0, picture.width(), 1);
        compact = blackAndWhite(picture);
    }
    m_painter.drawImage(target, compact.isNull() ? picture : compact);
    m_painter.setCompositionMode(mode);
}

int Canvas::PixelsPerInchX() const
{
    return m_device ? m_device->logicalDpiX() : 96;
}

int Canvas::PixelsPerInchY() const
{
    return m_device ? m_device->logicalDpiY() : 96;
}

} // namespace korbena
