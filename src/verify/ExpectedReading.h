#pragma once

#include "symbol/BarTypes.h"

#include <QString>

namespace korbena {

class BarImage;

// The symbologies an independent reader is asked for, one per verifiable type (JAN
// and UPC each have two lengths).
enum class ReadFormat {
    Ean13,
    Ean8,
    UpcA,
    UpcE,
    Code39,
    Codabar,
    Itf,
    Code128,
    Code93,
    QrCode,
    DataMatrix,
    Pdf417
};

// The two-dimensional formats, read over the whole picture rather than one line.
constexpr bool isMatrixFormat(ReadFormat format)
{
    return format == ReadFormat::QrCode || format == ReadFormat::DataMatrix || format == ReadFormat::Pdf417;
}

// What a reader transmits for the symbol just encoded, built from its interpreted
// text: the component's WorkSymbol and the typed code.
struct ExpectedReading
{
    enum class Kind {
        Readable,       // read it back and compare
        UnreadableType, // no common reader decodes this symbology
        UnreadableData, // a reader refuses this content (too short, FNC4)
    };
    Kind kind = Kind::UnreadableType;
    ReadFormat format = ReadFormat::Ean13;
    QString text;
    // The symbology identifier ISO/IEC 15417 has a CODE-128 reader send (]C0, ]C1,
    // ]C2); empty for the other symbologies, whose identifier is not compared.
    QString identifier;
};

// The reading expected for `bar`, which has just encoded its Code successfully.
ExpectedReading expectedReading(const BarImage& bar);

// The reading of a CODE-128 symbol from its WorkSymbol: the start letter, the data
// in the input syntax with its switch escapes, and the written check character.
ExpectedReading expectedCode128Reading(const QString& workSymbol);

// The text a full-ASCII CODE-93 reader sends for a typed code: each shift escape
// with its letter ("<+>A") becomes the character it stands for (AIM USS Code 93).
// `ok` is false when a pair stands for no character.
struct Code93Text
{
    QString text;
    bool ok = true;
};
Code93Text code93FullAscii(const QString& code);

// A text as a report shows it: control characters written as the CODE-128
// escapes ("<GS>", "<DEL>").
QString visibleText(const QString& text);

} // namespace korbena
