#include "sheet/MatrixPlacement.h"

#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "symbol/BarTypes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

constexpr int kTenPerMm = 254;

// The dark pixels' bounding box.
QRect darkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 128)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

// A one-label QR Code sheet, 10 pixels per millimetre, the barcode box at (10, 10)
// mm and 30 x 20 mm, no texts.
struct QrSheet
{
    QTemporaryDir data;
    PageComposer composer{data.path()};
    LabelStyle style;
    DataList rows;

    QrSheet()
    {
        style.sheet.across = style.sheet.down = 1;
        style.symbol.symbology = cbarQR;
        style.placement.x = style.placement.y = 10;
        style.placement.width = 30;
        style.placement.height = 20;
        style.placement.sizeMode = 1;
        style.title.printed = style.number.printed = false;
        rows.setTitle(1, QStringLiteral("t"));
        rows.setNumber(1, QStringLiteral("HELLO"));
    }

    QImage compose(SurfaceKind kind)
    {
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        Canvas canvas(&image);
        DeviceMetrics metrics;
        metrics.screenDpiX = metrics.screenDpiY = 96;
        PageRequest request;
        request.kind = kind;
        request.dpiX = request.dpiY = kTenPerMm;
        const PageResult result = composer.compose(canvas, style, rows, metrics, request);
        EXPECT_TRUE(result.message.isEmpty());
        return image;
    }
};

// Version 1 (21 modules and a quiet zone of 4 each side, 29 in all) in a 30 x 20 mm
// box: the largest whole-pixel module is trunc(20 / 29 mm x 10) = 6 pixels, the
// symbol 174 pixels square, centred in the box's 300 x 200 pixels.
TEST(MatrixPlacement, SizeModeFitsTheLargestWholePixelModuleCentred)
{
    QrSheet sheet;
    const QImage page = sheet.compose(SurfaceKind::Printer);
    const QRect dark = darkBox(page);
    EXPECT_EQ(dark, QRect(100 + (300 - 174) / 2 + 4 * 6, 100 + (200 - 174) / 2 + 4 * 6, 21 * 6, 21 * 6));
    // Every module a 6 x 6 block: the top-left finder's outer ring is 7 modules.
    for (int i = 0; i < 7 * 6; ++i)
        EXPECT_LT(qGray(page.pixel(dark.left() + i, dark.top())), 128) << i;
    EXPECT_GT(qGray(page.pixel(dark.left() + 7 * 6, dark.top())), 128);
}

// Without SIZE mode the picture keeps its own size in whole modules: 5 screen pixels
// a module, which on a 254 dpi page become trunc(145 x 254 / 96) / 29 = 13 pixels.
TEST(MatrixPlacement, OwnSizeIsWholeModulesOnThePreviewAndOnPaper)
{
    QrSheet sheet;
    sheet.style.placement.sizeMode = 0;
    EXPECT_EQ(darkBox(sheet.compose(SurfaceKind::Preview)).size(), QSize(21 * 5, 21 * 5));
    EXPECT_EQ(darkBox(sheet.compose(SurfaceKind::Printer)).size(), QSize(21 * 13, 21 * 13));

    // A box too small for one pixel a module still draws one.
    ImageScaling scaling;
    scaling.scaleX = scaling.scaleY = SheetScale::fromDpi(kTenPerMm);
    const QRect tiny =
        matrixImageRect(scaling, QSize(145, 145), 5, QPoint(0, 0), SheetLength::fromMillimetres(1),
                        SheetLength::fromMillimetres(1), 1, {});
    EXPECT_EQ(tiny.size(), QSize(29, 29));
    // A module size given in millimetres: 0.5 mm is 5 pixels.
    const QRect given = matrixImageRect(scaling, QSize(145, 145), 5, QPoint(0, 0), {}, {}, 0,
                                        SheetLength::fromMillimetres(0.5));
    EXPECT_EQ(given, QRect(0, 0, 145, 145));
}

} // namespace
} // namespace korbena
