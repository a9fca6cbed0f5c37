// CODE-128 (ISO/IEC 15417): the input syntax with its escapes, the symbol loop with
// SHIFT and code-set switches, the automatic segmentation and the modulo-103 check
// character.
#include "platform/DecimalText.h"
#include "symbol/Code128Tables.h"
#include "symbol/Encoders.h"

#include <QStringView>

#include <array>
#include <vector>

namespace korbena {

namespace {

using code128::CodeSet;
using code128::kSymbols;

// --- element patterns in the digit form of ElementPattern ---

struct Elements
{
    std::array<char, 7> digits{};
    std::size_t size = 0;

    [[nodiscard]] constexpr std::string_view view() const { return {digits.data(), size}; }
};

constexpr Elements toElements(std::string_view widths)
{
    Elements e;
    for (std::size_t i = 0; i < widths.size(); ++i)
        e.digits[i] = code128::elementDigit(i, widths[i]);
    e.size = widths.size();
    return e;
}

constexpr std::array<Elements, code128::kSymbolCount> makeSymbolElements()
{
    std::array<Elements, code128::kSymbolCount> out{};
    for (std::size_t v = 0; v < out.size(); ++v)
        out[v] = toElements(kSymbols[v].widths);
    return out;
}

constexpr std::array<Elements, code128::kSymbolCount> kSymbolElements = makeSymbolElements();
constexpr std::array<Elements, 3> kStartElements = {toElements(code128::kStartWidths[0]),
                                                    toElements(code128::kStartWidths[1]),
                                                    toElements(code128::kStartWidths[2])};
constexpr Elements kStopElements = toElements(code128::kStopWidths);

// The element digit forms of this symbology.
static_assert(kSymbolElements[0].view() == "303232");
static_assert(kSymbolElements[1].view() == "323032");
static_assert(kSymbolElements[102].view() == "701050");
static_assert(kStartElements[0].view() == "301612");
static_assert(kStartElements[1].view() == "301216");
static_assert(kStartElements[2].view() == "301252");
static_assert(kStopElements.view() == "3450103");

void appendElements(ElementPattern& pattern, const Elements& e)
{
    for (std::size_t i = 0; i < e.size; ++i)
        pattern.append(QLatin1Char(e.digits[i]));
}

// --- small text helpers ---

bool isLowerLetter(QChar c)
{
    return c >= u'a' && c <= u'z';
}

bool containsLowerLetter(QStringView text)
{
    for (const QChar c : text) {
        if (isLowerLetter(c))
            return true;
    }
    return false;
}

bool equalsAscii(QStringView text, std::string_view ascii)
{
    if (text.size() != static_cast<qsizetype>(ascii.size()))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() != static_cast<char16_t>(static_cast<unsigned char>(ascii[i])))
            return false;
    }
    return true;
}

QLatin1StringView latin1(std::string_view ascii)
{
    return {ascii.data(), static_cast<qsizetype>(ascii.size())};
}

QChar setLetter(CodeSet set)
{
    switch (set) {
    case CodeSet::A:
        return u'A';
    case CodeSet::B:
        return u'B';
    case CodeSet::C:
        break;
    }
    return u'C';
}

// The switch escapes (automatic segmentation and Symbol), upper case only.
constexpr std::array<std::string_view, 4> kSwitchEscapes = {"<SHIFT>", "<CODEA>", "<CODEB>", "<CODEC>"};

// --- lookup and tokens ---

// The value of the first row whose name in the set's column equals the token;
// -1 when none does (an empty token never matches).
int lookup(CodeSet set, QStringView token)
{
    if (token.isEmpty())
        return -1;
    for (std::size_t v = 0; v < kSymbols.size(); ++v) {
        if (equalsAscii(token, code128::nameIn(set, kSymbols[v])))
            return static_cast<int>(v);
    }
    return -1;
}

// Reads the next token of the consumed string at `pos` in the current set and
// advances `pos` past it (see the input syntax above). The token is a view into the
// string or, for a named escape with lower-case letters, into `folded`.
QStringView nextToken(QStringView s, qsizetype& pos, CodeSet set, QString& folded)
{
    const qsizetype n = s.size();
    const QChar c = s[pos];
    if (c == u'<' && pos + 1 < n) {
        if (s[pos + 1] == u'<') { // "<<": the character "<"
            pos += 2;
            return s.mid(pos - 1, 1);
        }
        // A named escape up to the next ">" or the end of the string.
        const qsizetype nameStart = pos + 1;
        qsizetype close = s.indexOf(u'>', nameStart);
        const qsizetype nameEnd = close < 0 ? n : close;
        pos = close < 0 ? n : close + 1;
        const QStringView name = s.mid(nameStart, nameEnd - nameStart);
        if (!containsLowerLetter(name))
            return name;
        folded.resize(name.size());
        for (qsizetype i = 0; i < name.size(); ++i) {
            const QChar ch = name[i];
            folded[i] = isLowerLetter(ch) ? QChar(ch.unicode() - u'a' + u'A') : ch;
        }
        return folded;
    }
    if (c == u'>') {
        // ">" with a character: that character literally; at the end: an empty name.
        if (pos + 1 < n) {
            pos += 2;
            return s.mid(pos - 1, 1);
        }
        pos = n;
        return {};
    }
    // Any other character (and a "<" that ends the string): alone in sets A and B,
    // with the following character in set C.
    const qsizetype length = (set == CodeSet::C && pos + 1 < n) ? 2 : 1;
    pos += length;
    return s.mid(pos - length, length);
}

// The written form of the check character in WorkSymbol.
QString writtenCheck(CodeSet set, int value)
{
    const std::string_view name = code128::nameIn(set, kSymbols[static_cast<std::size_t>(value)]);
    if (name == "<")
        return QStringLiteral("<<");
    if (name == ">")
        return QStringLiteral(">>");
    const std::size_t escapeFrom = set == CodeSet::C ? 3 : 2;
    if (name.size() >= escapeFrom)
        return QLatin1Char('<') + latin1(name) + QLatin1Char('>');
    return latin1(name);
}

// --- automatic segmentation ---

struct Split
{
    qsizetype digitStart = 0;
    qsizetype digitLength = 0;
    qsizetype restStart = 0;
    qsizetype restLength = 0;

    [[nodiscard]] qsizetype end() const { return restStart + restLength; }
};

// "<FNC" d ">" with d one of 1 to 4, upper case only.
bool isFunctionEscapeAt(QStringView code, qsizetype i)
{
    return i >= 0 && i + 6 <= code.size() && code[i] == u'<' && code[i + 1] == u'F' && code[i + 2] == u'N' &&
           code[i + 3] == u'C' && code[i + 4] >= u'1' && code[i + 4] <= u'4' && code[i + 5] == u'>';
}

qsizetype findFunctionEscape(QStringView code, qsizetype from)
{
    for (qsizetype i = from; i + 6 <= code.size(); ++i) {
        if (isFunctionEscapeAt(code, i))
            return i;
    }
    return -1;
}

// All splits of the code from the first position to the end ("Split at
// position p"). `escape` tracks the first function escape at or after the start of
// the rest part; the start only grows, so one forward scan serves every split.
std::vector<Split> splitCode(QStringView code)
{
    std::vector<Split> splits;
    const qsizetype n = code.size();
    qsizetype escape = findFunctionEscape(code, 0);
    qsizetype p = 0;
    while (p < n) {
        Split s;
        s.digitStart = p;
        qsizetype i = p;
        while (i < n && isAsciiDigit(code[i]))
            ++i;
        s.digitLength = i - p;
        while (i < n && !isAsciiDigit(code[i]))
            ++i;
        s.restStart = p + s.digitLength;
        s.restLength = i - s.restStart;
        // A single digit, or the last of an odd run, goes to the front of the rest part.
        if (s.digitLength % 2 == 1) {
            --s.digitLength;
            --s.restStart;
            ++s.restLength;
        }
        // The <FNC> look-ahead: an escape that begins inside the rest part had its
        // digit end the run; its digit and ">" belong to the rest part.
        while (escape >= 0 && escape < s.restStart)
            escape = findFunctionEscape(code, escape + 1);
        if (escape >= 0 && escape < s.end())
            s.restLength += 2;
        splits.push_back(s);
        p = s.end();
    }
    return splits;
}

struct Part
{
    QStringView text;
    CodeSet set;
};

CodeSet restSet(QStringView rest)
{
    return containsLowerLetter(rest) ? CodeSet::B : CodeSet::A;
}

std::vector<Part> segmentParts(QStringView code, const std::vector<Split>& splits)
{
    std::vector<Part> parts;
    parts.reserve(splits.size() * 2);
    for (std::size_t k = 0; k < splits.size(); ++k) {
        const Split& s = splits[k];
        if (s.digitLength > 0)
            parts.push_back({code.mid(s.digitStart, s.digitLength), CodeSet::C});
        if (s.restLength == 0)
            continue;
        const QStringView rest = code.mid(s.restStart, s.restLength);
        CodeSet set = restSet(rest);
        if (rest == u"<FNC1>") {
            // FNC1 alone takes the set of what follows it, or of what precedes it at the end.
            if (k + 1 < splits.size()) {
                const Split& next = splits[k + 1];
                set = next.digitLength > 0 ? CodeSet::C : restSet(code.mid(next.restStart, next.restLength));
            } else {
                set = parts.empty() ? CodeSet::A : parts.back().set;
            }
        }
        parts.push_back({rest, set});
    }
    return parts;
}

const std::string_view& switchEscapeName(CodeSet set)
{
    return kSwitchEscapes[static_cast<std::size_t>(set) + 1];
}

// The first switch escape of the code: its position (-1 if none) and which it is.
qsizetype findFirstSwitchEscape(QStringView code, std::size_t& which)
{
    qsizetype first = -1;
    for (std::size_t k = 0; k < kSwitchEscapes.size(); ++k) {
        const qsizetype at = code.indexOf(latin1(kSwitchEscapes[k]));
        if (at >= 0 && (first < 0 || at < first)) {
            first = at;
            which = k;
        }
    }
    return first;
}

// Automatic segmentation: the start letter followed by the string to consume.
QString segment(QStringView code)
{
    if (code.isEmpty())
        return {};
    const std::vector<Split> splits = splitCode(code);
    const std::vector<Part> parts = segmentParts(code, splits);

    std::size_t which = 0;
    const qsizetype switchAt = findFirstSwitchEscape(code, which);
    if (switchAt >= 0) {
        // The user has taken charge of the switching: one start letter, then the code.
        QChar letter = setLetter(parts.front().set);
        const Split& first = splits.front();
        if (first.digitLength == 0 && switchAt >= first.restStart && switchAt + 7 <= first.end()) {
            if (containsLowerLetter(code.first(switchAt)))
                letter = u'B';
            else
                letter = kSwitchEscapes[which] == "<CODEA>" ? u'B' : u'A';
        }
        return letter + code.toString();
    }

    QString out;
    out.reserve(code.size() + 8 * static_cast<qsizetype>(parts.size()) + 1);
    out.append(setLetter(parts.front().set));
    CodeSet previous = parts.front().set;
    for (const Part& part : parts) {
        if (part.set != previous)
            out.append(latin1(switchEscapeName(part.set)));
        out.append(part.text);
        previous = part.set;
    }
    return out;
}

CodeSet setOf(QChar letter)
{
    return letter == u'B' ? CodeSet::B : letter == u'C' ? CodeSet::C : CodeSet::A;
}

// Symbol: the code without the switch escapes, each removed wherever it occurs.
QString humanReadable(const QString& code)
{
    QString text = code;
    for (const std::string_view escape : kSwitchEscapes)
        text.remove(latin1(escape));
    return text;
}

} // namespace

Encoding encodeCode128(const QString& code, const EncodeOptions& options)
{
    Encoding result;

    // 1. The string to consume and the start set.
    QChar start = options.startChar;
    QString consumed;
    if (options.automatic) {
        const QString segmented = segment(code);
        if (!segmented.isEmpty()) {
            start = segmented.front();
            consumed = segmented.mid(1);
            result.startChar = start;
        }
    } else {
        consumed = code;
    }
    result.f128Code = consumed;
    if (consumed.isEmpty())
        return result;

    // 2. The start character; another letter than A, B or C is replaced by A, and stored so.
    if (start != u'A' && start != u'B' && start != u'C') {
        start = u'A';
        result.startChar = start;
    }
    CodeSet set = setOf(start);
    const auto startIndex = static_cast<std::size_t>(set);

    ElementPattern pattern;
    pattern.reserve(6 * (consumed.size() + 3) + 1);
    appendElements(pattern, kStartElements[startIndex]);
    int sum = code128::kStartValues[startIndex]; // kept modulo 103: the check is the same
    int counter = 0;
    bool shiftPending = false;
    CodeSet shiftedFrom = set;

    // 3. and 4. One symbol per token, with the set updated after each.
    QString folded;
    const QStringView s = consumed;
    qsizetype pos = 0;
    while (pos < s.size()) {
        const QStringView token = nextToken(s, pos, set, folded);
        const int value = lookup(set, token);
        if (value < 0)
            return result;
        counter = (counter + 1) % 103;
        sum = (sum + value * counter) % 103;
        appendElements(pattern, kSymbolElements[static_cast<std::size_t>(value)]);

        const std::string_view name = code128::nameIn(set, kSymbols[static_cast<std::size_t>(value)]);
        if (name == "SHIFT") {
            if (!shiftPending) {
                shiftedFrom = set;
                set = set == CodeSet::A ? CodeSet::B : CodeSet::A;
                shiftPending = true;
            }
        } else if (name == "CODEA" || name == "CODEB" || name == "CODEC") {
            set = name == "CODEA" ? CodeSet::A : name == "CODEB" ? CodeSet::B : CodeSet::C;
            shiftPending = false;
        } else if (shiftPending) {
            set = shiftedFrom;
            shiftPending = false;
        }
    }

    // 5. The check character in the set in force at the end, then the stop character.
    const int check = sum % 103;
    appendElements(pattern, kSymbolElements[static_cast<std::size_t>(check)]);
    appendElements(pattern, kStopElements);

    result.workSymbol = start + consumed + writtenCheck(set, check);
    result.symbol = humanReadable(code);
    result.cdn = check;
    result.pattern = std::move(pattern);
    return result;
}

} // namespace korbena
