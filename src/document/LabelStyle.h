#pragma once

#include "document/NumberText.h"
#include "platform/Color.h"

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

// Every setting of one label layout, one field per key of the style file and in the
// file's order. Lengths are millimetres and counts are label numbers, both as the
// numeric fields hold them; indexes are positions in a choice list (-1: nothing
// chosen); flags are tick boxes; colours are platform colour values.
struct LabelStyle
{
    std::int32_t DISP_KEY = 3; // stored and read back, no effect on drawing

    Extended X_LOCATE = 0; // the barcode inside a label
    Extended Y_LOCATE = 0;
    Extended SIZE_X = 0; // the barcode's size when SIZE is 1
    Extended SIZE_Y = 0;
    std::int32_t SIZE = 0; // 0 "しない", 1 "する"
    Extended NUM_X = 1;    // labels across and down a page
    Extended NUM_Y = 1;
    Extended INTERVAL_X = 0; // pitch of the labels
    Extended INTERVAL_Y = 0;
    Extended X_OFFSET = 0; // adjustment of the whole page
    Extended Y_OFFSET = 0;
    std::int32_t PAPERSIZE = -1; // platform paper code
    std::int32_t PAPERLAND = 0;  // 0 portrait, 1 landscape

    Extended TITLE_X = 10;
    Extended TITLE_Y = 10;
    QString TITLE_FONT_NAME = QStringLiteral("ＭＳ 明朝");
    QString TITLE_FONT_BOLD = QStringLiteral("太字"); // "", "太字", "斜体" or "太字斜体"
    QString TITLE_FONT_SIZE = QStringLiteral("20");   // points, as text
    TColor TITLE_FONT_COLOE = kButtonFaceColor;
    Extended G_TITLE_X = 0; // the title's shadow
    Extended G_TITLE_Y = 0;
    TColor G_TITLE_COLOR = 10652814; // red 142, green 140, blue 162
    Extended TITLE_INTERVAL = 0;     // extra spacing between characters
    std::int32_t TITLE_PORTLATE = 0; // 0 horizontal, 1 vertical writing
    Extended SUB_Y = 3;              // the title's second line below the first
    bool TITLE_PRINT = false;        // true: the title is not printed
    bool TITLE_CENTER = false;

    Extended BARCODE_X = 10; // the barcode-number text
    Extended BARCODE_Y = 10;
    QString BARCODE_FONT_NAME = QStringLiteral("ＭＳ 明朝");
    QString BARCODE_FONT_BOLD = QStringLiteral("太字");
    QString BARCODE_FONT_SIZE = QStringLiteral("20");
    TColor BARCODE_FONT_COLOR = kButtonFaceColor;
    Extended G_BARCODE_X = 0;
    Extended G_BARCODE_Y = 0;
    TColor G_BARCODE_COLOR = 10652814;
    Extended BARCODE_INTERVAL = 0;
    std::int32_t BARCODE_PORTLATE = 0;
    bool BARCODE_PRINT = false; // true: the barcode-number text is not printed
    bool BARCODE_CENTER = false;

    std::int32_t BARCODE_TYPE = -1; // TBarTypes order: 0 "JAN" .. 11 "CODE-93", 12 "QR" .. 15 "GS1-128"
    QString START_CHAR;
    QString STOP_CHAR;
    std::int32_t CHECK_DT = 0; // 0: a check character is used
    // The two-dimensional symbols' options, stored only by styles of QR, DATAMATRIX,
    // PDF417 or GS1-128 (BARCODE_TYPE 12 to 15), after the keys above.
    std::int32_t QR_ECC = 1;   // QR Code error correction: 0 L, 1 M, 2 Q, 3 H
    std::int32_t DM_SHAPE = 0; // DataMatrix: 0 square, 1 rectangular
    Extended MODULE_SIZE = 0;  // millimetres a module; 0: the picture's own size
    bool GS1_MODE = false;     // QR Code and DataMatrix data is a GS1 string

    bool operator==(const LabelStyle&) const = default;
};

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

using StyleMember = std::variant<Extended LabelStyle::*, std::int32_t LabelStyle::*, bool LabelStyle::*,
                                 TColor LabelStyle::*, QString LabelStyle::*>;

// One key of the style file and the field it fills.
struct StyleKey
{
    const char16_t* name; // "[X_LOCATE]", with its brackets
    StyleKind kind;
    StyleMember field;
    StyleChoices choices = StyleChoices::None;
    std::int32_t items = 0;
};

// The style's keys in the order the file stores them, after "[Version]" and
// "[DISP_KEY]": the 44 of every style, then the four options of the two-dimensional
// symbols. The file's reader and writer and the window's controls share them.
std::span<const StyleKey> styleKeys();
// The last four keys, the two-dimensional symbols' options, written after the 44 only
// by a style whose symbology is one of QR, DATAMATRIX, PDF417 and GS1-128.
std::span<const StyleKey> matrixStyleKeys();
bool storesMatrixKeys(const LabelStyle& style);

// The key of that name ("[SIZE_X]"), or nullptr.
const StyleKey* findStyleKey(QStringView name);

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
// DISP_KEY is not reset here: the caller sets it to 3 before any load.
void applyStyleLines(const QStringList& lines, LabelStyle& style, StyleFileExtras& extras,
                     const QString& fileName);

} // namespace korbena
