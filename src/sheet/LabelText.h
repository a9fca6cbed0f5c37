#pragma once

#include "document/LabelStyle.h"
#include "platform/Color.h"
#include "platform/Fonts.h"
#include "sheet/SheetLength.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

namespace korbena {

class Canvas;
struct FontSpec;

// Where a page lands. On the preview a barcode image's own size follows the zoom and
// point sizes are realised at the preview's resolution; on a printer page an image
// pixel keeps the size it has on the screen at 100 per cent and point sizes are
// realised at the printer's resolution.
enum class SurfaceKind { Preview, Printer };

// Which label text is drawn; it picks the centring switch of the style.
enum class TextRole { Title, BarcodeNumber };

// Bold and italic from a font style name: "太字" bold, "斜体" italic, "太字斜体" both,
// anything else (empty included) neither.
struct FontStyle
{
    bool bold = false;
    bool italic = false;
    bool operator==(const FontStyle&) const = default;
};
FontStyle FontStyleFromName(const QString& name);

// The font of a label text as the style gives it.
struct LabelFont
{
    QString face;
    int size = 12; // points
    FontStyle style;
};

// The font a style's text block is drawn with: its face, its size (12 points when the
// size is not a whole number), bold and italic from its style name.
LabelFont labelFontOf(const TextBlock& text);

// What a composition lends every text it draws.
struct LabelTextContext
{
    SheetTransform transform;
    SurfaceKind kind = SurfaceKind::Preview;
    int screenDpiX = 96;   // the screen's horizontal resolution
    int zoomPercent = 100; // the zoom the composer was given; a print passes 100
    int printerDpiY = 600; // point sizes on paper are realised at this resolution
    SheetLength centreBox; // SIZE_X, the width a centred text is centred in
    bool titleCentre = false;
    bool numberCentre = false;
    // Measures centred texts; a composition shares one among its labels. Without
    // one, each text looks its font up anew.
    std::shared_ptr<TextMeasure> measure;

    // Dp = trunc(screen dpi X x zoom): the resolution point sizes are realised at
    // on the preview and texts are measured at for centring.
    int previewDpi() const;
    // A character's height in device pixels: size x Dp / 72 on the preview and
    // size x printer dpi / 72 on paper, rounded half to even.
    int pixelHeight(int points) const;
};

// One string DrawLabelText hands to the surface: its top-left device point.
struct TextRun
{
    QPoint at;
    QString text;
    bool operator==(const TextRun&) const = default;
};

// At most this many UTF-16 units are drawn character by character.
inline constexpr int kCharacterDrawLimit = 256;

// The characters of a text that are drawn one by one: those lying wholly within its
// first 256 UTF-16 units, a surrogate pair being one character.
std::vector<QString> labelCharacters(const QString& text);

// The runs DrawLabelText draws for a text, without drawing them. `kind` 0 is
// horizontal writing, any other value vertical; `pitch` is the distance from one
// character's start to the next (0: none).
std::vector<TextRun> labelTextRuns(const LabelTextContext& context, const QString& text, TextRole role,
                                   const LabelFont& font, SheetLength x, SheetLength y, int kind,
                                   SheetLength pitch);

// Draws one title line or number text with the top-left corner of its first
// character at (x, y) millimetres from the printable area's corner, only the glyphs,
// in `color`. An empty text draws nothing.
void DrawLabelText(Canvas& canvas, const LabelTextContext& context, const QString& text, TextRole role,
                   const LabelFont& font, TColor color, SheetLength x, SheetLength y, int kind,
                   SheetLength pitch);

// The font spec a label font is drawn with in this context.
FontSpec labelFontSpec(const LabelTextContext& context, const LabelFont& font, TColor color);

} // namespace korbena
