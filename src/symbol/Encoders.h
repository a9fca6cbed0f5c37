#pragma once

#include "symbol/BarTypes.h"
#include "symbol/CheckDigits.h"
#include "symbol/ElementPattern.h"

#include <QChar>
#include <QString>

#include <optional>

namespace korbena {

// The settings of the component an encoder may read.
struct EncodeOptions
{
    bool cd = false;        // add the optional check character
    QChar startChar = u'A'; // NW-7 start character, CODE-128 start set
    QChar stopChar = u'A';  // NW-7 stop character
    bool automatic = true;  // CODE-128 automatic code-set choice
};

// What an encoder returns: the pattern (empty when the code cannot be encoded) and,
// on success, the texts and check value the component publishes.
struct Encoding
{
    ElementPattern pattern;
    QString workSymbol;
    QString symbol;
    int cdn = -1;
    // CODE-128 only: the consumed data and, in automatic mode, the chosen start
    // set; the component takes these even when the encoding fails.
    std::optional<QString> f128Code;
    std::optional<QChar> startChar;

    bool ok() const { return !pattern.isEmpty(); }
};

// One pure function per symbology. Each looks only at the code and the options.
Encoding encodeJan(const QString& code, const EncodeOptions& options = {});
Encoding encodeUpc(const QString& code, const EncodeOptions& options = {});
Encoding encodeCode39(const QString& code, const EncodeOptions& options = {});
Encoding encodeNw7(const QString& code, const EncodeOptions& options = {});
Encoding encodeItf(const QString& code, const EncodeOptions& options = {});
Encoding encodeCtf(const QString& code, const EncodeOptions& options = {});
Encoding encodeIata(const QString& code, const EncodeOptions& options = {});
Encoding encodeMatrix(const QString& code, const EncodeOptions& options = {});
Encoding encodeNec(const QString& code, const EncodeOptions& options = {});
Encoding encodeCustomer(const QString& code, const EncodeOptions& options = {});
Encoding encodeCode128(const QString& code, const EncodeOptions& options = {});
Encoding encodeCode93(const QString& code, const EncodeOptions& options = {});

// UPC-A (11 digits, no check digit) to UPC-E (7 digits: number system and six
// data digits) and back; empty when there is no other form.
QString UpcAToE(const QString& upcA);
QString UpcEToA(const QString& upcE);

// JAN and UPC numbers written in full, check digit included: JAN in 13 or 8 digits,
// UPC-A in 12 and UPC-E in 8. The encoders take them when the last digit is the
// right one; they report nothing, so the places that show messages ask these.

// The check digit a full number should end in, whatever it ends in; nothing when the
// code is not a full number of the symbology (wrong length, a non-digit, a UPC-E
// number without a UPC-A form, another symbology).
std::optional<int> fullNumberCheckDigit(TBarTypes type, const QString& code);

// For a full number whose last digit is not its check digit, the message naming the
// right one: "チェックデジットが違います: 4901234567890（正しくは 4）". Empty for
// every other code.
QString checkDigitFault(TBarTypes type, const QString& code);

// Customer barcode geometry: width of the bar area of a pattern in pixels.
int customerPatternWidth(QStringView pattern, int scale);

} // namespace korbena
