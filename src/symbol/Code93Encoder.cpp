// CODE-93 (AIM USS Code 93): the 43 data characters, the four shift characters
// written as escapes, the C and K check characters.
#include "symbol/Encoders.h"

#include <array>
#include <string_view>
#include <vector>

namespace korbena {

namespace {

// The data characters in value order (0 .. 42); the four shift characters ($), (%),
// (/), (+) follow as values 43 .. 46 and have no typed form.
constexpr std::string_view kDataCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::string_view kShiftEscapes = "$%/+"; // "<$>" is 43, "<%>" 44, "</>" 45, "<+>" 46
constexpr std::size_t kShiftBase = 43;
constexpr std::size_t kValueCount = 47;

// AIM USS Code 93, table 1 (character set): bar, space, bar, space, bar, space
// widths in modules for the values 0 .. 46.
constexpr std::array<std::string_view, kValueCount> kWidths = {
    "131112", "111213", "111312", "111411", "121113", //  0 ..  4: 0 1 2 3 4
    "121212", "121311", "111114", "131211", "141111", //  5 ..  9: 5 6 7 8 9
    "211113", "211212", "211311", "221112", "221211", // 10 .. 14: A B C D E
    "231111", "112113", "112212", "112311", "122112", // 15 .. 19: F G H I J
    "132111", "111123", "111222", "111321", "121122", // 20 .. 24: K L M N O
    "131121", "212112", "212211", "211122", "211221", // 25 .. 29: P Q R S T
    "221121", "222111", "112122", "112221", "122121", // 30 .. 34: U V W X Y
    "123111", "121131", "311112", "311211", "321111", // 35 .. 39: Z - . space $
    "112131", "113121", "211131", "121221", "312111", // 40 .. 44: / + % ($) (%)
    "311121", "122211",                               // 45 .. 46: (/) (+)
};
static_assert(kDataCharacters.size() == kShiftBase, "43 data characters");
static_assert(kShiftEscapes.size() == kValueCount - kShiftBase, "four shift characters");

// Start and stop character "111141"; the stop is followed by the termination bar.
constexpr std::string_view kStartWidths = "111141";
constexpr std::string_view kStopWidths = "1111411";

constexpr int moduleCount(std::string_view widths)
{
    int sum = 0;
    for (const char w : widths)
        sum += w - '0';
    return sum;
}

// Every character is 9 modules of three bars and three spaces, each 1 to 4 wide.
constexpr bool tableIsWellFormed()
{
    for (const std::string_view w : kWidths) {
        if (w.size() != 6 || moduleCount(w) != 9)
            return false;
        for (const char c : w) {
            if (c < '1' || c > '4')
                return false;
        }
    }
    for (std::size_t i = 0; i < kWidths.size(); ++i) {
        if (kWidths[i] == kStartWidths)
            return false;
        for (std::size_t j = i + 1; j < kWidths.size(); ++j) {
            if (kWidths[i] == kWidths[j])
                return false;
        }
    }
    return moduleCount(kStartWidths) == 9 && moduleCount(kStopWidths) == 10;
}
static_assert(tableIsWellFormed(), "CODE-93 characters are 9 modules, all distinct");

// In the digit form of ElementPattern: a bar of w modules is 2w - 1, a space 2w - 2.
struct Elements
{
    std::array<char, 7> digits{};
    std::size_t size = 0;

    [[nodiscard]] constexpr std::string_view view() const { return {digits.data(), size}; }
};

constexpr Elements toElements(std::string_view widths)
{
    Elements e;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int w = widths[i] - '0';
        e.digits[i] = static_cast<char>('0' + (i % 2 == 0 ? 2 * w - 1 : 2 * w - 2));
    }
    e.size = widths.size();
    return e;
}

constexpr std::array<Elements, kValueCount> makeElements()
{
    std::array<Elements, kValueCount> out{};
    for (std::size_t v = 0; v < kValueCount; ++v)
        out[v] = toElements(kWidths[v]);
    return out;
}

constexpr std::array<Elements, kValueCount> kElements = makeElements();
constexpr Elements kStartElements = toElements(kStartWidths);
constexpr Elements kStopElements = toElements(kStopWidths);

// The element digit forms of this symbology.
static_assert(kElements[0].view() == "141012");
static_assert(kElements[10].view() == "301014");
static_assert(kElements[42].view() == "301050");
static_assert(kElements[43].view() == "121230");
static_assert(kElements[44].view() == "503010");
static_assert(kElements[45].view() == "501030");
static_assert(kElements[46].view() == "123210");
static_assert(kStartElements.view() == "101070");
static_assert(kStopElements.view() == "1010701");

void appendElements(ElementPattern& pattern, const Elements& e)
{
    for (std::size_t i = 0; i < e.size; ++i)
        pattern.append(QLatin1Char(e.digits[i]));
}

int dataValue(QChar c)
{
    if (c.unicode() > 0x7f)
        return -1;
    const std::size_t at = kDataCharacters.find(static_cast<char>(c.unicode()));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int shiftValue(QChar c)
{
    if (c.unicode() > 0x7f)
        return -1;
    const std::size_t at = kShiftEscapes.find(static_cast<char>(c.unicode()));
    return at == std::string_view::npos ? -1 : static_cast<int>(kShiftBase + at);
}

// A check character as WorkSymbol writes it: the character, or the shift's escape.
QString written(int value)
{
    const auto v = static_cast<std::size_t>(value);
    if (v < kShiftBase)
        return {QLatin1Char(kDataCharacters[v])};
    const char escape[] = {'<', kShiftEscapes[v - kShiftBase], '>'};
    return QString::fromLatin1(escape, 3);
}

} // namespace

// CD has no effect: CODE-93 always carries both check characters.
Encoding encodeCode93(const QString& code, const EncodeOptions& /*options*/)
{
    Encoding result;
    // The component never encodes an empty Code; the pure function rejects it too.
    if (code.isEmpty())
        return result;

    // 1. The symbol values: data characters as typed, "<$>" "<%>" "</>" "<+>" as shifts.
    std::vector<int> values;
    values.reserve(static_cast<std::size_t>(code.size()));
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        if (c == u'<') {
            if (i + 2 >= n || code[i + 2] != u'>')
                return result;
            const int shift = shiftValue(code[i + 1]);
            if (shift < 0)
                return result;
            values.push_back(shift);
            i += 2;
            continue;
        }
        const int value = dataValue(c);
        if (value < 0)
            return result;
        values.push_back(value);
    }

    // 2. to 4. C: weights 1 .. 20 from the right; K: weights 1 .. 15 from the right
    // over the symbols with C appended.
    int c = 0;
    int k = 0;
    const std::size_t count = values.size();
    for (std::size_t p = 1; p <= count; ++p) {
        const int v = values[count - p];
        c = (c + v * static_cast<int>((p - 1) % 20 + 1)) % 47;
        k = (k + v * static_cast<int>(p % 15 + 1)) % 47;
    }
    k = (k + c) % 47;

    // 5. Start, symbols, C, K, stop with the termination bar.
    ElementPattern& pattern = result.pattern;
    pattern.reserve(6 * (static_cast<qsizetype>(count) + 3) + 7);
    appendElements(pattern, kStartElements);
    for (const int v : values)
        appendElements(pattern, kElements[static_cast<std::size_t>(v)]);
    appendElements(pattern, kElements[static_cast<std::size_t>(c)]);
    appendElements(pattern, kElements[static_cast<std::size_t>(k)]);
    appendElements(pattern, kStopElements);

    // 6. The texts: the code as typed with both check characters, in parentheses.
    result.workSymbol = QLatin1Char('(') + code + written(c) + written(k) + QLatin1Char(')');
    result.symbol = result.workSymbol;
    result.cdn = k * 100 + c;
    return result;
}

} // namespace korbena
