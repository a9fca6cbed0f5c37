#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

// The 43 data characters in value order; a character's value is its position.
constexpr char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::size_t kAlphabetSize = sizeof(kAlphabet) - 1;
constexpr auto kValues = alphabetValues(kAlphabet);
static_assert(sameAlphabet(kAlphabet, kCode39CheckTable),
              "the check value is a character's place in the alphabet");

// CODE-39 characters, ISO/IEC 16388 table 1: nine elements (bar, space, ..., bar;
// 1 narrow bar, 0 narrow space, 3 wide bar, 2 wide space) and the narrow
// intercharacter gap 0. Entries in alphabet order, then the start/stop character.
constexpr std::array<std::string_view, kAlphabetSize + 1> kCharacters = {
    "1012303010", "3012101030", "1032101030", "3032101010", "1012301030", //  0 ..  4
    "3012301010", "1032301010", "1012103030", "3012103010", "1032103010", //  5 ..  9
    "3010121030", "1030121030", "3030121010", "1010321030", "3010321010", //  A ..  E
    "1030321010", "1010123030", "3010123010", "1030123010", "1010323010", //  F ..  J
    "3010101230", "1030101230", "3030101210", "1010301230", "3010301210", //  K ..  O
    "1030301210", "1010103230", "3010103210", "1030103210", "1010303210", //  P ..  T
    "3210101030", "1230101030", "3230101010", "1210301030", "3210301010", //  U ..  Y
    "1230301010", "1210103030", "3210103010", "1230103010", "1212121010", //  Z, '-', '.', ' ', '$'
    "1212101210", "1210121210", "1012121210",                             //  '/', '+', '%'
    "1210303010",                                                         //  '*' start/stop
};
static_assert(kCharacters.size() == kAlphabetSize + 1, "one entry per data character plus '*'");

constexpr std::string_view kStartStop = kCharacters[kAlphabetSize];

// Every character is five bars and four spaces, three of the nine wide, and the gap.
constexpr bool charactersAreWellFormed()
{
    for (const std::string_view entry : kCharacters) {
        if (entry.size() != 10 || entry.back() != '0' || !alternatesFromBar(entry, '3') ||
            wideCount(entry) != 3)
            return false;
    }
    for (std::size_t i = 0; i < kCharacters.size(); ++i) {
        for (std::size_t j = i + 1; j < kCharacters.size(); ++j) {
            if (kCharacters[i] == kCharacters[j])
                return false;
        }
    }
    return true;
}
static_assert(charactersAreWellFormed(), "CODE-39 characters: 9 elements with 3 wide, gap, all distinct");

} // namespace

Encoding encodeCode39(const QString& code, const EncodeOptions& options)
{
    Encoding result;
    if (code.isEmpty())
        return result;

    ElementPattern& p = result.pattern;
    p.reserve((code.size() + 3) * 10);
    appendElements(p, kStartStop);
    for (const QChar c : code) {
        const int value = lookUp(kValues, c);
        if (value < 0) {
            p.clear();
            return result;
        }
        appendElements(p, kCharacters[static_cast<std::size_t>(value)]);
    }
    // The check character is the one whose value is the sum of the data values modulo 43.
    QString check;
    if (options.cd) {
        result.cdn = Modulus43Code39Value(code);
        check = QChar(kAlphabet[result.cdn]);
        appendElements(p, kCharacters[static_cast<std::size_t>(result.cdn)]);
    }
    appendElements(p, kStartStop);

    result.workSymbol = u'*' + code + check + u'*';
    result.symbol = result.workSymbol;
    return result;
}

} // namespace korbena
