#pragma once

#include "symbol/Encoders.h"
#include "symbol/ModuleMatrix.h"

#include <QString>

#include <vector>

namespace korbena {

// One element of a GS1 element string: the application identifier and its data.
struct Gs1Element
{
    QString ai;
    QString data;

    bool operator==(const Gs1Element&) const = default;
};

// A GS1 element string read from its human form, or the message naming what is wrong.
struct Gs1Reading
{
    std::vector<Gs1Element> elements;
    QString error; // empty when every identifier and its data are valid

    bool ok() const { return error.isEmpty() && !elements.empty(); }
};

// Reads "(01)04912345678904(17)270101(10)LOT1": each identifier must be in the GS1
// table, its data of the stated length and character set, check digits and dates
// valid. A "(" starts a new identifier only when digits and ")" follow it.
Gs1Reading readGs1(const QString& humanForm);

// The first message about `humanForm`, empty when it is a valid GS1 element string.
QString gs1Problem(const QString& humanForm);

// Whether an identifier's data length is fixed by the first two digits of the
// identifier, so that no FNC1 separator follows it.
bool gs1PredefinedLength(const QString& ai);

// The data in the input syntax of our CODE-128 encoder: FNC1 first, the elements
// written out, an FNC1 after each variable-length element but the last, "<" and ">"
// escaped.
QString gs1Code128Input(const std::vector<Gs1Element>& elements);

// The element string as a reader transmits it: FNC1 separators as GS (0x1D).
QString gs1Transmitted(const std::vector<Gs1Element>& elements);

// The element string in square brackets, "[01]…[10]…", for encoders that take that form.
QString gs1Bracketed(const std::vector<Gs1Element>& elements);

// Whether a symbol of `type` with `options` takes its data as a GS1 string.
constexpr bool carriesGs1(int type, const MatrixOptions& options)
{
    return type == cbarGS1_128 || (options.gs1 && (type == cbarQR || type == cbarDATAMATRIX));
}

// GS1-128 carries at most 48 data characters, the separators included.
inline constexpr int kGs1_128MaxCharacters = 48;

// GS1-128: the human form checked against the GS1 table and drawn by our CODE-128
// encoder with FNC1 in first position. `Symbol` is the human form.
Encoding encodeGs1_128(const QString& humanForm);

} // namespace korbena
