#include "symbol/Encoders.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

// EAN/JAN number sets, GS1 General Specifications 5.2.1.2.1 (ISO/IEC 15420 table 1):
// one text of 7 modules per digit, '1' a bar module, '0' a space module.
// Set C is set A inverted; set B is set C reversed.
constexpr std::array<std::string_view, 10> kSetA = {
    "0001101", "0011001", "0010011", "0111101", "0100011", //  0 .. 4
    "0110001", "0101111", "0111011", "0110111", "0001011", //  5 .. 9
};
constexpr std::array<std::string_view, 10> kSetB = {
    "0100111", "0110011", "0011011", "0100001", "0011101", //  0 .. 4
    "0111001", "0000101", "0010001", "0001001", "0010111", //  5 .. 9
};
constexpr std::array<std::string_view, 10> kSetC = {
    "1110010", "1100110", "1101100", "1000010", "1011100", //  0 .. 4
    "1001110", "1010000", "1000100", "1001000", "1110100", //  5 .. 9
};

// Number set of the six left-half characters of EAN-13 by the leading digit,
// GS1 General Specifications table 5.2.1.2-2: '1' set A, '0' set B.
constexpr std::array<std::string_view, 10> kLeadingParity = {
    "111111", "110100", "110010", "110001", "101100", "100110", "100011", "101010", "101001", "100101",
};

constexpr std::string_view kStartGuard = "101";
constexpr std::string_view kCentreGuard = "01010";
// The end guard followed by one space module.
constexpr std::string_view kEndPattern = "1010";

constexpr bool setsAreConsistent()
{
    for (std::size_t d = 0; d < 10; ++d) {
        for (std::size_t m = 0; m < 7; ++m) {
            if ((kSetA[d][m] == '1') == (kSetC[d][m] == '1'))
                return false;
            if (kSetB[d][m] != kSetC[d][6 - m])
                return false;
        }
    }
    return true;
}
static_assert(setsAreConsistent(), "set C must be set A inverted and set B set C reversed");

void append(ElementPattern& pattern, std::string_view modules)
{
    for (const char c : modules)
        pattern.append(QChar(c));
}

bool allDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

Encoding encodeJan(const QString& code, const EncodeOptions& /*options: JAN always has its check digit*/)
{
    Encoding result;
    const auto length = code.size();
    if ((length != 7 && length != 12) || !allDigits(code))
        return result;

    const int check = Mod10CheckDigit(code);
    const QString full = code + QChar(u'0' + check);
    auto digit = [&full](qsizetype i) { return static_cast<std::size_t>(full[i].unicode() - u'0'); };

    ElementPattern& p = result.pattern;
    p.reserve(length == 12 ? 96 : 68);
    append(p, kStartGuard);
    if (length == 12) {
        const std::string_view parity = kLeadingParity[digit(0)];
        for (qsizetype k = 0; k < 6; ++k)
            append(p, parity[k] == '1' ? kSetA[digit(k + 1)] : kSetB[digit(k + 1)]);
        append(p, kCentreGuard);
        for (qsizetype k = 7; k < 13; ++k)
            append(p, kSetC[digit(k)]);
    } else {
        for (qsizetype k = 0; k < 4; ++k)
            append(p, kSetA[digit(k)]);
        append(p, kCentreGuard);
        for (qsizetype k = 4; k < 8; ++k)
            append(p, kSetC[digit(k)]);
    }
    append(p, kEndPattern);

    result.workSymbol = full;
    result.symbol = full;
    result.cdn = check;
    return result;
}

} // namespace korbena
