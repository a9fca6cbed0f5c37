#include "sheet/PageComposer.h"

#include "TestSupport.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "symbol/BarImage.h"
#include "symbol/BarTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::inked;
using test::pixelAt;

// 254 dpi is exactly 10 pixels a millimetre, so positions read off in whole pixels.
constexpr int kTenPerMm = 254;

DeviceMetrics screen96()
{
    DeviceMetrics m;
    m.printerDpiX = m.printerDpiY = 600;
    m.screenDpiX = m.screenDpiY = 96;
    m.printableWidth = 200;
    m.printableHeight = 287;
    m.offsetX = m.offsetY = 5;
    m.paperWidth = 210;
    m.paperHeight = 297;
    return m;
}

LabelStyle janSheet(double across, double down)
{
    LabelStyle style;
    style.BARCODE_TYPE = cbarJAN;
    style.NUM_X = across;
    style.NUM_Y = down;
    style.INTERVAL_X = 60;
    style.INTERVAL_Y = 30;
    style.SIZE = 1;
    style.SIZE_X = 40;
    style.SIZE_Y = 10;
    style.X_LOCATE = 5;
    style.Y_LOCATE = 2;
    style.TITLE_PRINT = true;
    style.BARCODE_PRINT = true;
    return style;
}

// Rows 1 to n numbered 4901234567890 + k (a valid JAN without its check digit when
// 12 digits), titled "item k".
DataList numberedRows(int n)
{
    DataList rows;
    rows.SetRowCount(n + 1);
    for (int k = 1; k <= n; ++k) {
        rows.setTitle(k, QStringLiteral("item %1").arg(k));
        rows.setNumber(k, QString::number(490123456000LL + k));
    }
    return rows;
}

QImage whitePage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

PageRequest requestFor(int page, SurfaceKind kind, int dpi)
{
    PageRequest request;
    request.page = page;
    request.kind = kind;
    request.dpiX = request.dpiY = dpi;
    return request;
}

class PageComposerTest : public ::testing::Test
{
protected:
    PageResult compose(QImage& image, const LabelStyle& style, const DataList& rows, int page,
                       SurfaceKind kind = SurfaceKind::Preview, int dpi = kTenPerMm)
    {
        Canvas canvas(&image);
        return composer.compose(canvas, style, rows, screen96(), requestFor(page, kind, dpi));
    }
    bool hasFile(int cell) const { return QFileInfo::exists(composer.imagePath(cell)); }

    QTemporaryDir data;
    QTemporaryDir install;
    PageComposer composer{data.path()};
};

TEST_F(PageComposerTest, CellsShowTheRowsOfTheirPage)
{
    QImage image = whitePage(200, 100);
    const DataList rows = numberedRows(14);
    const PageResult page2 = compose(image, janSheet(3, 2), rows, 2);
    EXPECT_EQ(page2.cellsPerPage, 6);
    EXPECT_EQ(page2.cellsDrawn, 6);
    EXPECT_TRUE(page2.hasNextPage); // row 13
    // The component is left with the page's last cell: row 12.
    EXPECT_EQ(composer.symbol().Code(), u"490123456012");

    const PageResult page3 = compose(image, janSheet(3, 2), rows, 3);
    EXPECT_EQ(page3.cellsDrawn, 2);
    EXPECT_FALSE(page3.hasNextPage);
    EXPECT_TRUE(hasFile(1));
    EXPECT_FALSE(hasFile(2)); // rewritten for an empty row: gone
    EXPECT_TRUE(page3.message.isEmpty());
}

TEST_F(PageComposerTest, PageBelowOneIsDrawnAsPageOne)
{
    QImage image = whitePage(10, 10);
    const PageResult result = compose(image, janSheet(3, 2), numberedRows(8), 0);
    EXPECT_EQ(result.page, 1);
    EXPECT_EQ(composer.symbol().Code(), u"490123456006");
}

TEST_F(PageComposerTest, FractionalCountsGiveCellsWithoutAPlace)
{
    QImage image = whitePage(10, 10);
    const DataList rows = numberedRows(12);
    const PageResult page1 = compose(image, janSheet(2.5, 2), rows, 1);
    EXPECT_EQ(page1.cellsPerPage, 5);
    EXPECT_EQ(page1.cellsDrawn, 4); // 2 x 2 places
    EXPECT_TRUE(hasFile(4));        // the fifth row's image, with no place on the sheet
    compose(image, janSheet(2.5, 2), rows, 2);
    EXPECT_EQ(composer.symbol().Code(), u"490123456010"); // page 2 holds rows 6 to 10
}

TEST_F(PageComposerTest, NoCellsWhenACountIsZero)
{
    QImage image = whitePage(100, 100);
    const DataList rows = numberedRows(3);
    const PageResult result = compose(image, janSheet(3, 0), rows, 4);
    EXPECT_EQ(result.cellsPerPage, 0);
    EXPECT_EQ(result.cellsDrawn, 0);
    EXPECT_TRUE(inked(image).isEmpty());
    EXPECT_TRUE(pageExists(rows, 0, 7)); // every page starts at row 1
}

TEST_F(PageComposerTest, MessageLineAndImageFiles)
{
    DataList rows;
    rows.SetRowCount(6);
    rows.setTitle(1, QStringLiteral("good"));
    rows.setNumber(1, QStringLiteral(" 490123456789 ")); // blanks are trimmed for the symbol
    rows.setNumber(2, QStringLiteral("490123456789"));   // no title: file, no image drawn
    rows.setTitle(3, QStringLiteral("letter"));
    rows.setNumber(3, QStringLiteral("49012345678A")); // JAN cannot encode it
    rows.setTitle(4, QStringLiteral("no number"));
    QImage image = whitePage(400, 200);
    LabelStyle style = janSheet(2, 2);
    style.INTERVAL_X = 20;
    style.INTERVAL_Y = 10;
    style.SIZE_X = 15;
    style.SIZE_Y = 8;
    const PageResult result = compose(image, style, rows, 1);

    EXPECT_EQ(result.message, barcodeErrorMessage());
    EXPECT_TRUE(result.imageError.isEmpty());
    // Only a number that cannot be encoded is a failed row; a missing one is not.
    EXPECT_EQ(result.failedRows, (std::vector<FailedRow>{{3, QStringLiteral("49012345678A")}}));
    EXPECT_TRUE(hasFile(0));
    EXPECT_TRUE(hasFile(1));
    EXPECT_FALSE(hasFile(2));
    EXPECT_FALSE(hasFile(3));
    EXPECT_FALSE(inked(image.copy(50, 20, 150, 80)).isEmpty()); // row 1's barcode
    EXPECT_TRUE(inked(image.copy(250, 20, 150, 80)).isEmpty()); // row 2's, untitled
    EXPECT_TRUE(inked(image.copy(0, 120, 400, 80)).isEmpty());  // rows 3 and 4: no image

    rows.setTitle(3, {});
    rows.setTitle(4, {});
    EXPECT_TRUE(compose(image, style, rows, 1).message.isEmpty());
}

TEST_F(PageComposerTest, ImageFileHoldsTheSymbolPixelForPixel)
{
    QImage image = whitePage(10, 10);
    compose(image, janSheet(1, 1), numberedRows(1), 1);
    QImage file;
    ASSERT_TRUE(file.load(composer.imagePath(0), "BMP"));
    const QImage& symbol = composer.symbol().Picture().bitmap()->image();
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32), symbol.convertToFormat(QImage::Format_RGB32));
}

TEST_F(PageComposerTest, UnwritableImageFolderStillPrintsEveryBarcode)
{
    const LabelStyle style = janSheet(2, 1);
    QImage expected = whitePage(300, 100);
    compose(expected, style, numberedRows(2), 1);

    // A plain file where the folder should be: no image can be written.
    QTemporaryDir blocked;
    QFile blocker(blocked.filePath(QStringLiteral("barimage")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PageComposer other{blocked.path()};
    QImage image = whitePage(300, 100);
    Canvas canvas(&image);
    const PageResult result = other.compose(canvas, style, numberedRows(2), screen96(),
                                            requestFor(1, SurfaceKind::Preview, kTenPerMm));
    EXPECT_TRUE(result.imageError.startsWith(blocker.fileName())) << result.imageError.toStdString();
    // Not a fault of the numbers: every label has its barcode.
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_TRUE(result.failedRows.empty());
    EXPECT_EQ(image, expected);
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
}

TEST_F(PageComposerTest, FilesBeyondThePageAreLeftAlone)
{
    QDir().mkpath(data.filePath(QStringLiteral("barimage")));
    QImage old = whitePage(3, 3);
    ASSERT_TRUE(old.save(composer.imagePath(7), "BMP"));
    ASSERT_TRUE(old.save(composer.imagePath(1), "BMP"));
    QImage image = whitePage(10, 10);
    compose(image, janSheet(3, 1), numberedRows(1), 1);
    EXPECT_FALSE(hasFile(1)); // a cell of this page without a row
    EXPECT_TRUE(hasFile(7));  // not a cell of this layout
}

TEST(LabelImageFiles, CellIndexHasAtLeastThreeDigits)
{
    EXPECT_EQ(labelImageFileName(7), u"barcode_007.bmp");
    EXPECT_EQ(labelImageFileName(42), u"barcode_042.bmp");
    EXPECT_EQ(labelImageFileName(999), u"barcode_999.bmp");
    EXPECT_EQ(labelImageFileName(1000), u"barcode_1000.bmp");
}

TEST(TitleLines, CutAtThirtyUnitsWithoutSplittingAPair)
{
    const QString thirty(30, u'x');
    EXPECT_EQ(splitTitle(thirty).first, thirty);
    EXPECT_TRUE(splitTitle(thirty).second.isEmpty());
    EXPECT_EQ(splitTitle(thirty + u'y').second, u"y");

    const QString pair = QString::fromUtf8("\xF0\xA0\x80\x8B"); // U+2000B, two units
    const QString highAt30 = QString(29, u'x') + pair + u'z';   // units 30 and 31
    EXPECT_EQ(splitTitle(highAt30).first, QString(29, u'x') + pair);
    EXPECT_EQ(splitTitle(highAt30).second, u"z");
    const QString lowAt30 = QString(28, u'x') + pair + u'z'; // units 29 and 30
    EXPECT_EQ(splitTitle(lowAt30).first, QString(28, u'x'));
    EXPECT_EQ(splitTitle(lowAt30).second, pair + u'z');
}

TEST(NumberText, CheckCharactersAndStartStop)
{
    LabelStyle style;
    style.BARCODE_TYPE = cbarCODE39;
    style.START_CHAR = style.STOP_CHAR = QStringLiteral("*");
    style.CHECK_DT = 1;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("ABC")), u"*ABC*");
    style.CHECK_DT = 0; // A 10 + B 11 + C 12 = 33: "X"
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("ABC")), u"*ABCX*");

    style.BARCODE_TYPE = cbarNW7;
    style.START_CHAR = QStringLiteral("A");
    style.STOP_CHAR = QStringLiteral("B"); // A 16 + 1 + 2 + 3 + B 17 = 39; 16 - 39 mod 16 = 9
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("123")), u"A1239B");
    style.CHECK_DT = 1;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("123")), u"A123B");

    style.BARCODE_TYPE = cbarITF;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("12345")), u"012345");
    style.CHECK_DT = 0; // 5x3 + 4 + 3x3 + 2 + 1x3 = 33: check digit 7
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("12345")), u"123457");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("1234")), u"012348");

    style.BARCODE_TYPE = cbarJAN;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral(" 4901 ")), u" 4901 ");
}

TEST(NumberText, JanAndUpcShowTheCheckDigitTheSymbolCarries)
{
    LabelStyle style;
    style.BARCODE_TYPE = cbarJAN;
    for (const int check : {0, 1}) { // the check-digit switch has no say over JAN and UPC
        style.CHECK_DT = check;
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("490000100013")), u"4900001000138");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("4900001000138")), u"4900001000138");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral(" 4901234 ")), u"49012347");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("49012347")), u"49012347");
    }
    // A wrong check digit gives no symbol: the text stays as entered.
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("4900001000130")), u"4900001000130");

    style.BARCODE_TYPE = cbarUPC;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("01234500005")), u"012345000058");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("012345000058")), u"012345000058");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("0123455")), u"01234558");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("01234558")), u"01234558");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("0120003")), u"0120003"); // no UPC-A form
}

TEST_F(PageComposerTest, AWrongCheckDigitIsNamedOnTheMessageLine)
{
    DataList rows;
    rows.setTitle(1, QStringLiteral("good"));
    rows.setNumber(1, QStringLiteral("4901234567894"));
    rows.setTitle(2, QStringLiteral("wrong check digit"));
    rows.setNumber(2, QStringLiteral("4901234567890"));
    rows.setTitle(3, QStringLiteral("letter"));
    rows.setNumber(3, QStringLiteral("49012345678A"));
    LabelStyle style = janSheet(3, 1);
    QImage image = whitePage(600, 200);
    const PageResult result = compose(image, style, rows, 1);
    // The first failing row's message; the row with the right check digit got its barcode.
    EXPECT_EQ(result.message, u"チェックデジットが違います: 4901234567890（正しくは 4）");
    EXPECT_EQ(result.failedRows, (std::vector<FailedRow>{{2, QStringLiteral("4901234567890")},
                                                         {3, QStringLiteral("49012345678A")}}));
    EXPECT_EQ(barcodeErrorMessage(style, QStringLiteral("49012345678A")), barcodeErrorMessage());
}

TEST(LabelImageSize, SizeModes)
{
    ImageScaling preview;
    preview.scaleX = preview.scaleY = SheetScale::fromDpi(96);
    const QSize image(300, 105);
    const auto mm = [](double v) { return SheetLength::fromMillimetres(v); };
    // 40 mm wide, trunc(40 x 105 / 300 + 0.5) = 14 mm high; 3.7795 pixels a mm.
    EXPECT_EQ(labelImageSize(preview, image, mm(40), mm(0), 1), QSize(151, 52));
    EXPECT_EQ(labelImageSize(preview, image, mm(0), mm(14), 1), QSize(151, 52)); // 40.5 -> 40 mm
    EXPECT_EQ(labelImageSize(preview, image, mm(40), mm(20), 1), QSize(151, 75));
    EXPECT_EQ(labelImageSize(preview, image, mm(0), mm(0), 1), image);
    EXPECT_EQ(labelImageSize(preview, image, mm(40), mm(20), 0), image);
    preview.zoomPercent = 200;
    EXPECT_EQ(labelImageSize(preview, image, mm(40), mm(20), 0), QSize(600, 210));

    ImageScaling printer = preview;
    printer.kind = SurfaceKind::Printer;
    printer.zoomPercent = 100;
    EXPECT_EQ(labelImageSize(printer, image, {}, {}, 0), QSize(1875, 656)); // x 6.25
}

TEST_F(PageComposerTest, NoOtherPictureStandsInForAFailedCell)
{
    // Black pictures under the cell's name, in the working folder and in the
    // installation, must not become the label of a row that cannot be encoded.
    QImage standIn(300, 105, QImage::Format_RGB32);
    standIn.fill(Qt::black);
    for (const QTemporaryDir* dir : {&data, &install}) {
        QDir().mkpath(dir->filePath(QStringLiteral("barimage")));
        ASSERT_TRUE(standIn.save(dir->filePath(QStringLiteral("barimage/barcode_000.bmp")), "BMP"));
    }
    DataList rows;
    rows.setTitle(1, QStringLiteral("cannot encode"));
    rows.setNumber(1, QStringLiteral("ABC"));
    LabelStyle style = janSheet(1, 1);
    QImage image = whitePage(2000, 800);
    const PageResult result = compose(image, style, rows, 1, SurfaceKind::Printer, 600);
    EXPECT_EQ(result.message, barcodeErrorMessage());
    EXPECT_EQ(result.failedRows, (std::vector<FailedRow>{{1, QStringLiteral("ABC")}}));
    EXPECT_TRUE(inked(image).isEmpty());
    EXPECT_FALSE(hasFile(0));
}

TEST_F(PageComposerTest, PictureLandsAtPrinterSize)
{
    LabelStyle style = janSheet(1, 1);
    style.SIZE = 0;
    style.X_LOCATE = 1;
    style.Y_LOCATE = 2;
    style.X_OFFSET = 2.7; // whole millimetres only: 3 mm in all
    QImage image = whitePage(4000, 1000);
    const PageResult result = compose(image, style, numberedRows(1), 1, SurfaceKind::Printer, 600);
    EXPECT_TRUE(result.message.isEmpty());
    // One screen pixel of the symbol is 6.25 printer pixels; its bars run its full
    // height. trunc(3 x 23.6220) = 70, trunc(2 x 23.6220) = 47.
    const QSize symbol = composer.symbol().Picture().bitmap()->image().size();
    const QRect box = inked(image);
    EXPECT_EQ(box.top(), 47);
    EXPECT_EQ(box.height(), symbol.height() * 625 / 100);
    EXPECT_GE(box.left(), 70);
    EXPECT_LE(box.right(), 70 + symbol.width() * 625 / 100);
}

TEST_F(PageComposerTest, TitleAndNumberPlacedPerCell)
{
    DataList rows;
    rows.setTitle(2, QStringLiteral("T"));
    rows.setNumber(2, QStringLiteral("7"));
    LabelStyle style = janSheet(2, 1);
    style.BARCODE_TYPE = cbarCODE128;
    style.INTERVAL_X = 50;
    style.TITLE_PRINT = false;
    style.BARCODE_PRINT = false;
    style.TITLE_X = 10;
    style.TITLE_Y = 3;
    style.BARCODE_X = 30;
    style.BARCODE_Y = 3;
    style.SIZE_X = style.SIZE_Y = 1;
    style.X_LOCATE = style.Y_LOCATE = 30; // images out of the way below
    style.TITLE_FONT_COLOE = style.BARCODE_FONT_COLOR = clBlack;
    QImage image = whitePage(1000, 290);
    compose(image, style, rows, 1);
    // Only the second cell holds text: the title from x = 600, the number from 800.
    EXPECT_TRUE(inked(image.copy(0, 0, 590, 290)).isEmpty());
    const QRect title = inked(image.copy(590, 0, 200, 290));
    const QRect number = inked(image.copy(790, 0, 200, 290));
    EXPECT_NEAR(title.left(), 10, 3);
    EXPECT_NEAR(number.left(), 10, 3);
    EXPECT_GE(title.top(), 30);
}

} // namespace
} // namespace korbena
