#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string_view>

namespace korbena {

namespace {

// Pattern digits of the customer barcode are bar masks, one per module column:
// 4 the upper third, 2 the middle third, 1 the lower third of the bar area.
// long 7, ascender 6 (upper two thirds), descender 3 (lower two thirds), timing 2.

// Japan Post customer barcode manual (カスタマバーコード), character table: three
// bars per character, each written as its mask and the one-module gap after it.
// Values 0..9 the digits, 10 the hyphen, 11..18 the control codes 1..8.
constexpr std::array<std::string_view, 19> kCharacters = {
    "702020", // 0  long, timing, timing
    "707020", // 1  long, long, timing
    "703060", // 2  long, descender, ascender
    "307060", // 3  descender, long, ascender
    "706030", // 4  long, ascender, descender
    "702070", // 5  long, timing, long
    "306070", // 6  descender, ascender, long
    "607030", // 7  ascender, long, descender
    "603070", // 8  ascender, descender, long
    "207070", // 9  timing, long, long
    "207020", // -  timing, long, timing
    "306020", // control code 1: descender, ascender, timing
    "302060", // control code 2: descender, timing, ascender
    "603020", // control code 3: ascender, descender, timing
    "203060", // control code 4: timing, descender, ascender (the fill character)
    "602030", // control code 5: ascender, timing, descender
    "206030", // control code 6: timing, ascender, descender
    "202070", // control code 7: timing, timing, long
    "707070", // control code 8: long, long, long
};

// The start (long, descender) and stop (descender, long) bars, with the empty
// column before the first bar and after the last.
constexpr std::string_view kStart = "007030";
constexpr std::string_view kStop = "307000";

// What the human-readable text shows for a check value: the digit or the hyphen,
// a space for a control code.
constexpr std::string_view kCheckDisplay = "0123456789-        ";
static_assert(kCheckDisplay.size() == kCharacters.size(), "one display character per value");

constexpr int kHyphen = 10;
constexpr int kFirstLetterCode = 11; // control codes 1..3 carry the letters A..Z
constexpr int kFill = 14;            // control code 4
constexpr int kDataCharacters = 20;

constexpr bool isMask(char c)
{
    return c == '7' || c == '6' || c == '3' || c == '2';
}

// Each character is three bars of the four states with a gap after each, and no
// two characters are alike.
constexpr bool charactersAreWellFormed()
{
    for (std::size_t i = 0; i < kCharacters.size(); ++i) {
        const std::string_view entry = kCharacters[i];
        if (entry.size() != 6)
            return false;
        for (std::size_t k = 0; k < 6; k += 2) {
            if (!isMask(entry[k]) || entry[k + 1] != '0')
                return false;
        }
        for (std::size_t j = i + 1; j < kCharacters.size(); ++j) {
            if (entry == kCharacters[j])
                return false;
        }
    }
    return true;
}
static_assert(charactersAreWellFormed(), "customer characters: three 4-state bars each, all distinct");

} // namespace

Encoding encodeCustomer(const QString& code, const EncodeOptions& /*options: no settings apply*/)
{
    Encoding result;
    // An empty code has nothing to address; the component never asks for it.
    if (code.isEmpty())
        return result;

    // The address field is 20 characters; a short one is filled with spaces.
    QString text = code;
    if (text.size() < kDataCharacters)
        text.append(QString(kDataCharacters - text.size(), u' '));

    std::array<int, kDataCharacters> values{};
    int count = 0;
    for (qsizetype i = 0; i < kDataCharacters && count < kDataCharacters; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u' ') {
            values[count++] = kFill;
        } else if (c == u'-') {
            values[count++] = kHyphen;
        } else if (isAsciiDigit(c)) {
            values[count++] = c - u'0';
        } else if (c >= u'A' && c <= u'Z') {
            // A letter takes two characters; with room for one only, the fill stands in.
            if (kDataCharacters - count >= 2) {
                values[count++] = kFirstLetterCode + (c - u'A') / 10;
                values[count++] = (c - u'A') % 10;
            } else {
                values[count++] = kFill;
            }
        }
        // Anything else has no customer barcode character and is left out.
    }

    // Modulo 19: the check value brings the sum of all values to a multiple of 19.
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += values[static_cast<std::size_t>(i)];
    const int check = (19 - sum % 19) % 19;

    ElementPattern& p = result.pattern;
    p.reserve(static_cast<qsizetype>(kStart.size() + (count + 1) * 6 + kStop.size()));
    appendElements(p, kStart);
    for (int i = 0; i < count; ++i)
        appendElements(p, kCharacters[static_cast<std::size_t>(values[static_cast<std::size_t>(i)])]);
    appendElements(p, kCharacters[static_cast<std::size_t>(check)]);
    appendElements(p, kStop);

    result.workSymbol = text + QChar(kCheckDisplay[static_cast<std::size_t>(check)]);
    result.symbol = result.workSymbol;
    result.cdn = check;
    return result;
}

int customerPatternWidth(QStringView pattern, int scale)
{
    // From the first to the last column that holds a bar, plus the empty column
    // before the first bar.
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i].unicode();
        if (isAsciiDigit(c) && ((c - u'0') & 7) != 0) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return 0;
    const std::int64_t width = static_cast<std::int64_t>(last - first + 2) * scale;
    return static_cast<int>(std::clamp<std::int64_t>(width, INT_MIN, INT_MAX));
}

} // namespace korbena
