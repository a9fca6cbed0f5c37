#include "document/NumberFormat.h"

#include "platform/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace korbena {

int hexDigitValue(QChar c)
{
    if (isAsciiDigit(c))
        return asciiDigitValue(c);
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

bool isNumberSign(QChar c)
{
    return c == u'-' || c == u'+';
}

namespace {

// Hexadecimal padding beyond this many digits adds nothing a 64-bit number can use.
constexpr int kMaxHexDigits = 32;

NumberRead failure(QString message)
{
    return {false, 0, std::move(message)};
}

// Hexadecimal digits only, whose value fits in the given number of bits.
std::optional<quint64> parseHex(QStringView text, int bits)
{
    if (text.isEmpty())
        return std::nullopt;
    const quint64 limit = bits >= 64 ? std::numeric_limits<quint64>::max() : (quint64(1) << bits) - 1;
    quint64 value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || value > (limit >> 4))
            return std::nullopt;
        value = (value << 4) | static_cast<quint64>(digit);
    }
    return value <= limit ? std::optional<quint64>(value) : std::nullopt;
}

// A decimal floating-point text: blanks, sign, digits with one decimal separator and
// an optional exponent. Parsed in the C locale whatever the process locale is.
std::optional<Extended> parseFloat(QStringView text, QChar decimalSeparator)
{
    DecimalSyntax syntax;
    syntax.point = decimalSeparator;
    const DecimalScan scan = scanDecimal(text, syntax);
    if (!scan.complete)
        return std::nullopt;
    // The decimal position of the first significant digit tells an overflow from an
    // underflow when the value does not fit.
    std::int64_t leadingExponent = scan.exponent;
    const auto firstSignificant = [](QStringView digits) {
        return std::find_if(digits.begin(), digits.end(), [](QChar c) { return c != u'0'; }) - digits.begin();
    };
    const qsizetype integerLead = firstSignificant(scan.integerDigits);
    if (integerLead < scan.integerDigits.size())
        leadingExponent += scan.integerDigits.size() - integerLead;
    else
        leadingExponent -= firstSignificant(scan.fractionDigits);

    std::string ascii = scan.integerDigits.toLatin1().toStdString();
    if (scan.point)
        ascii += '.' + scan.fractionDigits.toLatin1().toStdString();
    if (scan.exponent != 0)
        ascii += 'e' + std::to_string(scan.exponent);
    Extended value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is not a number the field can hold.
        if (leadingExponent > 0)
            return std::nullopt;
        value = 0;
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return scan.negative ? -value : value;
}

// Position of the decimal separator, or -1.
qsizetype separatorIndex(QStringView text, QChar decimalSeparator)
{
    return text.indexOf(decimalSeparator);
}

// Adds one to a run of decimal digits; returns true when the carry leaves the run.
bool incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else if (isAsciiDigit(digits[i])) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        } else {
            digits.insert(i + 1, u'1');
            return false;
        }
    }
    return true;
}

QString hexDigits(quint64 value, int minimumDigits)
{
    QString text = QString::number(value, 16).toUpper();
    const int width = std::clamp(minimumDigits, 1, kMaxHexDigits);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), u'0'));
    return text;
}

// The whole number a value rounds to with the given mode, clamped to 64 bits.
qint64 wholeNumber(Extended value, TRoundMode mode)
{
    QString text = RoundNumberText(PlainNumberText(value), 0, mode);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (const auto number = readInteger64(text))
        return *number;
    return text.startsWith(u'-') ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
}

// The general form of a number with the given significant digits, with an exponent
// written as "E25" or "E-7" where the form needs one.
QString generalText(Extended value, int precision)
{
    if (std::isnan(value) || value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(u'-');
    exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(u'0'))
        exponent.remove(0, 1);
    return text.left(e) + u'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
}

} // namespace

// --- reading ---

NumberRead ReadNumberText(QStringView text, const NumberFormat& format)
{
    if (text.isEmpty() || text == u"-" || text == u"+")
        return {};

    if (format.NumberType == ntHex) {
        if (format.ValidMinus) {
            const bool negative = text.startsWith(u'-');
            const auto magnitude = parseHex(negative ? text.mid(1) : text, 64);
            if (!magnitude)
                return failure(notAnIntegerMessage(text));
            const quint64 bits = negative ? ~*magnitude + 1 : *magnitude;
            return {true, static_cast<Extended>(static_cast<qint64>(bits)), {}};
        }
        const auto bits = parseHex(text, 32);
        if (!bits)
            return failure(notAnIntegerMessage(text));
        return {true, static_cast<Extended>(static_cast<qint32>(static_cast<quint32>(*bits))), {}};
    }

    QString rest;
    rest.reserve(text.size());
    for (const QChar c : text) {
        if (c != format.ThousandSeparator && c.unicode() >= 0x20)
            rest.append(c);
    }
    if (rest.isEmpty())
        return {};
    if (rest.contains(format.DecimalSeparator)) {
        const auto value = parseFloat(rest, format.DecimalSeparator);
        if (!value)
            return failure(notADecimalMessage(rest));
        return {true, *value, {}};
    }
    if (const auto value = readInteger64(rest))
        return {true, static_cast<Extended>(*value), {}};
    // A whole number beyond 64 bits is still a number: the field shows such values
    // without an exponent, so its own text must read back.
    if (scanDecimal(rest, kIntegerSyntax).complete) {
        if (const auto value = parseFloat(rest, format.DecimalSeparator))
            return {true, *value, {}};
    }
    return failure(notAnIntegerMessage(rest));
}

// --- rounding and formatting ---

QString RoundNumberText(QStringView text, int decimals, TRoundMode mode, QChar decimalSeparator,
                        QChar thousandSeparator)
{
    QString plain = text.toString();
    plain.remove(thousandSeparator);
    const qsizetype point = separatorIndex(plain, decimalSeparator);
    if (decimals < 0 || point < 0 || point == plain.size() - 1 || plain.size() - point - 1 <= decimals)
        return plain;

    const QStringView fraction = QStringView(plain).mid(point + 1);
    const QStringView dropped = fraction.mid(decimals);
    bool raise = false;
    switch (mode) {
    case rmDown:
        break;
    case rmRound:
        raise = dropped.front() >= u'5' && dropped.front() <= u'9';
        break;
    case rmUp:
        raise = std::any_of(dropped.begin(), dropped.end(), [](QChar c) { return c != u'0'; });
        break;
    }

    QString sign;
    QString integer = plain.left(point);
    if (!integer.isEmpty() && isNumberSign(integer.front())) {
        sign = integer.front();
        integer.remove(0, 1);
    }
    // A text such as ".5" keeps a readable integer part once its decimals change.
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString kept = fraction.left(decimals).toString();
    if (raise && incrementDigits(kept) && incrementDigits(integer))
        integer.prepend(u'1');
    return sign + integer + decimalSeparator + kept;
}

QString PlainNumberText(Extended value)
{
    if (std::isnan(value) || value == 0)
        return QStringLiteral("0");
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<Extended>::max(), value);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 18);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;

    // Expand the exponent into zeros.
    const bool negative = text.startsWith(u'-');
    QString mantissa = text.mid(negative ? 1 : 0, e - (negative ? 1 : 0));
    const int exponent = text.mid(e + 1).toInt();
    qsizetype point = mantissa.indexOf(u'.');
    if (point < 0)
        point = mantissa.size();
    else
        mantissa.remove(point, 1);
    const qsizetype newPoint = point + exponent;
    QString plain;
    if (newPoint <= 0)
        plain = QStringLiteral("0.") + QString(-newPoint, u'0') + mantissa;
    else if (newPoint >= mantissa.size())
        plain = mantissa + QString(newPoint - mantissa.size(), u'0');
    else
        plain = mantissa.left(newPoint) + u'.' + mantissa.mid(newPoint);
    return negative ? u'-' + plain : plain;
}

QString GroupThousands(QStringView text, QChar decimalSeparator, QChar thousandSeparator)
{
    QString sign;
    if (!text.isEmpty() && isNumberSign(text.front())) {
        sign = text.front();
        text = text.mid(1);
    }
    qsizetype point = separatorIndex(text, decimalSeparator);
    if (point < 0)
        point = text.size();
    QString digits;
    for (const QChar c : text.left(point)) {
        if (isAsciiDigit(c) && !(digits.isEmpty() && c == u'0'))
            digits.append(c);
    }
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.append(thousandSeparator);
        grouped.append(digits[i]);
    }
    return sign + grouped + text.mid(point).toString();
}

Extended ClampValue(const NumberFormat& format, Extended value)
{
    if (!format.Limit)
        return value;
    if (format.LimitOptions.testFlag(loMin) && value < format.Min)
        return format.Min;
    if (format.LimitOptions.testFlag(loMax) && value > format.Max)
        return format.Max;
    return value;
}

FormattedNumber FormattedText(const NumberFormat& format, Extended value, QStringView presentText)
{
    value = ClampValue(format, value);
    const QChar point = format.DecimalSeparator;
    QString text;
    if (format.NumberType == ntHex) {
        text = HexNumberText(format, wholeNumber(value, format.RoundMode));
    } else {
        const bool plus = presentText.startsWith(u'+');
        QString plain = PlainNumberText(value);
        plain.replace(u'.', point);
        text = RoundNumberText(plain, format.Figure, format.RoundMode, point, format.ThousandSeparator);
        if (format.Limit && format.Figure >= 0) {
            // Raising the kept digits must not carry the value past the end it was
            // clamped to: round towards the inside of the range instead.
            const Extended rounded = ReadNumberText(text, format).value;
            const bool positive = value >= 0;
            if (format.LimitOptions.testFlag(loMax) && rounded > format.Max)
                text = RoundNumberText(plain, format.Figure, positive ? rmDown : rmUp, point,
                                       format.ThousandSeparator);
            else if (format.LimitOptions.testFlag(loMin) && rounded < format.Min)
                text = RoundNumberText(plain, format.Figure, positive ? rmUp : rmDown, point,
                                       format.ThousandSeparator);
        }
        if (format.Comma)
            text = GroupThousands(text, point, format.ThousandSeparator);
        if (format.Figure >= 0 && format.Fixed) {
            const qsizetype at = separatorIndex(text, point);
            if (at >= 0) {
                if (format.Figure == 0) {
                    text.truncate(at);
                } else {
                    const qsizetype have = text.size() - at - 1;
                    if (have > format.Figure)
                        text.truncate(at + 1 + format.Figure);
                    else
                        text.append(QString(format.Figure - have, u'0'));
                }
            } else if (format.Figure > 0) {
                text += point + QString(format.Figure, u'0');
            }
        }
        // A "+" the user typed stays, unless the value has become negative.
        if (plus && !text.startsWith(u'-'))
            text.prepend(u'+');
        if (text.endsWith(point))
            text.chop(1);
    }

    const NumberRead back = ReadNumberText(text, format);
    if (back.ok)
        value = back.value;
    if (value == 0 && !format.ZeroVisible)
        text.clear();
    return {text, value};
}

qint64 AsInt64(const NumberFormat& format, Extended value)
{
    return wholeNumber(value, format.RoundMode);
}

qint32 AsInteger(const NumberFormat& format, Extended value)
{
    return static_cast<qint32>(std::clamp<qint64>(AsInt64(format, value), std::numeric_limits<qint32>::min(),
                                                  std::numeric_limits<qint32>::max()));
}

QString AsText(const NumberFormat& format, Extended value)
{
    if (format.NumberType == ntDecimal)
        return generalText(value, 15);
    if (format.ValidMinus) {
        const qint64 number = AsInt64(format, value);
        const quint64 magnitude =
            number < 0 ? ~static_cast<quint64>(number) + 1 : static_cast<quint64>(number);
        return (number < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude, 16).toUpper();
    }
    return QString::number(static_cast<quint32>(AsInteger(format, value)), 16).toUpper();
}

// --- pieces the field's editing shares ---

QString HexNumberText(const NumberFormat& format, qint64 number)
{
    if (format.ValidMinus) {
        const quint64 magnitude =
            number < 0 ? ~static_cast<quint64>(number) + 1 : static_cast<quint64>(number);
        return (number < 0 ? QStringLiteral("-") : QString()) + hexDigits(magnitude, format.Figure);
    }
    const qint64 clamped =
        std::clamp<qint64>(number, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return hexDigits(static_cast<quint32>(static_cast<qint32>(clamped)), format.Figure);
}

} // namespace korbena
