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

// The style's keys in the order the file stores them, after "[Version]" and
// "[DISP_KEY]".
const std::array<StyleKey, 48> kKeys = {{
    {u"[X_LOCATE]", StyleKind::Length, &LabelStyle::X_LOCATE},
    {u"[Y_LOCATE]", StyleKind::Length, &LabelStyle::Y_LOCATE},
    {u"[SIZE_X]", StyleKind::Length, &LabelStyle::SIZE_X},
    {u"[SIZE_Y]", StyleKind::Length, &LabelStyle::SIZE_Y},
    {u"[SIZE]", StyleKind::Index, &LabelStyle::SIZE, StyleChoices::Radio, 2},
    {u"[NUM_X]", StyleKind::Count, &LabelStyle::NUM_X},
    {u"[NUM_Y]", StyleKind::Count, &LabelStyle::NUM_Y},
    {u"[INTERVAL_X]", StyleKind::Length, &LabelStyle::INTERVAL_X},
    {u"[INTERVAL_Y]", StyleKind::Length, &LabelStyle::INTERVAL_Y},
    {u"[X_OFFSET]", StyleKind::Length, &LabelStyle::X_OFFSET},
    {u"[Y_OFFSET]", StyleKind::Length, &LabelStyle::Y_OFFSET},
    // The paper list is the printer's; the paper settings check the code later.
    {u"[PAPERSIZE]", StyleKind::Index, &LabelStyle::PAPERSIZE},
    {u"[PAPERLAND]", StyleKind::Index, &LabelStyle::PAPERLAND, StyleChoices::Radio, 2},
    {u"[TITLE_X]", StyleKind::Length, &LabelStyle::TITLE_X},
    {u"[TITLE_Y]", StyleKind::Length, &LabelStyle::TITLE_Y},
    {u"[TITLE_FONT_NAME]", StyleKind::Text, &LabelStyle::TITLE_FONT_NAME},
    {u"[TITLE_FONT_BOLD]", StyleKind::Text, &LabelStyle::TITLE_FONT_BOLD},
    {u"[TITLE_FONT_SIZE]", StyleKind::Text, &LabelStyle::TITLE_FONT_SIZE},
    {u"[TITLE_FONT_COLOE]", StyleKind::Colour, &LabelStyle::TITLE_FONT_COLOE},
    {u"[G_TITLE_X]", StyleKind::Length, &LabelStyle::G_TITLE_X},
    {u"[G_TITLE_Y]", StyleKind::Length, &LabelStyle::G_TITLE_Y},
    {u"[G_TITLE_COLOR]", StyleKind::Colour, &LabelStyle::G_TITLE_COLOR},
    {u"[TITLE_INTERVAL]", StyleKind::Length, &LabelStyle::TITLE_INTERVAL},
    {u"[TITLE_PORTLATE]", StyleKind::Index, &LabelStyle::TITLE_PORTLATE, StyleChoices::Radio, 2},
    {u"[SUB_Y]", StyleKind::Length, &LabelStyle::SUB_Y},
    {u"[TITLE_PRINT]", StyleKind::Flag, &LabelStyle::TITLE_PRINT},
    {u"[TITLE_CENTER]", StyleKind::Flag, &LabelStyle::TITLE_CENTER},
    {u"[BARCODE_X]", StyleKind::Length, &LabelStyle::BARCODE_X},
    {u"[BARCODE_Y]", StyleKind::Length, &LabelStyle::BARCODE_Y},
    {u"[BARCODE_FONT_NAME]", StyleKind::Text, &LabelStyle::BARCODE_FONT_NAME},
    {u"[BARCODE_FONT_BOLD]", StyleKind::Text, &LabelStyle::BARCODE_FONT_BOLD},
    {u"[BARCODE_FONT_SIZE]", StyleKind::Text, &LabelStyle::BARCODE_FONT_SIZE},
    {u"[BARCODE_FONT_COLOR]", StyleKind::Colour, &LabelStyle::BARCODE_FONT_COLOR},
    {u"[G_BARCODE_X]", StyleKind::Length, &LabelStyle::G_BARCODE_X},
    {u"[G_BARCODE_Y]", StyleKind::Length, &LabelStyle::G_BARCODE_Y},
    {u"[G_BARCODE_COLOR]", StyleKind::Colour, &LabelStyle::G_BARCODE_COLOR},
    {u"[BARCODE_INTERVAL]", StyleKind::Length, &LabelStyle::BARCODE_INTERVAL},
    {u"[BARCODE_PORTLATE]", StyleKind::Index, &LabelStyle::BARCODE_PORTLATE, StyleChoices::Radio, 2},
    {u"[BARCODE_PRINT]", StyleKind::Flag, &LabelStyle::BARCODE_PRINT},
    {u"[BARCODE_CENTER]", StyleKind::Flag, &LabelStyle::BARCODE_CENTER},
    {u"[BARCODE_TYPE]", StyleKind::Index, &LabelStyle::BARCODE_TYPE, StyleChoices::List, 16},
    {u"[START_CHAR]", StyleKind::Text, &LabelStyle::START_CHAR},
    {u"[STOP_CHAR]", StyleKind::Text, &LabelStyle::STOP_CHAR},
    {u"[CHECK_DT]", StyleKind::Index, &LabelStyle::CHECK_DT, StyleChoices::Radio, 2},
    // The two-dimensional symbols' options, stored only by styles that use them.
    {u"[QR_ECC]", StyleKind::Index, &LabelStyle::QR_ECC, StyleChoices::List, 4},
    {u"[DM_SHAPE]", StyleKind::Index, &LabelStyle::DM_SHAPE, StyleChoices::Radio, 2},
    {u"[MODULE_SIZE]", StyleKind::Length, &LabelStyle::MODULE_SIZE},
    {u"[GS1_MODE]", StyleKind::Flag, &LabelStyle::GS1_MODE},
}};

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

QString valueText(const LabelStyle& style, const StyleKey& key)
{
    return std::visit(
        [&](auto member) -> QString {
            using T = std::remove_cvref_t<decltype(style.*member)>;
            const T& value = style.*member;
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
        key.field);
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

void applyValue(LabelStyle& style, const StyleKey& key, QStringView value, const QString& fileName, int line)
{
    switch (key.kind) {
    case StyleKind::Length:
    case StyleKind::Count: {
        const auto fixed = readFixed4(value);
        if (!fixed)
            throw ConversionError(ConversionError::Expected::Decimal, value, fileName, line);
        style.*std::get<Extended LabelStyle::*>(key.field) = static_cast<Extended>(*fixed) / 10000;
        return;
    }
    case StyleKind::Index:
        style.*std::get<std::int32_t LabelStyle::*>(key.field) =
            chosenIndex(key, readInteger(value, fileName, line));
        return;
    case StyleKind::Flag:
        style.*std::get<bool LabelStyle::*>(key.field) = readInteger(value, fileName, line) == 1;
        return;
    case StyleKind::Colour:
        style.*std::get<TColor LabelStyle::*>(key.field) =
            static_cast<TColor>(readInteger(value, fileName, line));
        return;
    case StyleKind::Text:
        style.*std::get<QString LabelStyle::*>(key.field) = value.toString();
        return;
    }
}

} // namespace

std::span<const StyleKey> styleKeys()
{
    return kKeys;
}

std::span<const StyleKey> matrixStyleKeys()
{
    return std::span<const StyleKey>(kKeys).subspan(kBaseKeyCount);
}

bool storesMatrixKeys(const LabelStyle& style)
{
    // QR, DATAMATRIX, PDF417, GS1-128: a style of the twelve writes as it always did.
    return style.BARCODE_TYPE >= 12 && style.BARCODE_TYPE <= 15;
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
    lines.append(kDispKey.toString() + u'=' + QString::number(style.DISP_KEY));
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
            style.DISP_KEY = readInteger(value, fileName, line);
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
