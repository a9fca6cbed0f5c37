#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

// The 20 characters in value order: digits, six signs, and the start/stop letters,
// which may stand inside the data too.
constexpr char kAlphabet[] = "0123456789-$:/.+ABCD";
constexpr std::size_t kAlphabetSize = sizeof(kAlphabet) - 1;
constexpr auto kValues = alphabetValues(kAlphabet);
static_assert(sameAlphabet(kAlphabet, kNw7CheckTable),
              "the check value is a character's place in the alphabet");

// NW-7 (Codabar) characters: seven elements (bar, space, ..., bar; 1 narrow bar,
// 0 narrow space, 3 wide bar, 2 wide space) and the narrow gap 0, in alphabet order.
constexpr std::array<std::string_view, 20> kCharacters = {
    "10101230", "10103210", "10121030", "32101010", "10301210", //  0 ..  4
    "30101210", "12101030", "12103010", "12301010", "30121010", //  5 ..  9
    "10123010", "10321010", "30103030", "30301030", "30303010", //  '-', '$', ':', '/', '.'
    "10303030", "10321210", "12121030", "10121230", "10123210", //  '+', A, B, C, D
};
static_assert(kCharacters.size() == kAlphabetSize, "one entry per character");

// Digits and '-' '$' have two wide elements, ': / . +' three wide bars, the
// letters one wide bar and two wide spaces (three wide elements).
constexpr bool charactersAreWellFormed()
{
    for (std::size_t i = 0; i < kCharacters.size(); ++i) {
        const std::string_view entry = kCharacters[i];
        const int wide = wideCount(entry);
        if (entry.size() != 8 || entry.back() != '0' || !alternatesFromBar(entry, '3') ||
            wide != (i < 12 ? 2 : 3))
            return false;
        for (std::size_t j = i + 1; j < kCharacters.size(); ++j) {
            if (entry == kCharacters[j])
                return false;
        }
    }
    return true;
}
static_assert(charactersAreWellFormed(), "NW-7 characters: 7 elements and the gap, all distinct");

// Start and stop are A to D; anything else stands for A, as the component stores it.
int startStopValue(QChar c)
{
    const int value = lookUp(kValues, c);
    return value >= 16 ? value : 16;
}

} // namespace

Encoding encodeNw7(const QString& code, const EncodeOptions& options)
{
    Encoding result;
    if (code.isEmpty())
        return result;

    const int start = startStopValue(options.startChar);
    const int stop = startStopValue(options.stopChar);
    ElementPattern& p = result.pattern;
    p.reserve((code.size() + 3) * 8);
    appendElements(p, kCharacters[static_cast<std::size_t>(start)]);
    for (const QChar c : code) {
        const int value = lookUp(kValues, c);
        if (value < 0) {
            p.clear();
            return result;
        }
        appendElements(p, kCharacters[static_cast<std::size_t>(value)]);
    }
    // Modulo 16 over start, data and stop: the check value brings the sum up to a
    // multiple of 16, so it is always one of the sixteen digits and signs.
    QString check;
    if (options.cd) {
        result.cdn = Modulus16NW7Value(QChar(kAlphabet[start]) + code + QChar(kAlphabet[stop]));
        check = QChar(kAlphabet[result.cdn]);
        appendElements(p, kCharacters[static_cast<std::size_t>(result.cdn)]);
    }
    appendElements(p, kCharacters[static_cast<std::size_t>(stop)]);

    result.workSymbol = QChar(kAlphabet[start]) + code + check + QChar(kAlphabet[stop]);
    result.symbol = result.workSymbol;
    return result;
}

} // namespace korbena
