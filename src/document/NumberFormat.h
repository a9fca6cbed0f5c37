#pragma once

#include <QFlags>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// The format rules of the numeric edit field: how its text reads as a number and how
// a number is rounded and shown. Plain logic, shared by the field (NumberField.h)
// and the style writer.
//
// The style file writes its numbers in the form the field shows with its default
// settings: FormattedText(NumberFormat{}, value).text gives plain decimal digits, an
// optional minus sign, a full stop, no exponent and no thousands separators ("10",
// "12.5", "-0.25").

namespace korbena {

// The field's number: 80-bit extended precision where the platform has it.
using Extended = long double;

enum TNumberType : int { ntDecimal = 0, ntHex = 1 };

// How surplus decimals are dropped; raising works on the magnitude (away from zero).
enum TRoundMode : int { rmDown = 0, rmRound = 1, rmUp = 2 };

enum TLimitOption : int { loMax = 0x1, loMin = 0x2 };
Q_DECLARE_FLAGS(TLimitOptions, TLimitOption)

enum TArrowKeyDirection : int { adNone = 0, adUp = 1, adDown = 2 };

// The settings of a numeric field that decide how its text reads and shows. The
// defaults are those every field of the program uses: decimal, no rounding, no limits.
struct NumberFormat
{
    TNumberType NumberType = ntDecimal;
    int Figure = -1; // decimals kept; negative: no rounding
    TRoundMode RoundMode = rmDown;
    bool Fixed = false;      // always show exactly Figure decimals
    bool Comma = false;      // group the integer part in thousands
    bool ZeroVisible = true; // false: 0 shows as an empty field
    bool Limit = false;      // clamp the value to [Min, Max]
    TLimitOptions LimitOptions = TLimitOptions(loMax) | loMin;
    Extended Max = 0;
    Extended Min = 0;
    int MaxIntLength = 0;    // most integer digits typing may produce; 0 or less: no limit
    bool ValidMinus = false; // hexadecimal mode accepts a minus sign
    bool AllowKeys = false;  // Up and Down step the value
    Extended Increment = 1.0;
    bool Wrap = false; // stepping past one end goes to the other end
    // The locale's separators (a full stop and a comma on Japanese systems).
    QChar DecimalSeparator = u'.';
    QChar ThousandSeparator = u',';
};

// --- reading ---

// The value of a text, or the conversion error the platform would raise for it
// ("'%s' は整数ではありません" or "'%s' は浮動小数点数ではありません").
struct NumberRead
{
    bool ok = true;
    Extended value = 0;
    QString error;
};

// Text to number: "", "-" and "+" read as 0; decimal texts lose their thousands
// separators and control characters first; hexadecimal texts read as 64-bit (with
// ValidMinus) or 32-bit two's complement values.
NumberRead ReadNumberText(QStringView text, const NumberFormat& format = {});

// --- rounding and formatting ---

// Rounds a decimal text to the given number of decimals by working on its digits;
// thousands separators are removed first. A negative count, a text without decimals
// or with no more than `decimals` of them comes back unchanged. With 0 decimals the
// result ends in the decimal separator.
QString RoundNumberText(QStringView text, int decimals, TRoundMode mode, QChar decimalSeparator = u'.',
                        QChar thousandSeparator = u',');

// A number in plain decimal notation: up to 18 significant digits, never an
// exponent, a full stop as the separator, "0" for zero of either sign.
QString PlainNumberText(Extended value);

// Groups the integer part of a decimal text in thousands, keeping a leading sign and
// the decimal part as they are.
QString GroupThousands(QStringView text, QChar decimalSeparator = u'.', QChar thousandSeparator = u',');

// The value clamped to the range by the limit options when Limit is on.
Extended ClampValue(const NumberFormat& format, Extended value);

struct FormattedNumber
{
    QString text;
    Extended value = 0; // the value the text reads as; the field stores it back
};

// The text the field shows for a value: clamp, write, round, group, fix the
// decimals, keep a leading "+" of the present text, and read the result back.
FormattedNumber FormattedText(const NumberFormat& format, Extended value, QStringView presentText = {});

// Whole-number views of a value, rounded with RoundMode.
qint64 AsInt64(const NumberFormat& format, Extended value);
qint32 AsInteger(const NumberFormat& format, Extended value); // clamped to 32 bits
QString AsText(const NumberFormat& format, Extended value);

// --- pieces the field's editing shares ---

// "+" or "-".
bool isNumberSign(QChar c);

// The value of a hexadecimal digit ("0" to "9", "A" to "F", "a" to "f"), or -1.
int hexDigitValue(QChar c);

// The text a whole number shows in hexadecimal mode: with ValidMinus its magnitude
// with "-" before a negative number, else its 32-bit two's complement; at least
// Figure digits.
QString HexNumberText(const NumberFormat& format, qint64 number);

} // namespace korbena

Q_DECLARE_OPERATORS_FOR_FLAGS(korbena::TLimitOptions)
