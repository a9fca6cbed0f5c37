#include "sheet/DeviceMetrics.h"

#include "sheet/PaperList.h"
#include "sheet/PrintTarget.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(PixelsToMillimetres, RoundsToTheNearestWholeMillimetre)
{
    // 4961 pixels at 600 dpi are 210.01 mm.
    EXPECT_EQ(PixelsToMillimetres(4961, 600), 210);
    EXPECT_EQ(PixelsToMillimetres(7016, 600), 297); // 296.94
    EXPECT_EQ(PixelsToMillimetres(2551, 300), 216); // 215.99
    EXPECT_EQ(PixelsToMillimetres(100, 600), 4);    // 4.23
    EXPECT_EQ(PixelsToMillimetres(-100, 600), -4);
    EXPECT_EQ(PixelsToMillimetres(0, 600), 0);
    // No resolution, no length.
    EXPECT_EQ(PixelsToMillimetres(4961, 0), 0);
    EXPECT_EQ(PixelsToMillimetres(4961, -600), 0);
}

TEST(PixelsToMillimetres, HalvesGoToTheEvenNeighbour)
{
    // At 254 dpi ten pixels are exactly one millimetre, so these lengths end in .5.
    EXPECT_EQ(PixelsToMillimetres(25, 254), 2);
    EXPECT_EQ(PixelsToMillimetres(35, 254), 4);
    EXPECT_EQ(PixelsToMillimetres(15, 254), 2);
    EXPECT_EQ(PixelsToMillimetres(5, 254), 0);
    EXPECT_EQ(PixelsToMillimetres(-25, 254), -2);
    // 3000 pixels at 1200 dpi are 63.5 mm; 1500 at 1200 dpi 31.75 mm.
    EXPECT_EQ(PixelsToMillimetres(3000, 1200), 64);
    EXPECT_EQ(PixelsToMillimetres(1500, 1200), 32);
    // Just beside a half: 26 pixels at 254 dpi are 2.6 mm.
    EXPECT_EQ(PixelsToMillimetres(26, 254), 3);
}

TEST(ReadDeviceMetrics, ConvertsEachAxisAtItsOwnResolution)
{
    // A4 on a 600 x 300 dpi printer with a 4.23 mm margin on every side.
    PrinterPage page;
    page.dpiX = 600;
    page.dpiY = 300;
    page.physicalWidth = 4960;   // 209.97 mm
    page.physicalHeight = 3507;  // 296.93 mm
    page.physicalOffsetX = 100;  // 4.23 mm
    page.physicalOffsetY = 50;   // 4.23 mm
    page.printableWidth = 4760;  // 201.51 mm
    page.printableHeight = 3407; // 288.46 mm
    const DeviceMetrics m = ReadDeviceMetrics(page, 96, 120);
    EXPECT_EQ(m.printerDpiX, 600);
    EXPECT_EQ(m.printerDpiY, 300);
    EXPECT_EQ(m.screenDpiX, 96);
    EXPECT_EQ(m.screenDpiY, 120);
    EXPECT_EQ(m.paperWidth, 210);
    EXPECT_EQ(m.paperHeight, 297);
    EXPECT_EQ(m.offsetX, 4);
    EXPECT_EQ(m.offsetY, 4);
    EXPECT_EQ(m.printableWidth, 202);
    EXPECT_EQ(m.printableHeight, 288);
}

TEST(ReadDeviceMetrics, APdfFileIsPrintableToItsEdges)
{
    QTemporaryDir dir;
    PdfFileTarget pdf(dir.filePath(QStringLiteral("sheet.pdf")), 600);
    ASSERT_TRUE(ApplyPaperSettings(pdf, 9, 0));
    const DeviceMetrics portrait = ReadDeviceMetrics(pdf, 96, 96);
    EXPECT_EQ(portrait.printerDpiX, 600);
    EXPECT_EQ(portrait.printerDpiY, 600);
    EXPECT_EQ(portrait.paperWidth, 210);
    EXPECT_EQ(portrait.paperHeight, 297);
    EXPECT_EQ(portrait.printableWidth, 210);
    EXPECT_EQ(portrait.printableHeight, 297);
    EXPECT_EQ(portrait.offsetX, 0);
    EXPECT_EQ(portrait.offsetY, 0);

    // Landscape A4: the printable width is the long side.
    ASSERT_TRUE(ApplyPaperSettings(pdf, 9, 1));
    const DeviceMetrics landscape = ReadDeviceMetrics(pdf, 96, 96);
    EXPECT_EQ(landscape.printableWidth, 297);
    EXPECT_EQ(landscape.printableHeight, 210);
    EXPECT_EQ(landscape.paperWidth, 297);
}

} // namespace
} // namespace korbena
