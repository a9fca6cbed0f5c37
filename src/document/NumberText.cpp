#include "document/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace korbena {

namespace {

const QString kIntegerError = QStringLiteral("'%1' は整数ではありません");
const QString kFloatError = QStringLiteral("'%1' は浮動小数点数ではありません");

// Hexadecimal padding beyond this many digits adds nothing a 64-bit number can use.
constexpr int kMaxHexDigits = 32;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

bool isSign(QChar c)
{
    return c == u'-' || c == u'+';
}

NumberRead failure(const QString& message, QStringView text)
{
    return {false, 0, message.arg(text)};
}

// A decimal integer with an optional sign after leading blanks, within 64 bits.
std::optional<qint64> parseInt64(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && isSign(text[i]))
        negative = text[i++] == u'-';
    if (i == text.size())
        return std::nullopt;
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!isAsciiDigit(text[i]))
            return std::nullopt;
        const unsigned digit = text[i].unicode() - u'0';
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    // Two's complement negation in unsigned arithmetic also covers the lowest value.
    return negative ? static_cast<qint64>(~magnitude + 1) : static_cast<qint64>(magnitude);
}

// Leading blanks, an optional sign and decimal digits, of any length.
bool isWholeNumberText(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && isSign(text[i]))
        ++i;
    return i < text.size() && std::all_of(text.begin() + i, text.end(), isAsciiDigit);
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
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(text.size()));
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    qsizetype i = begin;
    bool negative = false;
    if (i < end && isSign(text[i]))
        negative = text[i++] == u'-';
    int mantissaDigits = 0;
    long long leadingExponent = 0; // decimal position of the first significant digit
    bool seenPoint = false, seenSignificant = false;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            ++mantissaDigits;
            if (c != u'0')
                seenSignificant = true;
            if (!seenPoint && seenSignificant)
                ++leadingExponent;
            else if (seenPoint && !seenSignificant)
                --leadingExponent;
            ascii.push_back(static_cast<char>(c.unicode()));
        } else if (c == decimalSeparator && !seenPoint) {
            seenPoint = true;
            ascii.push_back('.');
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < end) {
        if (text[i] != u'e' && text[i] != u'E')
            return std::nullopt;
        ascii.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < end && isSign(text[i])) {
            negativeExponent = text[i] == u'-';
            ascii.push_back(static_cast<char>(text[i].unicode()));
            ++i;
        }
        if (i == end)
            return std::nullopt;
        long long exponent = 0;
        for (; i < end; ++i) {
            if (!isAsciiDigit(text[i]))
                return std::nullopt;
            exponent = std::min<long long>(exponent * 10 + (text[i].unicode() - u'0'), 1'000'000'000);
            ascii.push_back(static_cast<char>(text[i].unicode()));
        }
        leadingExponent += negativeExponent ? -exponent : exponent;
    }
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
    return negative ? -value : value;
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

// The text a whole number shows in hexadecimal mode.
QString hexText(const NumberFormat& format, qint64 number)
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

// The whole number a value rounds to with the given mode, clamped to 64 bits.
qint64 wholeNumber(Extended value, TRoundMode mode)
{
    QString text = RoundNumberText(PlainNumberText(value), 0, mode);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (const auto number = parseInt64(text))
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

QString withoutSelection(const EditState& state, qsizetype& start)
{
    start = std::clamp<qsizetype>(state.selStart, 0, state.text.size());
    const qsizetype length = std::clamp<qsizetype>(state.selLength, 0, state.text.size() - start);
    QString text = state.text;
    text.remove(start, length);
    return text;
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
                return failure(kIntegerError, text);
            const quint64 bits = negative ? ~*magnitude + 1 : *magnitude;
            return {true, static_cast<Extended>(static_cast<qint64>(bits)), {}};
        }
        const auto bits = parseHex(text, 32);
        if (!bits)
            return failure(kIntegerError, text);
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
            return failure(kFloatError, rest);
        return {true, *value, {}};
    }
    if (const auto value = parseInt64(rest))
        return {true, static_cast<Extended>(*value), {}};
    // A whole number beyond 64 bits is still a number: the field shows such values
    // without an exponent, so its own text must read back.
    if (isWholeNumberText(rest)) {
        if (const auto value = parseFloat(rest, format.DecimalSeparator))
            return {true, *value, {}};
    }
    return failure(kIntegerError, rest);
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
    if (!integer.isEmpty() && isSign(integer.front())) {
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
    if (!text.isEmpty() && isSign(text.front())) {
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
        text = hexText(format, wholeNumber(value, format.RoundMode));
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

// --- editing ---

bool KeyPasses(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl)
{
    const QChar c(key);
    if (format.NumberType == ntHex) {
        if (ctrl || key == kKeyBackspace || key == kKeyTab || key == kKeyEnter || hexDigitValue(c) >= 0)
            return true;
        if (key == u'-')
            return format.ValidMinus;
        if (key == u'+')
            return state.text.startsWith(u'-');
        return false;
    }

    const bool editingKey = key == kKeyBackspace || key == kKeyTab || key == kKeyEnter || isSign(c) ||
                            c == format.DecimalSeparator;
    if (!ctrl && !editingKey && !isAsciiDigit(c))
        return false;
    if (format.MaxIntLength <= 0)
        return true;

    const QString& text = state.text;
    const qsizetype point = separatorIndex(text, format.DecimalSeparator);
    const QStringView integer = point < 0 ? QStringView(text) : QStringView(text).left(point);
    const auto digits = std::count_if(integer.begin(), integer.end(),
                                      [&](QChar x) { return !isSign(x) && x != format.ThousandSeparator; });
    if (digits < format.MaxIntLength || editingKey)
        return true;
    // A character typed just before the separator still lands in the integer part.
    if (point >= 0 && state.selStart > point)
        return true;
    if (state.selLength > 0 && (point < 0 || state.selStart < point)) {
        // Replacing a selection that holds a digit does not lengthen the integer part;
        // replacing only separators or signs would.
        const QStringView selection =
            QStringView(text).mid(std::clamp<qsizetype>(state.selStart, 0, text.size()), state.selLength);
        return std::any_of(selection.begin(), selection.end(), [&](QChar x) {
            return !isSign(x) && x != format.ThousandSeparator && x != format.DecimalSeparator;
        });
    }
    return false;
}

KeyResult PressKey(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl)
{
    if (!KeyPasses(format, state, key, ctrl))
        return {KeyAction::Discard, state};

    if (key == u'+' || key == u'-') {
        QString text = state.text;
        qsizetype caret = std::clamp<qsizetype>(state.selStart, 0, text.size());
        if (caret == 0 && state.selLength > 0)
            text.remove(0, state.selLength);
        const QChar front = text.isEmpty() ? QChar() : text.front();
        int move = 0;
        if (key == u'-') {
            if (front == u'-') {
                text.remove(0, 1);
                move = -1;
            } else if (front == u'+') {
                text[0] = u'-';
            } else {
                text.prepend(u'-');
                move = 1;
            }
        } else if (format.NumberType == ntHex) {
            if (front == u'-') {
                text.remove(0, 1);
                move = -1;
            }
        } else if (front == u'+') {
            text.remove(0, 1);
            move = -1;
        } else if (front == u'-') {
            text[0] = u'+';
        } else {
            text.prepend(u'+');
            move = 1;
        }
        caret = std::clamp<qsizetype>(caret + move, 0, text.size());
        return {KeyAction::SignEdited, {text, caret, 0}};
    }

    if (format.NumberType == ntDecimal && QChar(key) == format.DecimalSeparator) {
        qsizetype start = 0;
        if (withoutSelection(state, start).contains(format.DecimalSeparator))
            return {KeyAction::Discard, state};
    }
    return {KeyAction::PassOn, state};
}

EditState TypeIntoEdit(const EditState& state, char16_t key)
{
    qsizetype start = 0;
    QString text = withoutSelection(state, start);
    const bool hadSelection = text.size() != state.text.size();
    if (key == kKeyBackspace) {
        if (!hadSelection && start > 0)
            text.remove(--start, 1);
        return {text, start, 0};
    }
    if (key < 0x20)
        return state;
    text.insert(start, QChar(key));
    return {text, start + 1, 0};
}

TextChange HandleTextChange(const NumberFormat& format, const QString& text, qsizetype caret)
{
    TextChange change;
    change.text = text;
    change.caret = caret;
    if (text.isEmpty() || text == u"-" || text == u"+") {
        change.value = 0;
        return change;
    }
    const NumberRead read = ReadNumberText(text, format);
    if (!read.ok) {
        change.error = read.error;
        return change;
    }
    Extended value = read.value;
    if (format.NumberType == ntDecimal) {
        if (format.Comma) {
            const QString grouped = GroupThousands(text, format.DecimalSeparator, format.ThousandSeparator);
            if (grouped.size() > text.size())
                ++change.caret;
            else if (grouped.size() < text.size())
                --change.caret;
            change.caret = std::clamp<qsizetype>(change.caret, 0, grouped.size());
            change.text = grouped;
        }
        const NumberRead rounded =
            ReadNumberText(RoundNumberText(change.text, format.Figure, format.RoundMode,
                                           format.DecimalSeparator, format.ThousandSeparator),
                           format);
        if (rounded.ok)
            value = rounded.value;
    }
    change.value = ClampValue(format, value);
    change.notify = true;
    return change;
}

std::optional<EditState> PasteIntoText(const NumberFormat& format, const EditState& state,
                                       QStringView clipboard)
{
    qsizetype at = 0;
    QString text = withoutSelection(state, at);
    if (QStringView(text).mid(at).contains(u'-') || QStringView(text).mid(at).contains(u'+'))
        return std::nullopt;

    const bool hex = format.NumberType == ntHex;
    bool hasPoint = text.contains(format.DecimalSeparator);
    const bool hasSign = !text.isEmpty() && isSign(text.front());
    QString accepted;
    for (qsizetype i = 0; i < clipboard.size(); ++i) {
        const QChar c = clipboard[i];
        const bool digit = isAsciiDigit(c) || (hex && hexDigitValue(c) >= 0);
        const bool point = !hex && c == format.DecimalSeparator && !hasPoint;
        const bool sign = !hex && isSign(c) && i == 0 && at == 0 && !hasSign;
        if (digit || point || sign)
            accepted.append(c);
        hasPoint = hasPoint || point;
    }
    text.insert(at, accepted);
    return EditState{text, at + accepted.size(), 0};
}

Extended SteppedValue(const NumberFormat& format, Extended value, TArrowKeyDirection direction)
{
    if (direction == adUp)
        value += format.Increment;
    else if (direction == adDown)
        value -= format.Increment;
    if (!format.Limit)
        return value;
    const bool withMin = format.LimitOptions.testFlag(loMin);
    const bool withMax = format.LimitOptions.testFlag(loMax);
    if (withMin && value < format.Min)
        return format.Wrap && withMax ? format.Max : format.Min;
    if (withMax && value > format.Max)
        return format.Wrap && withMin ? format.Min : format.Max;
    return value;
}

// --- the field ---

NumberField::NumberField(const NumberFormat& format) : FFormat(format) {}

void NumberField::SetValue(Extended value)
{
    FValue = ClampValue(FFormat, value);
    Reformat();
}

qint32 NumberField::AsInteger() const
{
    return korbena::AsInteger(FFormat, FValue);
}

void NumberField::SetAsInteger(qint32 value)
{
    SetValue(value);
}

qint64 NumberField::AsInt64() const
{
    return korbena::AsInt64(FFormat, FValue);
}

void NumberField::SetAsInt64(qint64 value)
{
    SetValue(static_cast<Extended>(value));
}

QString NumberField::AsText() const
{
    return korbena::AsText(FFormat, FValue);
}

QString NumberField::FormattedText()
{
    const FormattedNumber formatted = korbena::FormattedText(FFormat, FValue, FText);
    FValue = formatted.value;
    return formatted.text;
}

void NumberField::SetComma(bool value)
{
    FFormat.Comma = value;
    SetTextSilently(FormattedText());
}

void NumberField::SetFigure(int value)
{
    FFormat.Figure = value;
    Reformat();
}

void NumberField::SetFixed(bool value)
{
    FFormat.Fixed = value;
    Reformat();
}

void NumberField::SetLimit(bool value)
{
    FFormat.Limit = value;
    FValue = ClampValue(FFormat, FValue);
    Reformat();
}

void NumberField::SetLimitOptions(TLimitOptions value)
{
    FFormat.LimitOptions = value;
    FValue = ClampValue(FFormat, FValue);
    Reformat();
}

void NumberField::SetMax(Extended value)
{
    FFormat.Max = value;
    if (value < FFormat.Min)
        FFormat.Min = value;
    if (FFormat.Limit && FFormat.LimitOptions.testFlag(loMax) &&
        (FValue < FFormat.Min || FValue > FFormat.Max)) {
        FValue = FFormat.Max;
        Reformat();
    }
}

void NumberField::SetMin(Extended value)
{
    FFormat.Min = value;
    if (value > FFormat.Max)
        FFormat.Max = value;
    if (FFormat.Limit && FFormat.LimitOptions.testFlag(loMin) &&
        (FValue < FFormat.Min || FValue > FFormat.Max)) {
        FValue = FFormat.Min;
        Reformat();
    }
}

void NumberField::SetNumberType(TNumberType value)
{
    if (value == FFormat.NumberType)
        return;
    FFormat.NumberType = value;
    // The plain form, not the exponent form: a text such as "1E18" would not read back.
    SetText(value == ntDecimal ? PlainNumberText(FValue) : hexText(FFormat, IntValue()));
}

void NumberField::SetValidMinus(bool value)
{
    FFormat.ValidMinus = value;
    if (FFormat.NumberType == ntHex)
        Reformat();
}

void NumberField::SetZeroVisible(bool value)
{
    FFormat.ZeroVisible = value;
    const NumberRead read = ReadNumberText(FText, FFormat);
    if (read.ok && read.value == 0)
        Reformat();
}

void NumberField::SetSeparators(QChar decimalSeparator, QChar thousandSeparator)
{
    FFormat.DecimalSeparator = decimalSeparator;
    FFormat.ThousandSeparator = thousandSeparator;
    Reformat();
}

void NumberField::SetSelection(qsizetype start, qsizetype length)
{
    FSelStart = std::clamp<qsizetype>(start, 0, FText.size());
    FSelLength = std::clamp<qsizetype>(length, 0, FText.size() - FSelStart);
}

QString NumberField::SetText(const QString& text)
{
    if (text == FText)
        return {};
    FText = text;
    FSelStart = 0;
    FSelLength = 0;
    return FChangeSave ? QString() : ApplyTextChange(text, 0);
}

QString NumberField::EditText(const QString& text, qsizetype caret)
{
    if (text == FText) {
        SetSelection(caret);
        return {};
    }
    FText = text;
    SetSelection(caret);
    return FChangeSave ? QString() : ApplyTextChange(text, FSelStart);
}

QString NumberField::KeyPress(char16_t key, bool ctrl)
{
    const EditState state{FText, FSelStart, FSelLength};
    const KeyResult result = PressKey(FFormat, state, key, ctrl);
    switch (result.action) {
    case KeyAction::Discard:
        return {};
    case KeyAction::SignEdited: {
        // Changing the sign is an edit by the user like any typed digit.
        FKeyin = true;
        QString error = SetText(result.state.text);
        SetSelection(result.state.selStart);
        return error;
    }
    case KeyAction::PassOn:
        break;
    }
    FKeyin = true;
    const EditState typed = TypeIntoEdit(state, key);
    if (typed.text == FText) {
        SetSelection(typed.selStart, typed.selLength);
        return {};
    }
    FText = typed.text;
    SetSelection(typed.selStart);
    return ApplyTextChange(typed.text, typed.selStart);
}

QString NumberField::Paste(const std::optional<QString>& clipboard)
{
    if (!clipboard)
        return {};
    const auto pasted = PasteIntoText(FFormat, {FText, FSelStart, FSelLength}, *clipboard);
    if (!pasted)
        return {};
    FKeyin = true;
    QString error;
    if (pasted->text != FText) {
        FText = pasted->text;
        SetSelection(pasted->selStart);
        error = ApplyTextChange(pasted->text, pasted->selStart);
    } else {
        SetSelection(pasted->selStart);
    }
    return error;
}

void NumberField::Enter(bool autoSelect)
{
    if (autoSelect)
        SetSelection(0, FText.size());
    else
        SetSelection(FText.size());
    FKeyin = false;
}

QString NumberField::Leave()
{
    const NumberRead read = ReadNumberText(FText, FFormat);
    if (read.ok)
        FValue = read.value;
    FChangeSave = true;
    SetText(FormattedText());
    FChangeSave = false;
    FModified = FKeyin;
    if (OnExit)
        OnExit(*this);
    return read.error;
}

void NumberField::ArrowKey(TArrowKeyDirection direction)
{
    if (FFormat.AllowKeys)
        StepValue(direction);
}

void NumberField::StepValue(TArrowKeyDirection direction)
{
    Extended value = SteppedValue(FFormat, FValue, direction);
    DoArrowKeyChange(direction, value);
    SetValue(value);
}

void NumberField::DoArrowKeyChange(TArrowKeyDirection direction, Extended& newValue)
{
    if (OnArrowKeyChange)
        OnArrowKeyChange(*this, direction, newValue);
}

void NumberField::Reformat()
{
    SetText(FormattedText());
}

void NumberField::SetTextSilently(const QString& text)
{
    FChangeSave = true;
    SetText(text);
    FChangeSave = false;
}

QString NumberField::ApplyTextChange(const QString& text, qsizetype caret)
{
    const TextChange change = HandleTextChange(FFormat, text, caret);
    if (!change.value)
        return change.error;
    FValue = *change.value;
    if (change.text != FText) {
        FText = change.text;
        SetSelection(change.caret);
    } else if (change.caret != caret) {
        SetSelection(change.caret);
    }
    if (change.notify && OnChange)
        OnChange(*this);
    return {};
}

} // namespace korbena
