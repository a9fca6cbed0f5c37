#include "symbol/BarImage.h"
#include "symbol/Gs1.h"

namespace korbena {

void BarImage::SetMatrixSettings(const MatrixOptions& value)
{
    if (FMatrixOptions == value)
        return;
    FMatrixOptions = value;
    if (isMatrixType(FBarType))
        PaintBarcode();
}

ElementPattern BarImage::EncodeMatrixSymbol()
{
    const MatrixSymbology symbology = matrixSymbologyOf(FBarType);
    // GS1 data is checked against our table first, so the message names the identifier.
    const bool gs1 = FMatrixOptions.gs1 && symbology != MatrixSymbology::Pdf417;
    QString data = FCode;
    if (gs1) {
        const Gs1Reading reading = readGs1(FCode);
        if (!reading.ok())
            return {};
        data = gs1Bracketed(reading.elements);
    }
    MatrixOptions options = FMatrixOptions;
    options.gs1 = gs1;
    ModuleMatrix matrix = encodeMatrixSymbol(symbology, data, options);
    if (matrix.isEmpty())
        return {};
    m_lastMatrix = std::move(matrix);
    ElementPattern pattern;
    pattern.reserve(static_cast<qsizetype>(m_lastMatrix.modules.size()));
    for (const std::uint8_t module : m_lastMatrix.modules)
        pattern.append(module ? u'1' : u'0');
    FWorkSymbol = FCode;
    FSymbol = FCode;
    FCDN = -1;
    return pattern;
}

ElementPattern BarImage::EncodeGS1_128()
{
    return applyEncoding(encodeGs1_128(FCode));
}

void BarImage::DrawModules(Canvas& canvas, const SymbolLayout& layout)
{
    const ModuleMatrix& m = m_lastMatrix;
    const int quiet = quietZoneModules(matrixSymbologyOf(FBarType)) * FScale;
    const int left = FBarLeft + layout.spaceLeft + layout.barOffset + quiet;
    const int top = FBarTop + layout.spaceUp + quiet;
    canvas.SetBrushColor(FBarColor);
    // One fill per run of dark modules in a row.
    for (int y = 0; y < m.height; ++y) {
        int x = 0;
        while (x < m.width) {
            if (!m.dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m.width && m.dark(x, y))
                ++x;
            canvas.FillRect(
                Rect{left + start * FScale, top + y * FScale, left + x * FScale, top + (y + 1) * FScale});
        }
    }
}

} // namespace korbena
