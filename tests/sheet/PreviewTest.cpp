#include "sheet/Preview.h"

#include "TestSupport.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "symbol/BarTypes.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::pixelAt;

DeviceMetrics a4At96()
{
    DeviceMetrics m;
    m.printerDpiX = m.printerDpiY = 600;
    m.screenDpiX = m.screenDpiY = 96;
    m.paperWidth = 210;
    m.paperHeight = 297;
    m.offsetX = 5;
    m.offsetY = 4;
    m.printableWidth = 200;
    m.printableHeight = 289;
    return m;
}

TEST(PreviewZoom, ResolutionAndLimits)
{
    EXPECT_EQ(previewDpi(96, 120), 115);
    EXPECT_EQ(previewDpi(96, 5), 4);
    EXPECT_EQ(clampZoom(195 + kZoomStepPercent), 200);
    EXPECT_EQ(clampZoom(10 - kZoomStepPercent), 5);
}

TEST(PreviewGeometry, SheetAndPageSurface)
{
    const PreviewGeometry g = previewGeometry(a4At96(), 100);
    EXPECT_EQ(g.sheet, QSize(794, 1123)); // round(210 x 3.7795...) = 794
    // Left round(5 x 3.78) = 19, top round(4 x 3.78) = 15; sizes truncated: 755.9, 1092.3.
    EXPECT_EQ(g.pageSurface, QRect(19, 15, 755, 1092));
    EXPECT_EQ(g.printable, QSize(756, 1092));
    const PreviewGeometry half = previewGeometry(a4At96(), 50);
    EXPECT_EQ(half.dpiX, 48);
    EXPECT_EQ(half.sheet, QSize(397, 561)); // 561.26
    EXPECT_EQ(previewGeometry(a4At96(), 500).zoomPercent, 200);
}

TEST(PreviewPages, PreviousAndNext)
{
    EXPECT_EQ(previousPage(1), std::nullopt);
    EXPECT_EQ(previousPage(3), 2);
    DataList rows;
    for (int k = 1; k <= 30; ++k)
        rows.setNumber(k, QString::number(k));
    EXPECT_EQ(nextPage(rows, 12, 1), 2);
    EXPECT_EQ(nextPage(rows, 12, 2), 3); // row 25
    EXPECT_EQ(nextPage(rows, 12, 3), std::nullopt);
    rows.setTitle(13, QStringLiteral("title only"));
    rows.setNumber(13, QString());
    EXPECT_EQ(nextPage(rows, 12, 1), std::nullopt);
}

class PreviewComposition : public ::testing::Test
{
protected:
    void SetUp() override
    {
        style.symbol.symbology = cbarJAN;
        style.sheet.across = 1;
        style.sheet.down = 1;
        style.placement.sizeMode = 1;
        style.placement.width = 40;
        style.placement.height = 10;
        style.placement.x = 10;
        style.placement.y = 10;
        style.number.printed = false;
        style.title.x = 10;
        style.title.y = 30;
        style.title.color = clBlack;
        rows.setTitle(1, QStringLiteral("HHHH"));
        rows.setNumber(1, QStringLiteral("490123456789"));
    }

    // Height of the title's ink below the barcode, on the page surface at `zoom`.
    int titleHeight(int zoom)
    {
        const PreviewPage page = composer.composePreview(style, rows, a4At96(), 1, zoom);
        const PreviewGeometry g = previewGeometry(a4At96(), zoom);
        const QPoint origin = g.pageSurface.topLeft();
        const int top = origin.y() + previewDpi(96, zoom) * 25 / 254; // 25 mm down: past the barcode
        int first = -1;
        int last = -1;
        for (int y = top; y < origin.y() + g.pageSurface.height() - 2; ++y)
            for (int x = origin.x() + 2; x < origin.x() + g.pageSurface.width() / 2; ++x)
                if (pixelAt(page.image, x, y) == clBlack) {
                    first = first < 0 ? y : first;
                    last = y;
                }
        return first < 0 ? 0 : last - first + 1;
    }

    QTemporaryDir data;
    PageComposer composer{data.path()};
    LabelStyle style;
    DataList rows;
};

TEST_F(PreviewComposition, SheetPrintableAreaAndLabels)
{
    const PreviewPage page = composer.composePreview(style, rows, a4At96(), 1, 100);
    ASSERT_EQ(page.image.size(), QSize(794, 1123));
    EXPECT_EQ(pixelAt(page.image, 5, 5), kSheetColor);
    EXPECT_EQ(pixelAt(page.image, 19, 15), clBlack); // outline corner
    EXPECT_EQ(pixelAt(page.image, 19 + 755, 15 + 500),
              kSheetColor); // the outline's right edge is past the surface
    EXPECT_EQ(pixelAt(page.image, 30, 25), clWhite);
    EXPECT_EQ(pixelAt(page.image, 790, 1120), kSheetColor);
    // The barcode from (10, 10) mm on the page surface: 37 pixels in, 151 wide.
    int black = 0;
    for (int x = 19 + 37; x < 19 + 37 + 151; ++x)
        black += pixelAt(page.image, x, 15 + 37 + 10) == clBlack;
    EXPECT_GT(black, 30);
    EXPECT_EQ(pixelAt(page.image, 19 + 35, 15 + 37 + 10), clWhite);
    EXPECT_TRUE(page.result.message.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(composer.imagePath(0)));
}

TEST_F(PreviewComposition, TextScalesWithTheZoom)
{
    const int full = titleHeight(100);
    const int half = titleHeight(50);
    const int twice = titleHeight(200);
    ASSERT_GT(full, 10);
    EXPECT_NEAR(half * 2, full, 2);
    EXPECT_NEAR(twice, full * 2, 2);
}

TEST_F(PreviewComposition, UnreadMetricsStillComposeSafely)
{
    const PreviewPage page = composer.composePreview(style, rows, DeviceMetrics{}, 0, 120);
    EXPECT_FALSE(page.image.isNull());
    EXPECT_EQ(page.result.page, 1);
}

} // namespace
} // namespace korbena
