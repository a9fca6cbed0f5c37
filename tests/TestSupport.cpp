#include "TestSupport.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace korbena::test {

TColor pixelAt(const QImage& image, int x, int y)
{
    return fromQColor(QColor(image.pixel(x, y)));
}

QString rowBits(const QImage& image, int y, int x0, int x1, TColor barColor)
{
    QString bits;
    for (int x = x0; x < x1; ++x)
        bits.append(pixelAt(image, x, y) == barColor ? u'1' : u'0');
    return bits;
}

QRect inked(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixelAt(image, x, y) != clWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace korbena::test
