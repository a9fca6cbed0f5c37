#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"
#include "symbol/UpcTables.h"

namespace korbena {

namespace {

constexpr qsizetype kUpcALength = 11;
constexpr qsizetype kUpcELength = 7;
constexpr qsizetype kUpcAModules = 96;
constexpr qsizetype kUpcEModules = 52;

bool isDigitIn(QChar c, char low, char high)
{
    return c.unicode() >= static_cast<char16_t>(low) && c.unicode() <= static_cast<char16_t>(high);
}

// UPC-A: number system and the five manufacturer digits from set A on the left,
// the five product digits and the check digit from set C on the right.
ElementPattern upcAPattern(const QString& full)
{
    ElementPattern p;
    p.reserve(kUpcAModules);
    appendElements(p, upc::kStartGuard);
    for (qsizetype k = 0; k < 6; ++k)
        appendElements(p, upc::kSetA[digitValue(full[k])]);
    appendElements(p, upc::kCentreGuard);
    for (qsizetype k = 6; k < 12; ++k)
        appendElements(p, upc::kSetC[digitValue(full[k])]);
    appendElements(p, upc::kUpcAEnd);
    return p;
}

// UPC-E: only the six symbol digits are drawn; the check digit is carried by
// the choice of sets.
ElementPattern upcEPattern(const QString& full, int check)
{
    ElementPattern p;
    p.reserve(kUpcEModules);
    appendElements(p, upc::kStartGuard);
    const std::string_view parity = upc::kUpcEParity[static_cast<std::size_t>(check)];
    for (qsizetype k = 0; k < 6; ++k) {
        const std::size_t d = digitValue(full[k + 1]);
        appendElements(p, parity[static_cast<std::size_t>(k)] == 'A' ? upc::kSetA[d] : upc::kSetB[d]);
    }
    appendElements(p, upc::kUpcEEnd);
    return p;
}

} // namespace

Encoding encodeUpc(const QString& code, const EncodeOptions& options)
{
    Encoding result;
    const qsizetype length = code.size();
    // UPC-A (12 digits) or UPC-E (8) with its check digit: the symbol of the data when
    // the check digit is the right one.
    if (length == kUpcALength + 1 || length == kUpcELength + 1) {
        const std::optional<int> check = fullNumberCheckDigit(cbarUPC, code);
        if (check && code.back() == QChar(u'0' + *check))
            return encodeUpc(code.left(length - 1), options);
        return result;
    }
    if ((length != kUpcALength && length != kUpcELength) || !allAsciiDigits(code))
        return result;

    // A UPC-E symbol carries the check digit of its UPC-A form.
    const QString upcA = length == kUpcALength ? code : UpcEToA(code);
    if (upcA.isEmpty())
        return result;
    const int check = Mod10CheckDigit(upcA);
    const QString full = code + QChar(u'0' + check);

    result.pattern = length == kUpcALength ? upcAPattern(full) : upcEPattern(full, check);
    result.workSymbol = full;
    result.symbol = full;
    result.cdn = check;
    return result;
}

// Zero suppression of number system 0, GS1 General Specifications: the last UPC-E
// digit e7 tells where the manufacturer and product digits of the UPC-A form lie.
QString UpcEToA(const QString& upcE)
{
    if (upcE.size() != kUpcELength || upcE[0] != u'0' || !allAsciiDigits(upcE))
        return {};
    // e(i): e1 .. e7 as GS1 numbers them.
    auto e = [&upcE](qsizetype i) { return upcE[i - 1]; };
    const QString fourZeros = QStringLiteral("0000");
    const QString fiveZeros = QStringLiteral("00000");
    if (isDigitIn(e(7), '5', '9') && e(6) != u'0')
        return upcE.left(6) + fourZeros + e(7);
    if (e(7) == u'4' && e(5) != u'0')
        return upcE.left(5) + fiveZeros + e(6);
    if (e(7) == u'3' && isDigitIn(e(4), '3', '9'))
        return upcE.left(4) + fiveZeros + upcE.mid(4, 2);
    if (isDigitIn(e(7), '0', '2'))
        return upcE.left(3) + e(7) + fourZeros + upcE.mid(3, 3);
    return {};
}

QString UpcAToE(const QString& upcA)
{
    if (upcA.size() != kUpcALength || upcA[0] != u'0' || !allAsciiDigits(upcA))
        return {};
    // a(i): a1 .. a11 as GS1 numbers them; zeros(i, n): a(i) .. a(i + n - 1) are all 0.
    auto a = [&upcA](qsizetype i) { return upcA[i - 1]; };
    auto zeros = [&upcA](qsizetype from, qsizetype count) {
        return upcA.mid(from - 1, count).count(u'0') == count;
    };
    if (zeros(7, 4) && a(6) != u'0' && isDigitIn(a(11), '5', '9'))
        return upcA.left(6) + a(11);
    if (zeros(6, 5) && a(5) != u'0')
        return upcA.left(5) + a(11) + u'4';
    if (zeros(5, 5) && isDigitIn(a(4), '3', '9'))
        return upcA.left(4) + upcA.mid(9, 2) + u'3';
    if (zeros(5, 4) && isDigitIn(a(4), '0', '2'))
        return upcA.left(3) + upcA.mid(8, 3) + a(4);
    return {};
}

} // namespace korbena
