#pragma once

#include "verify/ExpectedReading.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace korbena {

// What the reader found in a symbol.
struct Reading
{
    QString text;
    QString identifier; // the symbology identifier, "]C0" and so on
};

// Reads rendered one-dimensional symbols back with zxing-cpp, an independent
// reader. One reader serves many symbols: its grey buffer is reused.
class SymbolReader
{
public:
    // Reads the symbol in `picture` (dark bars on a light ground running its whole
    // height) as `format`, framed by a white quiet zone of `quietZone` pixels on each
    // side as a printed label has it. Nothing when no symbol is found.
    std::optional<Reading> read(const QImage& picture, ReadFormat format, int quietZone);

private:
    std::optional<Reading> readMatrix(const QImage& picture, ReadFormat format, int quietZone);

    std::vector<unsigned char> m_buffer;
};

} // namespace korbena
