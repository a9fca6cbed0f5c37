#include "matrix/ZintMatrix.h"

#include "symbol/ModuleMatrix.h"

#include <cmath>
#include <memory>
#include <zint.h>

namespace korbena {

namespace {

struct SymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

// Rectangular DataMatrix sizes in libzint's numbering, smallest first: 8x18, 8x32,
// 12x26, 12x36, 16x36, 16x48 (ISO/IEC 16022, table 7).
constexpr int kRectangleSizes[] = {25, 26, 27, 28, 29, 30};

bool moduleSet(const zint_symbol& symbol, int row, int column)
{
    return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

SymbolPtr newSymbol(MatrixSymbology symbology, const MatrixOptions& options)
{
    SymbolPtr symbol(ZBarcode_Create());
    if (!symbol)
        return symbol;
    switch (symbology) {
    case MatrixSymbology::QrCode:
        symbol->symbology = BARCODE_QRCODE;
        symbol->option_1 = static_cast<int>(options.errorCorrection) + 1;
        break;
    case MatrixSymbology::DataMatrix:
        symbol->symbology = BARCODE_DATAMATRIX;
        if (options.shape == DataMatrixShape::Square)
            symbol->option_3 = DM_SQUARE;
        break;
    case MatrixSymbology::Pdf417:
        symbol->symbology = BARCODE_PDF417;
        break;
    }
    // UTF-8 input: QR Code puts characters of JIS X 0208 into Kanji mode (Shift JIS),
    // the others take ISO/IEC 8859-1 or, beyond it, an ECI for UTF-8.
    symbol->input_mode = options.gs1 ? GS1_MODE : UNICODE_MODE;
    return symbol;
}

// The modules, each row of the symbol repeated to its height in modules (PDF417's
// rows are several modules high).
ModuleMatrix matrixOf(const zint_symbol& symbol)
{
    ModuleMatrix matrix;
    std::vector<int> repeat(static_cast<std::size_t>(symbol.rows), 1);
    for (int r = 0; r < symbol.rows; ++r) {
        const float h = symbol.row_height[r];
        if (h >= 1.0F)
            repeat[static_cast<std::size_t>(r)] = static_cast<int>(std::lround(h));
        matrix.height += repeat[static_cast<std::size_t>(r)];
    }
    matrix.width = symbol.width;
    matrix.modules.reserve(static_cast<std::size_t>(matrix.width) * static_cast<std::size_t>(matrix.height));
    for (int r = 0; r < symbol.rows; ++r) {
        for (int k = 0; k < repeat[static_cast<std::size_t>(r)]; ++k) {
            for (int c = 0; c < symbol.width; ++c)
                matrix.modules.push_back(moduleSet(symbol, r, c) ? 1 : 0);
        }
    }
    return matrix;
}

int encodeInto(zint_symbol& symbol, const QByteArray& bytes)
{
    return ZBarcode_Encode(&symbol, reinterpret_cast<const unsigned char*>(bytes.constData()),
                           static_cast<int>(bytes.size()));
}

ModuleMatrix encodeWithZint(MatrixSymbology symbology, const QString& data, const MatrixOptions& options)
{
    const QByteArray bytes = data.toUtf8();
    if (bytes.isEmpty())
        return {};
    if (symbology == MatrixSymbology::DataMatrix && options.shape == DataMatrixShape::Rectangle) {
        // libzint chooses among the square sizes unless it is given one: the smallest
        // rectangle that holds the data is found by trying them in turn.
        for (const int size : kRectangleSizes) {
            SymbolPtr symbol = newSymbol(symbology, options);
            if (!symbol)
                return {};
            symbol->option_2 = size;
            if (encodeInto(*symbol, bytes) < ZINT_ERROR)
                return matrixOf(*symbol);
        }
        return {};
    }
    SymbolPtr symbol = newSymbol(symbology, options);
    if (!symbol || encodeInto(*symbol, bytes) >= ZINT_ERROR)
        return {};
    return matrixOf(*symbol);
}

} // namespace

void installZintMatrixEncoder()
{
    setMatrixEncoder(&encodeWithZint);
}

} // namespace korbena
