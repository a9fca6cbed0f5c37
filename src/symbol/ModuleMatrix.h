#pragma once

#include "symbol/BarTypes.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace korbena {

// The two-dimensional symbologies come from an encoder outside the core (libzint,
// behind src/matrix). The core knows only the result, a grid of modules, and the
// hook the programs install at start-up; without a hook no matrix symbol is drawn,
// as for a code that cannot be encoded.

// QR Code error correction: recovers about 7, 15, 25 or 30 per cent of the symbol.
enum class QrErrorCorrection : int { L = 0, M = 1, Q = 2, H = 3 };

// DataMatrix ECC 200 comes in square and rectangular sizes.
enum class DataMatrixShape : int { Square = 0, Rectangle = 1 };

// The options of a two-dimensional symbol.
struct MatrixOptions
{
    QrErrorCorrection errorCorrection = QrErrorCorrection::M;
    DataMatrixShape shape = DataMatrixShape::Square;
    // The data is a GS1 element string in the human form "(01)…(10)…": QR Code and
    // DataMatrix then start with FNC1 and separate variable-length fields with it.
    bool gs1 = false;

    bool operator==(const MatrixOptions&) const = default;
};

enum class MatrixSymbology : int { QrCode, DataMatrix, Pdf417 };

// A symbol's modules, row by row from the top, true for a dark module, without the
// quiet zone. Empty when the data cannot be encoded.
struct ModuleMatrix
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> modules;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool dark(int x, int y) const { return modules[static_cast<std::size_t>(y) * width + x] != 0; }
};

// The encoder the programs install: the data as typed (GS1 already checked and given
// in its human form) and the options; an empty matrix when it cannot be encoded.
using MatrixEncoder = ModuleMatrix (*)(MatrixSymbology symbology, const QString& data,
                                       const MatrixOptions& options);

void setMatrixEncoder(MatrixEncoder encoder);
MatrixEncoder matrixEncoder();

// Encodes through the installed hook; empty without one.
ModuleMatrix encodeMatrixSymbol(MatrixSymbology symbology, const QString& data, const MatrixOptions& options);

// The bar types drawn as module grids, and which symbology each is.
constexpr bool isMatrixType(int type)
{
    return type == cbarQR || type == cbarDATAMATRIX || type == cbarPDF417;
}
MatrixSymbology matrixSymbologyOf(TBarTypes type);

// The light margin around a symbol, in modules: QR Code 4 (ISO/IEC 18004), DataMatrix
// 1 (ISO/IEC 16022), PDF417 2 (ISO/IEC 15438).
int quietZoneModules(MatrixSymbology symbology);

} // namespace korbena
