#include "document/ValueText.h"

#include <QDir>

#include <cmath>
#include <limits>
#include <string>

namespace korbena {

namespace {

// A whole file on one line must not become a message box the size of the file.
constexpr qsizetype kShownValueLength = 200;

QString shownValue(QStringView value)
{
    if (value.size() <= kShownValueLength)
        return value.toString();
    return value.first(kShownValueLength).toString() + u'…';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

ConversionError::ConversionError(Expected expected, QStringView value, const QString& fileName, int line)
    : Error((expected == Expected::Integer ? QStringLiteral("'%1' は整数ではありません")
                                           : QStringLiteral("'%1' は浮動小数点数ではありません"))
                .arg(shownValue(value)),
            QStringLiteral("%1（%2 行目）").arg(QDir::toNativeSeparators(fileName)).arg(line)),
      expected_(expected), value_(value.toString()), fileName_(fileName), line_(line)
{
}

std::optional<std::int32_t> readInteger32(QStringView text)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < size && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == size)
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < size; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> readFixed4(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    qsizetype i = begin;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';

    // The significant digits, without leading zeros, and how many of all the
    // digits stood after the full stop.
    std::string digits;
    std::int64_t fractionDigits = 0;
    bool anyDigit = false;
    for (; i < end && isDigit(text[i]); ++i) {
        anyDigit = true;
        if (!digits.empty() || text[i] != u'0')
            digits.push_back(static_cast<char>(text[i].unicode()));
    }
    if (i < end && text[i] == u'.') {
        for (++i; i < end && isDigit(text[i]); ++i) {
            anyDigit = true;
            ++fractionDigits;
            if (!digits.empty() || text[i] != u'0')
                digits.push_back(static_cast<char>(text[i].unicode()));
        }
    }
    if (!anyDigit)
        return std::nullopt;

    std::int64_t exponent = 0;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        if (i == end)
            return std::nullopt;
        for (; i < end; ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            // Far beyond any range that matters; saturate rather than overflow.
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (text[i].unicode() - u'0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != end)
        return std::nullopt;
    if (digits.empty())
        return 0;

    // value = digits x 10^(exponent - fractionDigits); we want it x 10^4.
    const std::int64_t scale = exponent - fractionDigits + 4;
    const auto count = static_cast<std::int64_t>(digits.size());
    constexpr std::uint64_t limit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t kept = 0;
    bool roundUp = false;
    const std::int64_t keptCount = scale >= 0 ? count : count + scale;
    if (keptCount + (scale > 0 ? scale : 0) > 19)
        return std::nullopt;
    for (std::int64_t k = 0; k < keptCount; ++k)
        kept = kept * 10 + static_cast<std::uint64_t>(digits[static_cast<std::size_t>(k)] - '0');
    if (scale > 0) {
        for (std::int64_t k = 0; k < scale; ++k)
            kept *= 10;
    } else if (keptCount >= 0 && keptCount < count) {
        // Dropped digits: compare them with one half.
        const char first = digits[static_cast<std::size_t>(keptCount)];
        bool restNonZero = false;
        for (std::int64_t k = keptCount + 1; k < count && !restNonZero; ++k)
            restNonZero = digits[static_cast<std::size_t>(k)] != '0';
        if (first > '5' || (first == '5' && restNonZero))
            roundUp = true;
        else if (first == '5')
            roundUp = (kept % 2) == 1;
    }
    // keptCount < 0: every digit lies below a tenth of the last kept place.
    if (roundUp)
        ++kept;
    if (kept > limit)
        return std::nullopt;
    const auto value = static_cast<std::int64_t>(kept);
    return negative ? -value : value;
}

std::int64_t toFixed4(double value)
{
    if (std::isnan(value))
        return 0;
    const double scaled = std::nearbyint(value * 10000.0); // the default mode rounds halves to even
    if (!(scaled > -9.2e18 && scaled < 9.2e18))
        return scaled > 0 ? std::numeric_limits<std::int64_t>::max()
                          : std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(scaled);
}

} // namespace korbena
