#include "sheet/MatrixPlacement.h"

#include "platform/Canvas.h"

#include <algorithm>

namespace korbena {

namespace {

// Whole pixels of a module of `length` at `scale`, rounded, at least one.
int modulePixels(const SheetScale& scale, SheetLength length)
{
    const int twice = scale.toPixels(length.times(2));
    return std::max(1, (twice + 1) / 2);
}

} // namespace

QRect matrixImageRect(const ImageScaling& scaling, QSize picture, int unit, QPoint at, SheetLength width,
                      SheetLength height, int mode, SheetLength moduleSize)
{
    const SheetLength zero;
    const bool box = width > zero && height > zero;
    if (unit <= 0 || picture.width() % unit != 0 || picture.height() % unit != 0 || picture.isEmpty())
        return {at, labelImageSize(scaling, picture, width, height, mode)};
    const int columns = picture.width() / unit;
    const int rows = picture.height() / unit;

    int mx = 0;
    int my = 0;
    if (mode != 0 && box) {
        // The module's length is the smaller share of the box; both axes take it, so
        // a module stays square where the two resolutions differ.
        const SheetLength share =
            SheetLength::fromUnits(std::min(width.units() / columns, height.units() / rows));
        mx = std::max(1, scaling.scaleX.toPixels(share));
        my = std::max(1, scaling.scaleY.toPixels(share));
    } else if (moduleSize > zero) {
        mx = modulePixels(scaling.scaleX, moduleSize);
        my = modulePixels(scaling.scaleY, moduleSize);
    } else {
        const QSize own = labelImageSize(scaling, picture, zero, zero, 0);
        mx = std::max(1, own.width() / columns);
        my = std::max(1, own.height() / rows);
    }
    const QSize size(std::min<std::int64_t>(std::int64_t(columns) * mx, kDeviceLimit),
                     std::min<std::int64_t>(std::int64_t(rows) * my, kDeviceLimit));
    if (!box)
        return {at, size};
    const int boxWidth = scaling.scaleX.toPixels(width);
    const int boxHeight = scaling.scaleY.toPixels(height);
    return {at + QPoint((boxWidth - size.width()) / 2, (boxHeight - size.height()) / 2), size};
}

void drawMatrixImage(Canvas& canvas, const QImage& picture, const QRect& place)
{
    if (picture.isNull() || place.width() <= 0 || place.height() <= 0)
        return;
    // Without smoothing an image drawn at a whole multiple of its modules keeps every
    // module a block of the same pixels.
    canvas.painter().setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.StretchDraw(
        {place.left(), place.top(), place.left() + place.width(), place.top() + place.height()}, picture);
}

SheetLength labelModuleSize(const LabelStyle& style)
{
    return style.symbol.moduleSize > 0 ? SheetLength::fromMillimetres(style.symbol.moduleSize)
                                       : SheetLength();
}

MatrixOptions labelMatrixOptions(const LabelStyle& style)
{
    MatrixOptions options;
    // No level chosen (-1) is the common M.
    if (style.symbol.qrErrorCorrection >= 0 && style.symbol.qrErrorCorrection <= 3)
        options.errorCorrection = static_cast<QrErrorCorrection>(style.symbol.qrErrorCorrection);
    options.shape = style.symbol.dataMatrixShape == 1 ? DataMatrixShape::Rectangle : DataMatrixShape::Square;
    options.gs1 = style.symbol.gs1;
    return options;
}

} // namespace korbena
