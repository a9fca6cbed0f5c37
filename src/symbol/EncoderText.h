#pragma once

#include "platform/DecimalText.h"
#include "symbol/ElementPattern.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

namespace korbena {

// Small text helpers the encoders share: digit values (the digit test itself,
// isAsciiDigit, is the platform's: a full-width or Arabic-Indic digit is not data),
// and appending table entries, which are ASCII, to a pattern without a conversion
// per character.

// The value of an ASCII digit; only for characters isAsciiDigit accepts.
constexpr std::size_t digitValue(QChar c)
{
    return static_cast<std::size_t>(c.unicode() - u'0');
}

inline void appendElements(ElementPattern& pattern, std::string_view elements)
{
    pattern.append(QLatin1String(elements.data(), static_cast<qsizetype>(elements.size())));
}

// Value of each ASCII character in an alphabet (its 0-based position), -1 for a
// character outside it, for looking characters up without a search.
template <std::size_t N> constexpr std::array<signed char, 128> alphabetValues(const char (&alphabet)[N])
{
    std::array<signed char, 128> values{};
    for (auto& v : values)
        v = -1;
    for (std::size_t i = 0; i + 1 < N; ++i)
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return values;
}

// Whether an encoder's alphabet is a check-character table, character for character.
template <std::size_t N, std::size_t M>
constexpr bool sameAlphabet(const char (&alphabet)[N], const char16_t (&table)[M])
{
    if (N != M)
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<char16_t>(alphabet[i]) != table[i])
            return false;
    }
    return true;
}

// The value of c in an alphabet built by alphabetValues, or -1.
constexpr int lookUp(const std::array<signed char, 128>& values, QChar c)
{
    return c.unicode() < values.size() ? values[c.unicode()] : -1;
}

// Every table entry holds only ElementPattern digits in the range a symbology
// allows and alternates bar and space as it should: true when the entry is well formed.
constexpr bool alternatesFromBar(std::string_view entry, char widest)
{
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const char c = entry[i];
        if (c < '0' || c > widest)
            return false;
        const bool bar = (c - '0') % 2 == 1;
        if (bar != (i % 2 == 0))
            return false;
    }
    return true;
}

// Number of wide elements (digit 2 or 3) in an entry.
constexpr int wideCount(std::string_view entry)
{
    int n = 0;
    for (const char c : entry)
        n += (c == '2' || c == '3') ? 1 : 0;
    return n;
}

} // namespace korbena
