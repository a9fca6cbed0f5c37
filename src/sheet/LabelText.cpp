#include "sheet/LabelText.h"

#include "platform/Canvas.h"
#include "platform/Fonts.h"

namespace korbena {

namespace {

// Text heights are held within what a font engine renders sensibly: 1638 points (the
// largest size a font dialog offers) at 1200 dpi is about 27000 pixels.
constexpr std::int64_t kMaxPixelHeight = 32767;
constexpr int kDefaultPointSize = 12;

} // namespace

FontStyle FontStyleFromName(const QString& name)
{
    if (name == u"太字")
        return {true, false};
    if (name == u"斜体")
        return {false, true};
    if (name == u"太字斜体")
        return {true, true};
    return {};
}

LabelFont labelFontOf(const TextBlock& text)
{
    bool ok = false;
    const int size = text.fontSize.toInt(&ok);
    return {text.fontName, ok ? size : kDefaultPointSize, FontStyleFromName(text.fontStyle)};
}

int LabelTextContext::previewDpi() const
{
    const std::int64_t dpi = static_cast<std::int64_t>(screenDpiX) * zoomPercent / 100;
    return dpi < 0 ? 0 : dpi > 100000 ? 100000 : static_cast<int>(dpi);
}

int LabelTextContext::pixelHeight(int points) const
{
    const int dpi = kind == SurfaceKind::Preview ? previewDpi() : printerDpiY;
    const std::int64_t pixels = divideRoundHalfEven(static_cast<__int128>(points) * dpi, 72);
    if (pixels > kMaxPixelHeight)
        return static_cast<int>(kMaxPixelHeight);
    if (pixels < -kMaxPixelHeight)
        return static_cast<int>(-kMaxPixelHeight);
    return static_cast<int>(pixels);
}

FontSpec labelFontSpec(const LabelTextContext& context, const LabelFont& font, TColor color)
{
    FontSpec spec;
    spec.face = font.face;
    // A negative height asks for the character height, as a point size does.
    spec.height = -context.pixelHeight(font.size);
    spec.bold = font.style.bold;
    spec.italic = font.style.italic;
    spec.color = color;
    return spec;
}

std::vector<QString> labelCharacters(const QString& text)
{
    std::vector<QString> characters;
    const qsizetype end = std::min<qsizetype>(text.size(), kCharacterDrawLimit);
    for (qsizetype i = 0; i < end;) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (i + 1 >= end)
                break; // the pair straddles the limit
            characters.push_back(text.mid(i, 2));
            i += 2;
        } else {
            characters.push_back(text.mid(i, 1));
            ++i;
        }
    }
    return characters;
}

std::vector<TextRun> labelTextRuns(const LabelTextContext& context, const QString& text, TextRole role,
                                   const LabelFont& font, SheetLength x, SheetLength y, int kind,
                                   SheetLength pitch)
{
    std::vector<TextRun> runs;
    if (text.isEmpty())
        return runs;
    const std::vector<QString> characters = labelCharacters(text);
    const auto n = static_cast<std::int64_t>(characters.size());
    const SheetLength zero;

    if (kind == 0) {
        const bool centre = role == TextRole::Title ? context.titleCentre : context.numberCentre;
        if (centre) {
            SheetLength width;
            if (pitch == zero) {
                // Measured at the preview's resolution whatever the surface, so a
                // centred text sits where the preview showed it.
                LabelTextContext preview = context;
                preview.kind = SurfaceKind::Preview;
                const FontSpec spec = labelFontSpec(preview, font, clBlack);
                const int pixels =
                    context.measure ? context.measure->width(spec, text) : textWidth(spec, text);
                const std::int64_t per = static_cast<std::int64_t>(context.screenDpiX) * context.zoomPercent;
                if (per > 0)
                    width = SheetLength::fromUnits(
                        divideRoundHalfEven(static_cast<__int128>(pixels) * 25'400'000, per));
            } else {
                width = pitch.times(n);
            }
            if (context.centreBox - width > zero)
                x += (context.centreBox - width).halved();
        }
        if (pitch == zero) {
            runs.push_back({context.transform.toDevice(x, y), text});
            return runs;
        }
        if (pitch < zero) {
            // A negative pitch makes the run end near x instead of starting there.
            pitch = -pitch;
            x -= pitch.times(n);
        }
        for (const QString& c : characters) {
            runs.push_back({context.transform.toDevice(x, y), c});
            x += pitch;
        }
        return runs;
    }

    // Vertical writing stacks upright characters; without a pitch each steps half
    // its point size in millimetres.
    if (pitch == zero)
        pitch = SheetLength::fromUnits(static_cast<std::int64_t>(font.size) *
                                       SheetLength::kUnitsPerMillimetre / 2);
    if (pitch < zero) {
        pitch = -pitch;
        y -= pitch.times(n);
    }
    for (const QString& c : characters) {
        runs.push_back({context.transform.toDevice(x, y), c});
        y += pitch;
    }
    return runs;
}

void DrawLabelText(Canvas& canvas, const LabelTextContext& context, const QString& text, TextRole role,
                   const LabelFont& font, TColor color, SheetLength x, SheetLength y, int kind,
                   SheetLength pitch)
{
    if (text.isEmpty())
        return;
    const std::vector<TextRun> runs = labelTextRuns(context, text, role, font, x, y, kind, pitch);
    canvas.SetFont(labelFontSpec(context, font, color));
    for (const TextRun& run : runs)
        canvas.TextOut(run.at.x(), run.at.y(), run.text);
}

} // namespace korbena
