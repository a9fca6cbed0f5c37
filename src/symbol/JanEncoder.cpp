#include "symbol/Encoders.h"
#include "symbol/UpcTables.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

using upc::kCentreGuard;
using upc::kSetA;
using upc::kSetB;
using upc::kSetC;
using upc::kStartGuard;

// Number set of the six left-half characters of EAN-13 by the leading digit,
// GS1 General Specifications table 5.2.1.2-2: '1' set A, '0' set B.
constexpr std::array<std::string_view, 10> kLeadingParity = {
    "111111", "110100", "110010", "110001", "101100", "100110", "100011", "101010", "101001", "100101",
};

// The end guard followed by one space module.
constexpr std::string_view kEndPattern = upc::kUpcAEnd;

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

Encoding encodeJan(const QString& code, const EncodeOptions& options)
{
    Encoding result;
    const auto length = code.size();
    // A full number, check digit included, gives the symbol of its data when the check
    // digit is the right one.
    if (length == 13 || length == 8) {
        const std::optional<int> check = fullNumberCheckDigit(cbarJAN, code);
        if (check && code.back() == QChar(u'0' + *check))
            return encodeJan(code.left(length - 1), options);
        return result;
    }
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
