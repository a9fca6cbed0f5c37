#include "symbol/ModuleMatrix.h"

#include <atomic>

namespace korbena {

namespace {
std::atomic<MatrixEncoder> g_encoder{nullptr};
} // namespace

void setMatrixEncoder(MatrixEncoder encoder)
{
    g_encoder.store(encoder);
}

MatrixEncoder matrixEncoder()
{
    return g_encoder.load();
}

ModuleMatrix encodeMatrixSymbol(MatrixSymbology symbology, const QString& data, const MatrixOptions& options)
{
    const MatrixEncoder encoder = matrixEncoder();
    if (encoder == nullptr || data.isEmpty())
        return {};
    ModuleMatrix matrix = encoder(symbology, data, options);
    // A matrix whose cells do not match its size is not drawn.
    if (matrix.isEmpty() || matrix.modules.size() != static_cast<std::size_t>(matrix.width) *
                                                         static_cast<std::size_t>(matrix.height))
        return {};
    return matrix;
}

MatrixSymbology matrixSymbologyOf(TBarTypes type)
{
    switch (type) {
    case cbarDATAMATRIX:
        return MatrixSymbology::DataMatrix;
    case cbarPDF417:
        return MatrixSymbology::Pdf417;
    default:
        return MatrixSymbology::QrCode;
    }
}

int quietZoneModules(MatrixSymbology symbology)
{
    switch (symbology) {
    case MatrixSymbology::QrCode:
        return 4;
    case MatrixSymbology::DataMatrix:
        return 1;
    case MatrixSymbology::Pdf417:
        return 2;
    }
    return 4;
}

} // namespace korbena
