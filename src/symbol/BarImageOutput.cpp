#include "symbol/BarImage.h"

#include <QBuffer>
#include <QSvgGenerator>

#include <algorithm>

namespace korbena {

namespace {

// Two corrections to what QSvgGenerator writes. It gives the picture's size in
// millimetres, rounded so that it can come out a hair over the pixel size, which
// readers then round up to one more pixel: the size is stated in pixels instead.
// And it passes the control characters of a text (a CODE-128 symbol may hold some)
// into the file, where XML does not allow them: having no glyph, they are left out.
QByteArray wellFormedSvg(QByteArray svg, int width, int height)
{
    svg.removeIf([](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
    });
    const qsizetype root = svg.indexOf("<svg ");
    const qsizetype viewBox = root < 0 ? -1 : svg.indexOf("viewBox=", root);
    if (viewBox > root) {
        svg.replace(root, viewBox - root,
                    QByteArrayLiteral("<svg width=\"") + QByteArray::number(width) + "\" height=\"" +
                        QByteArray::number(height) + "\"\n ");
    }
    return svg;
}

} // namespace

// --- mirroring and rotation: finishing steps of bitmap output only ---

void BarImage::MirrorPicture()
{
    if (FBarPicture != picBMP || !FReverse || !Picture().isBitmap())
        return;
    Bitmap& bitmap = Picture().Bitmap();
    bitmap = bitmap.Mirrored();
}

void BarImage::RotatePicture(int angle)
{
    if (FBarPicture != picBMP || !Picture().isBitmap())
        return;
    if (angle != 90 && angle != 180 && angle != 270)
        return;
    const SizingFlagsOff sizingOff(*this);
    const int width = Width();
    const int height = Height();
    Bitmap& bitmap = Picture().Bitmap();
    bitmap = bitmap.Rotated(angle);
    if (angle != 180) {
        SetWidth(height);
        SetHeight(width);
    }
}

void BarImage::ApplyOrientation(int angle)
{
    RotatePicture(angle);
    MirrorPicture();
}

// ApplyOrientation(Angle) turned the picture and then mirrored it; undoing that
// takes the mirror first and the turn back second. (ApplyOrientation(360 - Angle),
// which turns first, would leave the rest of a picture turned 90 or 270 degrees and
// mirrored upside down, and every further painting would turn it again.)
void BarImage::TurnUpright()
{
    MirrorPicture();
    RotatePicture(360 - FAngle);
}

// --- frame ---

void BarImage::DrawFrame(Canvas& canvas, const Rect& rect)
{
    // The bands of opposite sides may not meet: at most half the shorter side, less one.
    const int half = std::min(rect.width() / 2, rect.height() / 2) - 1;
    if (half <= 0) {
        FBarFrame = 0;
        return;
    }
    if (FBarFrame > half)
        FBarFrame = half;
    const int f = FBarFrame;
    canvas.SetBrushColor(FBarColor);
    canvas.FillRect(Rect{rect.left, rect.top, rect.right, rect.top + f});
    canvas.FillRect(Rect{rect.left, rect.bottom - f, rect.right, rect.bottom});
    canvas.FillRect(Rect{rect.left, rect.top + f, rect.left + f, rect.bottom - f});
    canvas.FillRect(Rect{rect.right - f, rect.top + f, rect.right, rect.bottom - f});
    canvas.SetBrushColor(FBackColor);
}

// --- vector output ---

void BarImage::RenderMetafile()
{
    FBarDisped = false;
    FSymbol.clear();
    FCDN = -1;
    if (FCode.isEmpty())
        return;

    const SizingFlagsOff sizingOff(*this);
    ElementPattern pattern;
    const std::optional<SymbolLayout> layout = EncodeAndLayOut(pattern);
    if (!layout)
        return;

    // The control fits the symbol, as under Match; a vector picture is never turned
    // or mirrored, so no position needs converting.
    SetWidth(FBarLeft + layout->outerWidth);
    SetHeight(FBarTop + layout->outerHeight);
    const int width = std::max(0, Width());
    const int height = std::max(0, Height());

    // The picture's frame is one pixel wider and higher than what is drawn, as a
    // recorded metafile's inclusive bounds make it; the extra edge stays unpainted.
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(width + 1, height + 1));
    generator.setViewBox(QRect(0, 0, width + 1, height + 1));
    generator.setResolution(96); // the screen is the reference device
    // Both go into the file as they are: the data may hold '<' or '&'.
    generator.setTitle(barTypeName(FBarType).toHtmlEscaped());
    generator.setDescription(FWorkSymbol.toHtmlEscaped());
    {
        Canvas canvas(&generator);
        FMfCanvas = &canvas;
        // Always the whole area: a vector picture has no transparent background.
        canvas.SetBrushColor(FBackColor);
        canvas.FillRect(Rect{0, 0, width, height});
        DrawSymbol(canvas, *layout, pattern);
        FMfCanvas = nullptr;
    } // the painter ends here, which closes the recording

    Metafile metafile;
    metafile.svg = wellFormedSvg(svg.data(), width + 1, height + 1);
    metafile.width = width + 1;
    metafile.height = height + 1;
    metafile.enhanced = FBarPicture != picWMF;
    Picture().setMetafile(std::move(metafile));
    FBarDisped = true;
}

} // namespace korbena
