#include "document/ValueText.h"

#include "platform/DecimalText.h"

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

} // namespace

ConversionError::ConversionError(Expected expected, QStringView value, const QString& fileName, int line)
    : Error(expected == Expected::Integer ? notAnIntegerMessage(shownValue(value))
                                          : notADecimalMessage(shownValue(value)),
            QStringLiteral("%1（%2 行目）").arg(QDir::toNativeSeparators(fileName)).arg(line)),
      expected_(expected), value_(value.toString()), fileName_(fileName), line_(line)
{
}

std::optional<std::int32_t> readInteger32(QStringView text)
{
    const auto value = readInteger64(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> readFixed4(QStringView text)
{
    const DecimalScan scan = scanDecimal(text);
    if (!scan.complete)
        return std::nullopt;
    const bool negative = scan.negative;
    const std::int64_t exponent = scan.exponent;
    const auto fractionDigits = static_cast<std::int64_t>(scan.fractionDigits.size());

    // The significant digits, without leading zeros.
    std::string digits;
    for (const QStringView run : {scan.integerDigits, scan.fractionDigits}) {
        for (const QChar c : run) {
            if (!digits.empty() || c != u'0')
                digits.push_back(static_cast<char>(c.unicode()));
        }
    }
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
