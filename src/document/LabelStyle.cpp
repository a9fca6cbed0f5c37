#include "document/LabelStyle.h"

#include "document/ValueText.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <variant>

namespace korbena {

namespace {

#define FIELD(member) [](LabelStyle& s) -> StyleFieldRef { return &s.member; }

using enum StyleField;
using enum StyleKind;
using enum StyleChoices;

// The style's keys in the order the file stores them, after "[Version]" and
// "[DISP_KEY]", and the only place that spells them. The paper list is the printer's;
// the paper settings check the code later. The last four, the two-dimensional symbols'
// options, are stored only by styles that use them.
// clang-format off
constexpr std::array<StyleKey, kStyleFieldCount> kKeys = {{
    {SymbolX, u"[X_LOCATE]", "placement.x", Length, FIELD(placement.x)},
    {SymbolY, u"[Y_LOCATE]", "placement.y", Length, FIELD(placement.y)},
    {SymbolWidth, u"[SIZE_X]", "placement.width", Length, FIELD(placement.width)},
    {SymbolHeight, u"[SIZE_Y]", "placement.height", Length, FIELD(placement.height)},
    {SizeMode, u"[SIZE]", "placement.sizeMode", Index, FIELD(placement.sizeMode), false, Radio, 2},
    {LabelsAcross, u"[NUM_X]", "sheet.across", Count, FIELD(sheet.across)},
    {LabelsDown, u"[NUM_Y]", "sheet.down", Count, FIELD(sheet.down)},
    {PitchX, u"[INTERVAL_X]", "sheet.pitchX", Length, FIELD(sheet.pitchX)},
    {PitchY, u"[INTERVAL_Y]", "sheet.pitchY", Length, FIELD(sheet.pitchY)},
    {OffsetX, u"[X_OFFSET]", "sheet.offsetX", Length, FIELD(sheet.offsetX)},
    {OffsetY, u"[Y_OFFSET]", "sheet.offsetY", Length, FIELD(sheet.offsetY)},
    {Paper, u"[PAPERSIZE]", "sheet.paper", Index, FIELD(sheet.paper)},
    {Orientation, u"[PAPERLAND]", "sheet.orientation", Index, FIELD(sheet.orientation), false, Radio, 2},
    {TitleX, u"[TITLE_X]", "title.x", Length, FIELD(title.x)},
    {TitleY, u"[TITLE_Y]", "title.y", Length, FIELD(title.y)},
    {TitleFontName, u"[TITLE_FONT_NAME]", "title.fontName", Text, FIELD(title.fontName)},
    {TitleFontStyle, u"[TITLE_FONT_BOLD]", "title.fontStyle", Text, FIELD(title.fontStyle)},
    {TitleFontSize, u"[TITLE_FONT_SIZE]", "title.fontSize", Text, FIELD(title.fontSize)},
    {TitleColor, u"[TITLE_FONT_COLOE]", "title.color", Colour, FIELD(title.color)},
    {TitleShadowX, u"[G_TITLE_X]", "title.shadowX", Length, FIELD(title.shadowX)},
    {TitleShadowY, u"[G_TITLE_Y]", "title.shadowY", Length, FIELD(title.shadowY)},
    {TitleShadowColor, u"[G_TITLE_COLOR]", "title.shadowColor", Colour, FIELD(title.shadowColor)},
    {TitlePitch, u"[TITLE_INTERVAL]", "title.pitch", Length, FIELD(title.pitch)},
    {TitleVertical, u"[TITLE_PORTLATE]", "title.vertical", Index, FIELD(title.vertical), false, Radio, 2},
    {TitleSecondLineY, u"[SUB_Y]", "title.secondLineY", Length, FIELD(title.secondLineY)},
    {TitlePrinted, u"[TITLE_PRINT]", "title.printed", Flag, FIELD(title.printed), true},
    {TitleCentred, u"[TITLE_CENTER]", "title.centred", Flag, FIELD(title.centred)},
    {NumberX, u"[BARCODE_X]", "number.x", Length, FIELD(number.x)},
    {NumberY, u"[BARCODE_Y]", "number.y", Length, FIELD(number.y)},
    {NumberFontName, u"[BARCODE_FONT_NAME]", "number.fontName", Text, FIELD(number.fontName)},
    {NumberFontStyle, u"[BARCODE_FONT_BOLD]", "number.fontStyle", Text, FIELD(number.fontStyle)},
    {NumberFontSize, u"[BARCODE_FONT_SIZE]", "number.fontSize", Text, FIELD(number.fontSize)},
    {NumberColor, u"[BARCODE_FONT_COLOR]", "number.color", Colour, FIELD(number.color)},
    {NumberShadowX, u"[G_BARCODE_X]", "number.shadowX", Length, FIELD(number.shadowX)},
    {NumberShadowY, u"[G_BARCODE_Y]", "number.shadowY", Length, FIELD(number.shadowY)},
    {NumberShadowColor, u"[G_BARCODE_COLOR]", "number.shadowColor", Colour, FIELD(number.shadowColor)},
    {NumberPitch, u"[BARCODE_INTERVAL]", "number.pitch", Length, FIELD(number.pitch)},
    {NumberVertical, u"[BARCODE_PORTLATE]", "number.vertical", Index, FIELD(number.vertical), false, Radio, 2},
    {NumberPrinted, u"[BARCODE_PRINT]", "number.printed", Flag, FIELD(number.printed), true},
    {NumberCentred, u"[BARCODE_CENTER]", "number.centred", Flag, FIELD(number.centred)},
    {Symbology, u"[BARCODE_TYPE]", "symbol.symbology", Index, FIELD(symbol.symbology), false, List, 16},
    {StartChar, u"[START_CHAR]", "symbol.startChar", Text, FIELD(symbol.startChar)},
    {StopChar, u"[STOP_CHAR]", "symbol.stopChar", Text, FIELD(symbol.stopChar)},
    {CheckDigit, u"[CHECK_DT]", "symbol.checkDigit", Index, FIELD(symbol.checkDigit), true, Radio, 2},
    {QrErrorCorrection, u"[QR_ECC]", "symbol.qrErrorCorrection", Index, FIELD(symbol.qrErrorCorrection), false, List, 4},
    {DataMatrixShape, u"[DM_SHAPE]", "symbol.dataMatrixShape", Index, FIELD(symbol.dataMatrixShape), false, Radio, 2},
    {ModuleSize, u"[MODULE_SIZE]", "symbol.moduleSize", Length, FIELD(symbol.moduleSize)},
    {Gs1Mode, u"[GS1_MODE]", "symbol.gs1", Flag, FIELD(symbol.gs1)},
}};
// clang-format on

#undef FIELD

// styleKey() finds a field's key by its place in the table.
constexpr bool inFieldOrder()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (static_cast<std::size_t>(kKeys[i].field) != i)
            return false;
    }
    return true;
}
static_assert(inFieldOrder());

// The 44 keys every style file holds; the matrix options follow them.
constexpr std::size_t kBaseKeyCount = 44;

const StyleKey* anyKey(QStringView name)
{
    const auto it =
        std::find_if(kKeys.begin(), kKeys.end(), [name](const StyleKey& key) { return name == key.name; });
    return it == kKeys.end() ? nullptr : &*it;
}

constexpr QStringView kDispKey = u"[DISP_KEY]";
constexpr QStringView kWindowWidth = u"[WINDOW_WIDTH]";
constexpr QStringView kWindowHeight = u"[WINDOW_HEIGHT]";
constexpr QStringView kWindowTop = u"[WINDOW_TOP]";
constexpr QStringView kWindowLeft = u"[WINDOW_LEFT]";
constexpr QStringView kImageFile = u"[IMAGEFILE]";

// A line break inside a value would split its line in two.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

std::int32_t readInteger(QStringView value, const QString& fileName, int line)
{
    const auto number = readInteger32(value);
    if (!number)
        throw ConversionError(ConversionError::Expected::Integer, value, fileName, line);
    return *number;
}

std::int32_t chosenIndex(const StyleKey& key, std::int32_t index)
{
    switch (key.choices) {
    case StyleChoices::List:
        return index >= 0 && index < key.items ? index : -1;
    case StyleChoices::Radio:
        return index < -1 ? -1 : std::min(index, key.items - 1);
    case StyleChoices::None:
        break;
    }
    return index;
}

// The field a key fills, for reading only.
StyleFieldRef readOnly(const LabelStyle& style, const StyleKey& key)
{
    return key.ref(const_cast<LabelStyle&>(style));
}

StyleValue keyValue(const LabelStyle& style, const StyleKey& key)
{
    return std::visit(
        [&key](auto* field) -> StyleValue {
            using T = std::remove_cvref_t<decltype(*field)>;
            if constexpr (std::is_same_v<T, bool>)
                return *field != key.inverted;
            else if constexpr (std::is_same_v<T, std::optional<bool>>)
                return std::int32_t{!field->has_value() ? -1 : (**field != key.inverted ? 1 : 0)};
            else if constexpr (std::is_same_v<T, std::optional<TBarTypes>>)
                return std::int32_t{field->has_value() ? static_cast<std::int32_t>(**field) : -1};
            else
                return *field;
        },
        readOnly(style, key));
}

bool setKeyValue(LabelStyle& style, const StyleKey& key, const StyleValue& value)
{
    return std::visit(
        [&key, &value](auto* field) {
            using T = std::remove_cvref_t<decltype(*field)>;
            if constexpr (std::is_same_v<T, bool>) {
                const bool* given = std::get_if<bool>(&value);
                if (given)
                    *field = *given != key.inverted;
                return given != nullptr;
            } else if constexpr (std::is_same_v<T, std::optional<bool>> ||
                                 std::is_same_v<T, std::optional<TBarTypes>> ||
                                 std::is_same_v<T, std::int32_t>) {
                const std::int32_t* given = std::get_if<std::int32_t>(&value);
                if (!given)
                    return false;
                const std::int32_t index = chosenIndex(key, *given);
                if constexpr (std::is_same_v<T, std::optional<bool>>)
                    *field = index < 0 ? std::nullopt : std::optional<bool>((index == 1) != key.inverted);
                else if constexpr (std::is_same_v<T, std::optional<TBarTypes>>)
                    *field = index < 0 ? std::nullopt : std::optional(static_cast<TBarTypes>(index));
                else
                    *field = index;
                return true;
            } else {
                const T* given = std::get_if<T>(&value);
                if (given)
                    *field = *given;
                return given != nullptr;
            }
        },
        key.ref(style));
}

QString valueText(const LabelStyle& style, const StyleKey& key)
{
    return std::visit(
        [](const auto& value) -> QString {
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Extended>)
                return FormattedText(NumberFormat{}, value).text;
            else if constexpr (std::is_same_v<T, bool>)
                return value ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_same_v<T, TColor>)
                return QString::number(static_cast<std::int32_t>(value));
            else if constexpr (std::is_same_v<T, std::int32_t>)
                return QString::number(value);
            else
                return oneLine(value);
        },
        keyValue(style, key));
}

void applyValue(LabelStyle& style, const StyleKey& key, QStringView value, const QString& fileName, int line)
{
    switch (key.kind) {
    case StyleKind::Length:
    case StyleKind::Count: {
        const auto fixed = readFixed4(value);
        if (!fixed)
            throw ConversionError(ConversionError::Expected::Decimal, value, fileName, line);
        setKeyValue(style, key, static_cast<Extended>(*fixed) / 10000);
        return;
    }
    case StyleKind::Index:
        setKeyValue(style, key, readInteger(value, fileName, line));
        return;
    case StyleKind::Flag:
        setKeyValue(style, key, readInteger(value, fileName, line) == 1);
        return;
    case StyleKind::Colour:
        setKeyValue(style, key, static_cast<TColor>(readInteger(value, fileName, line)));
        return;
    case StyleKind::Text:
        setKeyValue(style, key, value.toString());
        return;
    }
}

} // namespace

std::span<const StyleKey> styleKeys()
{
    return kKeys;
}

const StyleKey& styleKey(StyleField field)
{
    return kKeys[static_cast<std::size_t>(field)];
}

StyleValue styleValue(const LabelStyle& style, StyleField field)
{
    return keyValue(style, styleKey(field));
}

bool setStyleValue(LabelStyle& style, StyleField field, const StyleValue& value)
{
    return setKeyValue(style, styleKey(field), value);
}

std::span<const StyleKey> matrixStyleKeys()
{
    return std::span<const StyleKey>(kKeys).subspan(kBaseKeyCount);
}

bool storesMatrixKeys(const LabelStyle& style)
{
    // QR, DATAMATRIX, PDF417, GS1-128: a style of the twelve writes as it always did.
    return style.symbol.symbology && *style.symbol.symbology >= cbarQR &&
           *style.symbol.symbology <= cbarGS1_128;
}

const StyleKey* findStyleKey(QStringView name)
{
    return anyKey(name);
}

QStringList styleFileLines(const LabelStyle& style)
{
    QStringList lines;
    lines.reserve(2 + static_cast<qsizetype>(kKeys.size()));
    lines.append(QStringLiteral("[Version]=1.00"));
    lines.append(kDispKey.toString() + u'=' + QString::number(style.displayKey));
    const std::size_t count = storesMatrixKeys(style) ? kKeys.size() : kBaseKeyCount;
    for (std::size_t i = 0; i < count; ++i)
        lines.append(QStringView(kKeys[i].name).toString() + u'=' + valueText(style, kKeys[i]));
    return lines;
}

void WriteStyleFile(const QString& path, const LabelStyle& style)
{
    writeTextLines(path, styleFileLines(style));
}

namespace {

bool isStyleKey(QStringView name)
{
    return anyKey(name) != nullptr || name == kDispKey || name == kWindowWidth || name == kWindowHeight ||
           name == kWindowTop || name == kWindowLeft || name == kImageFile;
}

} // namespace

QStringList readStyleFile(const QString& path)
{
    QStringList lines = readTextLines(path);
    // Any other file would be "applied" as a style that changes nothing, and print
    // as if it were one.
    const bool style = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        const qsizetype equals = line.indexOf(u'=');
        return equals > 0 && isStyleKey(QStringView(line).first(equals));
    });
    if (!style)
        throw Error(QStringLiteral("スタイルファイルではありません: ") + path);
    return lines;
}

void applyStyleLines(const QStringList& lines, LabelStyle& style, StyleFileExtras& extras,
                     const QString& fileName)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView text = lines[i];
        const qsizetype equals = text.indexOf(u'=');
        if (equals <= 0)
            continue; // no key
        const QStringView name = text.first(equals);
        const QStringView value = text.sliced(equals + 1);
        const int line = static_cast<int>(std::min<qsizetype>(i + 1, INT_MAX));

        if (const StyleKey* key = anyKey(name)) {
            applyValue(style, *key, value, fileName, line);
            continue;
        }
        if (name == kDispKey)
            style.displayKey = readInteger(value, fileName, line);
        else if (name == kWindowWidth)
            extras.windowWidth = readInteger(value, fileName, line);
        else if (name == kWindowHeight)
            extras.windowHeight = readInteger(value, fileName, line);
        else if (name == kWindowTop)
            extras.windowTop = readInteger(value, fileName, line);
        else if (name == kWindowLeft)
            extras.windowLeft = readInteger(value, fileName, line);
        else if (name == kImageFile)
            extras.imageFile = value.toString();
    }
}

} // namespace korbena
