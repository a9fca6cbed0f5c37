#include "verify/SymbolReader.h"

#include <ZXing/ReadBarcode.h>
#include <algorithm>

namespace korbena {

namespace {

// The symbol is pure, drawn without noise: one scan line is all the reader needs.
constexpr int kScanLines = 1;

ZXing::BarcodeFormat zxingFormat(ReadFormat format)
{
    switch (format) {
    case ReadFormat::Ean13:
        return ZXing::BarcodeFormat::EAN13;
    case ReadFormat::Ean8:
        return ZXing::BarcodeFormat::EAN8;
    case ReadFormat::UpcA:
        return ZXing::BarcodeFormat::UPCA;
    case ReadFormat::UpcE:
        return ZXing::BarcodeFormat::UPCE;
    case ReadFormat::Code39:
        return ZXing::BarcodeFormat::Code39;
    case ReadFormat::Codabar:
        return ZXing::BarcodeFormat::Codabar;
    case ReadFormat::Itf:
        return ZXing::BarcodeFormat::ITF;
    case ReadFormat::Code128:
        return ZXing::BarcodeFormat::Code128;
    case ReadFormat::QrCode:
        return ZXing::BarcodeFormat::QRCode;
    case ReadFormat::DataMatrix:
        return ZXing::BarcodeFormat::DataMatrix;
    case ReadFormat::Pdf417:
        return ZXing::BarcodeFormat::PDF417;
    case ReadFormat::Code93:
        break;
    }
    return ZXing::BarcodeFormat::Code93;
}

Reading readingOf(const ZXing::Result& result)
{
    return Reading{QString::fromStdString(result.text()),
                   QString::fromStdString(result.symbologyIdentifier())};
}

} // namespace

std::optional<Reading> SymbolReader::readMatrix(const QImage& picture, ReadFormat format, int quietZone)
{
    // The whole symbol, thresholded, inside a white margin on every side.
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width() + 2 * quietZone;
    const int height = rgb.height() + 2 * quietZone;
    m_buffer.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        unsigned char* row = m_buffer.data() + static_cast<std::size_t>(y + quietZone) * width + quietZone;
        for (int x = 0; x < rgb.width(); ++x)
            row[x] = qGray(line[x]) < 128 ? 0 : 255;
    }
    const ZXing::ImageView view(m_buffer.data(), width, height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(zxingFormat(format));
    // A rendered symbol is pure: upright, no noise, its modules on a grid.
    hints.setIsPure(true);
    hints.setTryRotate(false);
    hints.setTryHarder(false);
    hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
    hints.setMaxNumberOfSymbols(1);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    return readingOf(result);
}

std::optional<Reading> SymbolReader::read(const QImage& picture, ReadFormat format, int quietZone)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    if (isMatrixFormat(format))
        return readMatrix(picture, format, quietZone);
    // The bars run the whole height, so the middle row is the symbol; it is thresholded
    // to black and white between white margins.
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width() + 2 * quietZone;
    m_buffer.assign(static_cast<std::size_t>(width) * kScanLines, 255);
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(rgb.height() / 2));
    unsigned char* row = m_buffer.data() + quietZone;
    for (int x = 0; x < rgb.width(); ++x)
        row[x] = qGray(line[x]) < 128 ? 0 : 255;
    for (int y = 1; y < kScanLines; ++y)
        std::copy_n(m_buffer.data(), width, m_buffer.data() + static_cast<std::size_t>(y) * width);

    const ZXing::ImageView view(m_buffer.data(), width, kScanLines, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    // Only the symbology drawn: an EAN-13 with a leading 0 stays EAN-13 instead of
    // becoming UPC-A, and nothing else is looked for.
    hints.setFormats(zxingFormat(format));
    hints.setTryRotate(false);
    hints.setTryHarder(false);
    hints.setTryDownscale(false);
    hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
    hints.setMinLineCount(1);
    hints.setMaxNumberOfSymbols(1);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    return Reading{QString::fromStdString(result.text()),
                   QString::fromStdString(result.symbologyIdentifier())};
}

} // namespace korbena
