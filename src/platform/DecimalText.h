#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Decimal numbers written as text: the one digit test, the one scanner behind every
// reader of integers and decimals (style and data files, the numeric field, the
// check-digit calculator), and the platform's two conversion messages.

namespace korbena {

// Only the ASCII digits are decimal digits here: a full-width or Arabic-Indic digit
// is not part of a number or a code.
constexpr bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// The value of a character isAsciiDigit accepts.
constexpr int asciiDigitValue(QChar c)
{
    return c.unicode() - u'0';
}

bool allAsciiDigits(QStringView text);

// The conversion errors the platform raises for a text that is not the number it
// should be: "'%s' は整数ではありません" and "'%s' は浮動小数点数ではありません".
QString notAnIntegerMessage(QStringView value);
QString notADecimalMessage(QStringView value);

// Which forms a scan accepts.
struct DecimalSyntax
{
    QChar point = u'.';         // the decimal separator
    bool fraction = true;       // digits may have a decimal separator among them
    bool exponent = true;       // "e" or "E", an optional sign and digits may follow
    bool trailingBlanks = true; // blanks after the number are allowed
};

inline constexpr DecimalSyntax kIntegerSyntax{u'.', false, false, false};

// The parts of a number: blanks, an optional sign, digits with at most one decimal
// separator, an optional exponent, blanks. The exponent saturates far beyond any
// range a caller can hold.
struct DecimalScan
{
    bool negative = false;
    bool point = false;         // a decimal separator was written
    QStringView integerDigits;  // the digits before the separator
    QStringView fractionDigits; // the digits after it
    std::int64_t exponent = 0;
    bool complete = false; // the whole text is one number with at least one digit
};

DecimalScan scanDecimal(QStringView text, const DecimalSyntax& syntax = {});

// The value of a run of ASCII digits when it is at most `limit`.
std::optional<std::uint64_t> digitsValue(QStringView digits, std::uint64_t limit);

// A decimal integer of 64 bits: blanks before it, an optional sign, digits.
std::optional<std::int64_t> readInteger64(QStringView text);

} // namespace korbena
