#include "symbol/BarImage.h"

#include <algorithm>
#include <cstdint>

namespace korbena {

namespace {

// Beyond this many pixels a side no bitmap is drawn: the symbol counts as not displayed.
constexpr std::int64_t kMaxSide = 32767;

QChar startStopOrA(QChar value)
{
    return value >= u'A' && value <= u'D' ? value : QChar(u'A');
}

} // namespace

// The constructor and destructor live with clipboard watching (BarImageClipboard.cpp).

// --- property setters: none compares the new value with the old one ---

void BarImage::SetBarType(TBarTypes value)
{
    FBarType = value;
    PaintBarcode();
}

void BarImage::SetCode(const QString& value)
{
    DoChangeCode();
    FCode = value;
    PaintBarcode();
    DoChangedCode();
}

void BarImage::SetCommentUp(const QString& value)
{
    FCommentUp = value;
    PaintBarcode();
}

void BarImage::SetCommentUpLoc(TLocation value)
{
    FCommentUpLoc = value;
    if (!FCommentUp.isEmpty())
        PaintBarcode();
}

void BarImage::SetCommentDown(const QString& value)
{
    FCommentDown = value;
    PaintBarcode();
}

void BarImage::SetCommentDownLoc(TLocation value)
{
    FCommentDownLoc = value;
    if (!FCommentDown.isEmpty())
        PaintBarcode();
}

void BarImage::SetStartChar(QChar value)
{
    FStartChar = startStopOrA(value);
    if (FBarType == cbarNW7 || FBarType == cbarCODE128)
        PaintBarcode();
}

void BarImage::SetStopChar(QChar value)
{
    FStopChar = startStopOrA(value);
    if (FBarType == cbarNW7)
        PaintBarcode();
}

void BarImage::SetCD(bool value)
{
    FCD = value;
    switch (FBarType) {
    case cbarCODE39:
    case cbarNW7:
    case cbarITF:
    case cbarCTF:
    case cbarMATRIX:
    case cbarNEC:
        PaintBarcode();
        break;
    default: // IATA always carries its check digit; the others have no optional one
        break;
    }
}

void BarImage::SetScale(TSCale value)
{
    FScale = value;
    PaintBarcode();
}

void BarImage::SetAngle(int value)
{
    if (value != 0 && value != 90 && value != 180 && value != 270)
        return;
    FAngle = value;
    PaintBarcode();
}

void BarImage::SetReverse(bool value)
{
    FReverse = value;
    PaintBarcode();
}

void BarImage::SetSymbolDisp(bool value)
{
    FSymbolDisp = value;
    PaintBarcode();
}

void BarImage::SetAutomatic(bool value)
{
    FAutomatic = value;
    if (FBarType == cbarCODE128)
        PaintBarcode();
}

void BarImage::SetBarFont(const FontSpec* font)
{
    if (font == nullptr || font == &FBarFont)
        return;
    FBarFont = *font;
    if (FSymbolDisp)
        PaintBarcode();
}

void BarImage::SetTransparent(bool value)
{
    FTransparent = value;
    if (value) {
        FMatch = false;
        FBarPicture = picBMP;
    }
    PaintBarcode();
}

void BarImage::SetBarColor(TColor value)
{
    FBarColor = value;
    PaintBarcode();
}

void BarImage::SetBackColor(TColor value)
{
    FBackColor = value;
    PaintBarcode();
}

void BarImage::SetBarHeight(int value)
{
    FBarHeight = value;
    if (FBarType != cbarCUSTOMER)
        PaintBarcode();
}

void BarImage::SetBarLeft(int value)
{
    FBarLeft = value;
    PaintBarcode();
}

void BarImage::SetBarTop(int value)
{
    FBarTop = value;
    PaintBarcode();
}

void BarImage::SetBarSpaceUp(int value)
{
    FBarSpaceUp = std::max(0, value);
    PaintBarcode();
}

void BarImage::SetBarSpaceDown(int value)
{
    FBarSpaceDown = std::max(0, value);
    PaintBarcode();
}

void BarImage::SetBarSpaceLeft(int value)
{
    FBarSpaceLeft = std::max(0, value);
    PaintBarcode();
}

void BarImage::SetBarSpaceRight(int value)
{
    FBarSpaceRight = std::max(0, value);
    PaintBarcode();
}

void BarImage::SetMatch(bool value)
{
    FMatch = value;
    if (value)
        FTransparent = false;
    else
        FBarPicture = picBMP;
    PaintBarcode();
}

void BarImage::SetBarPicture(TPictures value)
{
    if (!FMatch) {
        // A vector picture has no size of its own to draw into without Match.
        FBarPicture = picBMP;
        return;
    }
    FBarPicture = value;
    PaintBarcode();
}

void BarImage::SetElementRatio(TElementRatio value)
{
    FElementRatio = value;
    if (isTwoWidth(FBarType))
        PaintBarcode();
}

void BarImage::SetBarEnabled(bool value)
{
    if (!value) {
        FBarEnabled = false;
        return;
    }
    if (FBarEnabled)
        return;
    FBarEnabled = true;
    PaintBarcode();
}

void BarImage::SetBarDebug(bool value)
{
    FBarDebug = value;
}

void BarImage::SetClearOption(bool value)
{
    if (!value) {
        FClearOption = false;
        return;
    }
    if (FClearOption)
        return;
    FClearOption = true;
    if (!FBarDisped)
        Clear();
}

void BarImage::SetBarFrame(TFrameSize value)
{
    FBarFrame = value;
    PaintBarcode();
}

// --- check characters as text ---

QString BarImage::CDC() const
{
    if (FBarType == cbarCUSTOMER)
        return FWorkSymbol.isEmpty() ? QString() : FWorkSymbol.right(1);
    const QString& s = FBarType == cbarCODE128 ? F128Code : FCode;
    if (s.isEmpty())
        return {};
    qsizetype index = FWorkSymbol.indexOf(s);
    // CODE-128: WorkSymbol is the start letter, F128Code, the check character. When
    // F128Code is that letter repeated ("A" in set A) it also occurs at position 1;
    // the occurrence after the start letter counts (our choice for that case).
    if (FBarType == cbarCODE128 && index == 0 && QStringView(FWorkSymbol).sliced(1).startsWith(s))
        index = 1;
    if (index < 0)
        return {};
    // n counts what follows the data; a trailing stop character is not a check character.
    qsizetype n = FWorkSymbol.size() - index - s.size();
    if (FBarType == cbarCODE39 || FBarType == cbarNW7 || FBarType == cbarCODE93)
        --n;
    if (n <= 0)
        return {};
    return FWorkSymbol.mid(index + s.size(), n);
}

// --- operations ---

void BarImage::Clear()
{
    if (FBarDisped)
        FBarDisped = false;
    Picture().clear();
    notifyPictureChanged();
}

void BarImage::RepaintBarcode()
{
    PaintBarcode();
}

void BarImage::RepaintUPCA2E()
{
    if (FBarType == cbarUPC && FBarDisped && FCode.size() == 11) {
        const QString converted = UpcAToE(FCode);
        if (!converted.isEmpty()) {
            FCode = converted; // directly: no Code events
            PaintBarcode();
            return;
        }
    }
    FBarDisped = false;
}

void BarImage::RepaintUPCE2A()
{
    if (FBarType == cbarUPC && FBarDisped && FCode.size() == 7) {
        const QString converted = UpcEToA(FCode);
        if (!converted.isEmpty()) {
            FCode = converted;
            PaintBarcode();
            return;
        }
    }
    FBarDisped = false;
}

// --- events ---

void BarImage::DoChangeCode()
{
    if (OnChangeCode)
        OnChangeCode(*this, FWatch);
}

void BarImage::DoPaintBar()
{
    if (OnPaintBar)
        OnPaintBar(*this, FWatch);
}

void BarImage::DoPaintedBar()
{
    if (OnPaintedBar)
        OnPaintedBar(*this, FWatch);
}

void BarImage::DoChangedCode()
{
    if (OnChangedCode)
        OnChangedCode(*this, FWatch);
}

void BarImage::DoClipChange()
{
    if (FOnClipChange)
        FOnClipChange(*this);
}

// --- encoders: each slot hands the code and its settings to a pure function ---

EncodeOptions BarImage::encodeOptions() const
{
    return EncodeOptions{FCD, FStartChar, FStopChar, FAutomatic};
}

ElementPattern BarImage::applyEncoding(Encoding encoding)
{
    if (encoding.f128Code)
        F128Code = std::move(*encoding.f128Code);
    if (encoding.startChar)
        FStartChar = *encoding.startChar; // the field, not the setter: no repaint
    if (!encoding.ok())
        return {};
    FWorkSymbol = std::move(encoding.workSymbol);
    FSymbol = std::move(encoding.symbol);
    FCDN = encoding.cdn;
    return std::move(encoding.pattern);
}

ElementPattern BarImage::EncodeJAN()
{
    return applyEncoding(encodeJan(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeUPC()
{
    return applyEncoding(encodeUpc(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeCODE39()
{
    return applyEncoding(encodeCode39(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeNW7()
{
    return applyEncoding(encodeNw7(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeITF()
{
    return applyEncoding(encodeItf(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeCTF()
{
    return applyEncoding(encodeCtf(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeIATA()
{
    return applyEncoding(encodeIata(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeMATRIX()
{
    return applyEncoding(encodeMatrix(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeNEC()
{
    return applyEncoding(encodeNec(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeCUSTOMER()
{
    return applyEncoding(encodeCustomer(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeCODE128()
{
    return applyEncoding(encodeCode128(FCode, encodeOptions()));
}
ElementPattern BarImage::EncodeCODE93()
{
    return applyEncoding(encodeCode93(FCode, encodeOptions()));
}

ElementPattern BarImage::EncodeSymbol()
{
    switch (FBarType) {
    case cbarJAN:
        return EncodeJAN();
    case cbarUPC:
        return EncodeUPC();
    case cbarCODE39:
        return EncodeCODE39();
    case cbarNW7:
        return EncodeNW7();
    case cbarITF:
        return EncodeITF();
    case cbarCTF:
        return EncodeCTF();
    case cbarIATA:
        return EncodeIATA();
    case cbarMATRIX:
        return EncodeMATRIX();
    case cbarNEC:
        return EncodeNEC();
    case cbarCUSTOMER:
        return EncodeCUSTOMER();
    case cbarCODE128:
        return EncodeCODE128();
    case cbarCODE93:
        return EncodeCODE93();
    case cbarQR:
    case cbarDATAMATRIX:
    case cbarPDF417:
        return EncodeMatrixSymbol();
    case cbarGS1_128:
        return EncodeGS1_128();
    }
    return {};
}

// --- painting ---

void BarImage::PaintBarcode()
{
    if (!FBarEnabled)
        return;
    DoPaintBar();

    Bitmap& bitmap = Picture().Bitmap();
    bitmap.SetPixelFormat(PixelFormat::pf32bit);
    if (bitmap.Empty())
        bitmap.SetSize(Width(), Height());

    if (FBarPicture == picBMP)
        RenderBitmap();
    else
        RenderMetafile();

    DoPaintedBar();
    if (!FBarDisped && FClearOption && !FBarDebug)
        Clear();
    else
        notifyPictureChanged();
}

std::optional<SymbolLayout> BarImage::EncodeAndLayOut(ElementPattern& pattern)
{
    pattern = EncodeSymbol();
    if (pattern.isEmpty())
        return std::nullopt;
    m_lastPattern = pattern;
    if (FBarDebug) {
        FBarDisped = true;
        return std::nullopt;
    }

    SymbolLayout layout;
    // Measure the text line and the comments.
    layout.textWidth = FSymbolDisp ? textWidth(FBarFont, FSymbol) : 0;
    layout.textHeight = FSymbolDisp ? textHeight(FBarFont, FSymbol) : 0;
    layout.commentUpWidth = textWidth(FBarFont, FCommentUp);
    layout.commentUpHeight = textHeight(FBarFont, FCommentUp);
    layout.commentDownWidth = textWidth(FBarFont, FCommentDown);
    layout.commentDownHeight = textHeight(FBarFont, FCommentDown);
    const int tw = layout.textWidth;
    const int th = layout.textHeight;

    // Body size.
    std::int64_t pw = 0;
    std::int64_t bl = 0;
    const bool matrix = isMatrixType(FBarType);
    if (FBarType == cbarCUSTOMER) {
        pw = MeasureCustomerWidth(pattern);
        bl = static_cast<std::int64_t>(6) * FScale;
    } else if (matrix) {
        const int quiet = 2 * quietZoneModules(matrixSymbologyOf(FBarType));
        pw = (static_cast<std::int64_t>(m_lastMatrix.width) + quiet) * FScale;
        bl = (static_cast<std::int64_t>(m_lastMatrix.height) + quiet) * FScale;
    } else {
        pw = patternPixelWidth(pattern, FScale, FElementRatio, FBarType);
        if (FBarHeight < th + 6)
            FBarHeight = th + 6;
        bl = static_cast<std::int64_t>(FBarHeight) - th;
    }
    // A scale or height too large for any bitmap draws nothing, as an unencodable code would.
    if (pw <= 0 || pw > kMaxSide || bl > kMaxSide)
        return std::nullopt;

    FBarWidth = static_cast<int>(pw > tw ? pw : tw);
    if (FBarType == cbarCUSTOMER || matrix)
        FBarHeight = static_cast<int>(bl) + th;

    // A matrix symbol carries its quiet zone in modules, so that its picture is whole modules.
    const int spaceLeft = matrix ? 0 : FBarSpaceLeft;
    const int spaceUp = matrix ? 0 : FBarSpaceUp;
    const std::int64_t ow = static_cast<std::int64_t>(spaceLeft) + FBarWidth + (matrix ? 0 : FBarSpaceRight);
    const std::int64_t oh = static_cast<std::int64_t>(spaceUp) + FBarHeight + (matrix ? 0 : FBarSpaceDown);
    if (ow > kMaxSide || oh > kMaxSide)
        return std::nullopt;

    layout.spaceLeft = spaceLeft;
    layout.spaceUp = spaceUp;
    layout.patternWidth = static_cast<int>(pw);
    layout.barLength = static_cast<int>(bl);
    layout.outerWidth = static_cast<int>(ow);
    layout.outerHeight = static_cast<int>(oh);
    // Centre the narrower of bars and text on the wider.
    if (pw > tw)
        layout.textOffset = static_cast<int>((pw - tw) / 2);
    else
        layout.barOffset = static_cast<int>((tw - pw) / 2);
    return layout;
}

Rect BarImage::FrameRect(TBarTypes type, int left, int top, const SymbolLayout& layout)
{
    if (type == cbarITF) {
        const int barTop = top + layout.spaceUp;
        return Rect{left, barTop, left + layout.outerWidth, barTop + layout.barLength};
    }
    return Rect{left, top + layout.commentUpHeight, left + layout.outerWidth,
                top + layout.outerHeight - layout.commentDownHeight};
}

void BarImage::DrawSymbol(Canvas& canvas, const SymbolLayout& layout, const ElementPattern& pattern)
{
    canvas.SetBrushColor(FBarColor);
    const int barLeft = FBarLeft + layout.spaceLeft;
    const int barTop = FBarTop + layout.spaceUp;
    const int barLength = layout.barLength;
    if (isMatrixType(FBarType)) {
        DrawModules(canvas, layout);
    } else if (FBarType == cbarCUSTOMER) {
        for (qsizetype i = 0; i < pattern.size(); ++i)
            DrawCustomerElement(layout.barOffset, static_cast<int>(i), FScale, pattern[i].unicode() - u'0');
    } else {
        std::int64_t x = layout.barOffset;
        for (const QChar c : pattern) {
            const int digit = c.unicode() - u'0';
            const std::int64_t w = elementPixelWidth(digit, FScale, FElementRatio, FBarType);
            if (digit % 2 != 0) {
                canvas.FillRect(Rect{barLeft + static_cast<int>(x), barTop, barLeft + static_cast<int>(x + w),
                                     barTop + barLength});
            }
            x += w;
        }
    }

    DrawTextFrameAndComments(canvas, layout);
}

bool BarImage::HasTextFrameOrComments() const
{
    return (FSymbolDisp && !FSymbol.isEmpty()) || FBarFrame > 0 || !FCommentUp.isEmpty() ||
           !FCommentDown.isEmpty();
}

void BarImage::DrawTextFrameAndComments(Canvas& canvas, const SymbolLayout& layout)
{
    if (FSymbolDisp && !FSymbol.isEmpty()) {
        canvas.SetFont(FBarFont);
        canvas.TextOut(FBarLeft + layout.spaceLeft + layout.textOffset,
                       FBarTop + layout.spaceUp + layout.barLength, FSymbol);
    }

    if (FBarFrame > 0) {
        canvas.SetBrushColor(FBarColor);
        DrawFrame(canvas, FrameRect(FBarType, FBarLeft, FBarTop, layout));
    }

    const int ow = layout.outerWidth;
    auto commentOffset = [ow](TLocation location, int width) {
        int offset = 0;
        if (location == locCenter)
            offset = (ow - width) / 2;
        else if (location == locRight)
            offset = ow - width;
        return std::max(0, offset);
    };
    canvas.SetFont(FBarFont);
    if (!FCommentUp.isEmpty())
        canvas.TextOut(FBarLeft + commentOffset(FCommentUpLoc, layout.commentUpWidth), FBarTop, FCommentUp);
    if (!FCommentDown.isEmpty()) {
        canvas.TextOut(FBarLeft + commentOffset(FCommentDownLoc, layout.commentDownWidth),
                       FBarTop + layout.outerHeight - layout.commentDownHeight, FCommentDown);
    }
}

void BarImage::DrawIntoBitmap(Bitmap& bitmap, int right, int bottom, const SymbolLayout& layout,
                              const ElementPattern& pattern)
{
    std::optional<Rect> background;
    if (!FTransparent)
        background = FMatch ? Rect{0, 0, right, bottom} : Rect{FBarLeft, FBarTop, right, bottom};
    // Background and bars go straight into the rows; a painter is opened only for
    // what needs one (text, frame, comments) or for bars that are not plain runs.
    const bool rastered = RasterBars(bitmap, background, layout, pattern);
    if (rastered && !HasTextFrameOrComments())
        return;
    Canvas canvas(&bitmap.image());
    m_bmpCanvas = &canvas;
    if (rastered) {
        DrawTextFrameAndComments(canvas, layout);
    } else {
        if (background) {
            canvas.SetBrushColor(FBackColor);
            canvas.FillRect(*background);
        }
        DrawSymbol(canvas, layout, pattern);
    }
    m_bmpCanvas = nullptr;
}

void BarImage::RenderBitmap()
{
    FBarDisped = false;
    FSymbol.clear();
    FCDN = -1;
    if (FCode.isEmpty())
        return;

    const int l0 = FBarLeft;
    const int t0 = FBarTop;
    const int w0 = Width();
    const int h0 = Height();
    const SizingFlagsOff sizingOff(*this);

    ElementPattern pattern;
    const std::optional<SymbolLayout> layout = EncodeAndLayOut(pattern);
    if (!layout)
        return;
    const int ow = layout->outerWidth;
    const int oh = layout->outerHeight;

    if (!FMatch) {
        // Positions are given in the displayed (turned) picture: bring them, and the
        // picture, back to the upright one before drawing.
        switch (FAngle) {
        case 90:
            FBarLeft = t0;
            FBarTop = w0 - l0 - oh;
            break;
        case 180:
            FBarLeft = w0 - l0 - ow;
            FBarTop = h0 - t0 - oh;
            break;
        case 270:
            FBarLeft = h0 - t0 - ow;
            FBarTop = l0;
            break;
        default:
            break;
        }
        SetVisible(false);
        TurnUpright();
    }

    const int right = FBarLeft + ow;
    const int bottom = FBarTop + oh;
    Bitmap& bitmap = Picture().Bitmap();
    if (FMatch) {
        SetWidth(right);
        SetHeight(bottom);
        // The background below covers the whole matched picture, so its old pixels need no keeping.
        if (FTransparent)
            bitmap.SetSize(Width(), Height());
        else
            bitmap.SetSizeForRepaint(Width(), Height());
    }

    if (!bitmap.Empty())
        DrawIntoBitmap(bitmap, right, bottom, *layout, pattern);

    ApplyOrientation(FAngle);
    if (!FMatch) {
        SetVisible(true);
        FBarLeft = l0;
        FBarTop = t0;
    }
    FBarDisped = true;
}

} // namespace korbena
