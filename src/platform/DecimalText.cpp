#include "platform/DecimalText.h"

#include <algorithm>
#include <limits>

namespace korbena {

namespace {

// Far beyond any exponent that leaves a number a caller can hold or tell from zero.
constexpr std::int64_t kExponentCeiling = 1'000'000'000;

bool isSign(QChar c)
{
    return c == u'-' || c == u'+';
}

qsizetype digitRunEnd(QStringView text, qsizetype i, qsizetype end)
{
    while (i < end && isAsciiDigit(text[i]))
        ++i;
    return i;
}

} // namespace

bool allAsciiDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isAsciiDigit);
}

QString notAnIntegerMessage(QStringView value)
{
    return QStringLiteral("'%1' は整数ではありません").arg(value);
}

QString notADecimalMessage(QStringView value)
{
    return QStringLiteral("'%1' は浮動小数点数ではありません").arg(value);
}

DecimalScan scanDecimal(QStringView text, const DecimalSyntax& syntax)
{
    DecimalScan scan;
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && text[i] == u' ')
        ++i;
    if (syntax.trailingBlanks) {
        while (end > i && text[end - 1] == u' ')
            --end;
    }
    if (i < end && isSign(text[i]))
        scan.negative = text[i++] == u'-';

    const qsizetype integerEnd = digitRunEnd(text, i, end);
    scan.integerDigits = text.mid(i, integerEnd - i);
    i = integerEnd;
    if (syntax.fraction && i < end && text[i] == syntax.point) {
        scan.point = true;
        const qsizetype fractionEnd = digitRunEnd(text, i + 1, end);
        scan.fractionDigits = text.mid(i + 1, fractionEnd - i - 1);
        i = fractionEnd;
    }
    if (scan.integerDigits.isEmpty() && scan.fractionDigits.isEmpty())
        return scan;

    if (syntax.exponent && i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && isSign(text[i]))
            negativeExponent = text[i++] == u'-';
        const qsizetype exponentEnd = digitRunEnd(text, i, end);
        if (exponentEnd == i)
            return scan;
        for (; i < exponentEnd; ++i)
            scan.exponent = std::min(scan.exponent * 10 + asciiDigitValue(text[i]), kExponentCeiling);
        if (negativeExponent)
            scan.exponent = -scan.exponent;
    }
    scan.complete = i == end;
    return scan;
}

std::optional<std::uint64_t> digitsValue(QStringView digits, std::uint64_t limit)
{
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        const auto digit = static_cast<std::uint64_t>(asciiDigitValue(c));
        if (value > (limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::optional<std::int64_t> readInteger64(QStringView text)
{
    const DecimalScan scan = scanDecimal(text, kIntegerSyntax);
    if (!scan.complete)
        return std::nullopt;
    constexpr std::uint64_t kHighest = std::numeric_limits<std::int64_t>::max();
    const auto magnitude = digitsValue(scan.integerDigits, scan.negative ? kHighest + 1 : kHighest);
    if (!magnitude)
        return std::nullopt;
    // Two's complement negation in unsigned arithmetic also covers the lowest value.
    return scan.negative ? static_cast<std::int64_t>(~*magnitude + 1) : static_cast<std::int64_t>(*magnitude);
}

} // namespace korbena
