#include "platform/Bitmap.h"

#include <QPainter>
#include <QSaveFile>

#include <algorithm>

namespace korbena {

namespace {

QList<QRgb> greyPalette(int colours)
{
    QList<QRgb> palette;
    palette.reserve(colours);
    for (int i = 0; i < colours; ++i) {
        const int v = colours > 1 ? i * 255 / (colours - 1) : 0;
        palette.append(qRgb(v, v, v));
    }
    return palette;
}

} // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format) : m_format(format)
{
    rebuild(width, height);
}

QImage::Format Bitmap::qtFormat(PixelFormat format)
{
    switch (format) {
    case PixelFormat::pf1bit:
        return QImage::Format_Mono;
    case PixelFormat::pf4bit: // no packed 4-bit format in Qt: one byte per pixel, 16 colours
    case PixelFormat::pf8bit:
        return QImage::Format_Indexed8;
    case PixelFormat::pf16bit:
        return QImage::Format_RGB555;
    case PixelFormat::pf24bit:
        return QImage::Format_BGR888;
    case PixelFormat::pf32bit:
        break;
    }
    return QImage::Format_RGB32;
}

void Bitmap::rebuild(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    m_width = width;
    m_height = height;
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage fresh(width, height, qtFormat(m_format));
    if (fresh.isNull()) { // allocation refused: behave as an empty bitmap
        m_image = QImage();
        m_width = m_height = 0;
        return;
    }
    if (fresh.format() == QImage::Format_Mono)
        fresh.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    else if (fresh.format() == QImage::Format_Indexed8)
        fresh.setColorTable(greyPalette(m_format == PixelFormat::pf4bit ? 16 : 256));
    if (fresh.format() == QImage::Format_Mono || fresh.format() == QImage::Format_Indexed8)
        fresh.fill(fresh.colorCount() - 1);
    else
        fresh.fill(Qt::white);
    if (!m_image.isNull()) {
        const QImage old = m_image.format() == fresh.format() ? m_image : m_image.convertToFormat(fresh.format());
        const int rows = std::min(old.height(), height);
        const int bytes = std::min(old.bytesPerLine(), fresh.bytesPerLine());
        const int usedBytes = std::min(bytes, (std::min(old.width(), width) * fresh.depth() + 7) / 8);
        for (int y = 0; y < rows; ++y)
            std::copy_n(old.constScanLine(y), usedBytes, fresh.scanLine(y));
    }
    m_image = std::move(fresh);
}

void Bitmap::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    rebuild(width, height);
}

void Bitmap::SetPixelFormat(PixelFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    if (m_image.isNull())
        return;
    QImage converted = m_image.convertToFormat(qtFormat(format));
    m_image = std::move(converted);
}

void Bitmap::assign(QImage image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        m_format = PixelFormat::pf1bit;
        break;
    case QImage::Format_Indexed8:
        m_format = image.colorCount() <= 16 ? PixelFormat::pf4bit : PixelFormat::pf8bit;
        break;
    case QImage::Format_RGB555:
    case QImage::Format_RGB16:
        m_format = PixelFormat::pf16bit;
        break;
    case QImage::Format_BGR888:
    case QImage::Format_RGB888:
        m_format = PixelFormat::pf24bit;
        break;
    default:
        m_format = PixelFormat::pf32bit;
        break;
    }
    if (!image.isNull() && image.format() != qtFormat(m_format))
        image = image.convertToFormat(qtFormat(m_format));
    m_image = std::move(image);
    m_width = m_image.isNull() ? 0 : m_image.width();
    m_height = m_image.isNull() ? 0 : m_image.height();
}

bool Bitmap::SaveToFile(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // An empty bitmap still makes a valid file: one white pixel stands in for it.
    QImage out = Empty() ? QImage(1, 1, QImage::Format_RGB32) : m_image;
    if (Empty())
        out.fill(Qt::white);
    if (!out.save(&file, "BMP")) {
        if (error)
            *error = file.errorString().isEmpty() ? QStringLiteral("BMP write failed") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool Bitmap::LoadFromFile(const QString& path, QString* error)
{
    QImage loaded;
    if (!loaded.load(path, "BMP")) {
        if (error)
            *error = QStringLiteral("%1: not a readable BMP file").arg(path);
        return false;
    }
    assign(std::move(loaded));
    return true;
}

} // namespace korbena
