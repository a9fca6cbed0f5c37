#pragma once

#include "platform/Color.h"
#include "platform/Fonts.h"
#include "platform/Rect.h"

#include <QFont>
#include <QPainter>

#include <memory>
#include <vector>

class QPaintDevice;
class QImage;

namespace korbena {

// The drawing operations every symbol, preview page and printed page is made of,
// over one QPainter: solid fills with exclusive right and bottom edges, one-pixel
// outlines, text with a transparent background, and stretching a bitmap so that
// the destination pixels are replaced.
class Canvas
{
public:
    explicit Canvas(QPaintDevice* device);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool isActive() const;

    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor color);

    void FillRect(const Rect& rect);
    void FrameRect(const Rect& rect);

    const FontSpec& Font() const { return m_font; }
    void SetFont(const FontSpec& font);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Draws only the glyphs, top-left corner of the text cell at (x, y), in the font's colour.
    void TextOut(int x, int y, const QString& text);

    void StretchDraw(const Rect& dest, const QImage& image);

    // Resolution of the surface in dots per inch.
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;

    QPainter& painter() { return m_painter; }

private:
    QPaintDevice* m_device;
    QPainter m_painter;
    TColor m_brushColor = clWhite;
    QColor m_brushQColor = Qt::white;
    // A font realised for this surface, kept while a page switches between a few.
    struct RealisedFont
    {
        FontSpec spec;
        QFont font;
        int ascent = 0;
        int height = 0; // the font's size in pixels, or the metrics' height without one
    };

    FontSpec m_font;
    QFont m_qfont;
    int m_ascent = 0;
    int m_size = 0;
    std::vector<RealisedFont> m_fonts; // the most recent last
};

} // namespace korbena
