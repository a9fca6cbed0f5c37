#pragma once

#include "document/NumberFormat.h"
#include "platform/Color.h"
#include "symbol/BarTypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace korbena {

// The button-face system colour the text colours inherit from the window; the
// style file stores it as -16777201.
inline constexpr TColor kButtonFaceColor = 0xFF00000Fu;

// Where the barcode stands inside a label and the size it is drawn at.
struct SymbolPlacement
{
    Extended x = 0;            // X_LOCATE
    Extended y = 0;            // Y_LOCATE
    Extended width = 0;        // SIZE_X, drawn so when sizeMode is 1
    Extended height = 0;       // SIZE_Y
    std::int32_t sizeMode = 0; // SIZE: 0 "しない", 1 "する", -1 neither chosen

    bool operator==(const SymbolPlacement&) const = default;
};

// The labels on a page and the page on the printer.
struct SheetGrid
{
    Extended across = 1;          // NUM_X, labels across a page
    Extended down = 1;            // NUM_Y, labels down a page
    Extended pitchX = 0;          // INTERVAL_X, from one label to the next
    Extended pitchY = 0;          // INTERVAL_Y
    Extended offsetX = 0;         // X_OFFSET, adjustment of the whole page
    Extended offsetY = 0;         // Y_OFFSET
    std::int32_t paper = -1;      // PAPERSIZE, platform paper code
    std::int32_t orientation = 0; // PAPERLAND: 0 portrait, 1 landscape, -1 neither chosen

    bool operator==(const SheetGrid&) const = default;
};

// One text of a label: the title or the barcode number written out.
struct TextBlock
{
    Extended x = 10; // TITLE_X, BARCODE_X
    Extended y = 10; // TITLE_Y, BARCODE_Y
    QString fontName = QStringLiteral("ＭＳ 明朝");
    QString fontStyle = QStringLiteral("太字"); // "", "太字", "斜体" or "太字斜体"
    QString fontSize = QStringLiteral("20");    // points, as text
    TColor color = kButtonFaceColor;
    Extended shadowX = 0;
    Extended shadowY = 0;
    TColor shadowColor = 10652814; // red 142, green 140, blue 162
    Extended pitch = 0;            // extra spacing between characters
    // Vertical writing; empty when a file chose neither button, which draws vertically
    // as every index but the horizontal one does.
    std::optional<bool> vertical = false;
    bool printed = true;
    bool centred = false;

    bool operator==(const TextBlock&) const = default;
};

// The title's block and where its second line stands.
struct TitleBlock : TextBlock
{
    Extended secondLineY = 3; // SUB_Y, below the first line

    bool operator==(const TitleBlock&) const = default;
};

// The barcode itself.
struct SymbolOptions
{
    std::optional<TBarTypes> symbology; // BARCODE_TYPE; empty: none chosen
    // CHECK_DT; empty when a file chose neither button, which draws without.
    std::optional<bool> checkDigit = true;
    QString startChar; // START_CHAR
    QString stopChar;  // STOP_CHAR
    // The two-dimensional symbols' options, stored only by styles of QR, DATAMATRIX,
    // PDF417 or GS1-128, after the other keys.
    std::int32_t qrErrorCorrection = 1; // QR_ECC: 0 L, 1 M, 2 Q, 3 H
    std::int32_t dataMatrixShape = 0;   // DM_SHAPE: 0 square, 1 rectangular
    Extended moduleSize = 0;            // MODULE_SIZE: millimetres a module; 0 the picture's own
    bool gs1 = false;                   // GS1_MODE: QR Code and DataMatrix data is a GS1 string

    bool operator==(const SymbolOptions&) const = default;
};

// Every setting of one label layout, one field per key of the style file. Lengths are
// millimetres and counts are label numbers, both as the numeric fields hold them;
// indexes are positions in a choice list (-1: nothing chosen); colours are platform
// colour values. What the file stores inverted or as a code is held here by its
// meaning; the key table converts.
struct LabelStyle
{
    std::int32_t displayKey = 3; // DISP_KEY: stored and read back, no effect on drawing
    SymbolPlacement placement;
    SheetGrid sheet;
    TitleBlock title;
    TextBlock number;
    SymbolOptions symbol;

    bool operator==(const LabelStyle&) const = default;
};

// The writing as the label text routines take it: 0 horizontal, 1 vertical.
inline int writingKind(const TextBlock& text)
{
    return text.vertical == false ? 0 : 1;
}

// Keys a style file may hold beyond the style itself. The loader hands them to the
// caller, which moves the main window and sets the image-path label.
struct StyleFileExtras
{
    std::optional<std::int32_t> windowWidth;  // "[WINDOW_WIDTH]", client width in pixels
    std::optional<std::int32_t> windowHeight; // "[WINDOW_HEIGHT]"
    std::optional<std::int32_t> windowTop;    // "[WINDOW_TOP]"
    std::optional<std::int32_t> windowLeft;   // "[WINDOW_LEFT]"
    std::optional<QString> imageFile;         // "[IMAGEFILE]"

    bool operator==(const StyleFileExtras&) const = default;
};

// What a style key holds: a length or count (a numeric field), an index (a choice
// list or radio group), a flag (a tick box), a colour (a swatch) or a text (a caption).
enum class StyleKind { Length, Count, Index, Flag, Colour, Text };

// How a choice control takes an index outside its items: a list shows no choice,
// a radio group takes its last button beyond the last and no button below -1.
enum class StyleChoices { None, List, Radio };

// The style's fields that the file stores, in the file's order.
enum class StyleField : std::uint8_t {
    SymbolX,
    SymbolY,
    SymbolWidth,
    SymbolHeight,
    SizeMode,
    LabelsAcross,
    LabelsDown,
    PitchX,
    PitchY,
    OffsetX,
    OffsetY,
    Paper,
    Orientation,
    TitleX,
    TitleY,
    TitleFontName,
    TitleFontStyle,
    TitleFontSize,
    TitleColor,
    TitleShadowX,
    TitleShadowY,
    TitleShadowColor,
    TitlePitch,
    TitleVertical,
    TitleSecondLineY,
    TitlePrinted,
    TitleCentred,
    NumberX,
    NumberY,
    NumberFontName,
    NumberFontStyle,
    NumberFontSize,
    NumberColor,
    NumberShadowX,
    NumberShadowY,
    NumberShadowColor,
    NumberPitch,
    NumberVertical,
    NumberPrinted,
    NumberCentred,
    Symbology,
    StartChar,
    StopChar,
    CheckDigit,
    QrErrorCorrection,
    DataMatrixShape,
    ModuleSize,
    Gs1Mode,
};
inline constexpr std::size_t kStyleFieldCount = 48;

// One field's value as its key and its control hold it: a length or count, an index, a
// flag, a colour or a text. "[TITLE_PRINT]" is a flag that is set when the title is
// not printed, "[CHECK_DT]" the index of the radio button, 0 for a check character.
using StyleValue = std::variant<Extended, std::int32_t, bool, TColor, QString>;

// Where a key's field lives in a style.
using StyleFieldRef = std::variant<Extended*, std::int32_t*, TColor*, QString*, bool*, std::optional<bool>*,
                                   std::optional<TBarTypes>*>;

// One key of the style file and the field it fills.
struct StyleKey
{
    StyleField field;
    const char16_t* name; // with its brackets, as the file spells it
    const char* id;       // the field's name in the code ("title.secondLineY")
    StyleKind kind;
    StyleFieldRef (*ref)(LabelStyle&);
    // The key holds the opposite of the field: a set flag is a text not printed, radio
    // button 0 of CHECK_DT is a check character.
    bool inverted = false;
    StyleChoices choices = StyleChoices::None;
    std::int32_t items = 0;
};

// The style's keys in the order the file stores them, after "[Version]" and
// "[DISP_KEY]": the 44 of every style, then the four options of the two-dimensional
// symbols. The file's reader and writer and the window's controls share them.
std::span<const StyleKey> styleKeys();
const StyleKey& styleKey(StyleField field);
// The last four keys, the two-dimensional symbols' options, written after the 44 only
// by a style whose symbology is one of QR, DATAMATRIX, PDF417 and GS1-128.
std::span<const StyleKey> matrixStyleKeys();
bool storesMatrixKeys(const LabelStyle& style);
// The key of that name ("[SIZE_X]"), or nullptr.
const StyleKey* findStyleKey(QStringView name);

// The field's value in its key's terms.
StyleValue styleValue(const LabelStyle& style, StyleField field);
// Sets a field from a value in its key's terms; an index outside a choice control's
// items is taken as the control takes it. False when the value is not of the key's
// kind; the style is then unchanged.
bool setStyleValue(LabelStyle& style, StyleField field, const StyleValue& value);

// The 46 lines of the style file for a style, from "[Version]=1.00" to "[CHECK_DT]".
// Numbers are written as a numeric field with the default settings shows them.
QStringList styleFileLines(const LabelStyle& style);

// Writes the style file atomically (code page 932, CR LF). Throws FileError.
void WriteStyleFile(const QString& path, const LabelStyle& style);

// The lines of a style file, for the change check and for applyStyleLines.
// Throws FileError when the file cannot be read, and Error("スタイルファイルではありません: "
// + path) when no line holds a style key, before anything is applied.
QStringList readStyleFile(const QString& path);

// Applies the lines of a style file one after the other, so a later line with the
// same key wins. The key is the text before the first "=", compared exactly; the
// value is the rest of the line, verbatim; unknown keys and lines without "=" are
// skipped. A value that does not read as the number its key needs throws
// ConversionError; the lines before it stay applied, to `style` and `extras` alike.
// displayKey is not reset here: the caller sets it to 3 before any load.
void applyStyleLines(const QStringList& lines, LabelStyle& style, StyleFileExtras& extras,
                     const QString& fileName);

} // namespace korbena
