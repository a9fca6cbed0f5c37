#include "sheet/PageComposer.h"

#include "TestSupport.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PrintCheckReport.h"
#include "sheet/PrintJob.h"
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
    style.symbol.symbology = cbarJAN;
    style.sheet.across = across;
    style.sheet.down = down;
    style.sheet.pitchX = 60;
    style.sheet.pitchY = 30;
    style.placement.sizeMode = 1;
    style.placement.width = 40;
    style.placement.height = 10;
    style.placement.x = 5;
    style.placement.y = 2;
    style.title.printed = false;
    style.number.printed = false;
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

TEST_F(PageComposerTest, FractionalCountsTakeOnlyTheRowsTheyDraw)
{
    QImage image = whitePage(10, 10);
    const DataList rows = numberedRows(12);
    const PageResult page1 = compose(image, janSheet(2.5, 2), rows, 1);
    EXPECT_EQ(page1.cellsPerPage, 4); // 2 x 2 places
    EXPECT_EQ(page1.cellsDrawn, 4);
    EXPECT_FALSE(hasFile(4)); // no fifth row without a place
    compose(image, janSheet(2.5, 2), rows, 2);
    EXPECT_EQ(composer.symbol().Code(), u"490123456008"); // page 2 holds rows 5 to 8

    // 3.5 across once took 28 rows a page and drew 24, leaving rows 25 to 28 on no
    // page; 0.5 across printed pages without a label. Every row is drawn once, on the
    // pages printed and checked, or the sheet has no labels at all.
    struct Case
    {
        double across, down;
        int cells;
    };
    const DataList sixty = numberedRows(60);
    for (const Case c : {Case{3.5, 8, 24}, Case{2.5, 2, 4}, Case{0.5, 4, 0}}) {
        SCOPED_TRACE(c.across);
        const LabelStyle style = janSheet(c.across, c.down);
        EXPECT_EQ(cellsPerPage(style), c.cells);
        int drawn = 0;
        const int pages = c.cells > 0 ? sheetPageCount(sixty, c.cells) : 0;
        for (int page = 1; page <= pages; ++page)
            drawn += compose(image, style, sixty, page).cellsDrawn;
        EXPECT_EQ(drawn, c.cells > 0 ? 60 : 0);
        EXPECT_EQ(printedRows(style, sixty).size(), c.cells > 0 ? 60u : 0u);
    }
}

TEST_F(PageComposerTest, LabelsOffThePaperAreNamedAndNeverRendered)
{
    // 1000 x 1000 labels of 60 x 30 mm on A4's 200 x 287 mm: the first three of each
    // of the first ten grid rows fit (a 40 x 10 mm barcode at 5, 2 mm in each).
    const DataList rows = numberedRows(20000);
    QImage image = whitePage(2000, 2870);
    const PageResult result = compose(image, janSheet(1000, 1000), rows, 1);
    EXPECT_EQ(result.cellsPerPage, DataList::kMaxRowCount);
    EXPECT_EQ(result.cellsDrawn, 30);
    EXPECT_TRUE(result.failedRows.empty());
    ASSERT_EQ(result.offPaperRows.size(), 20000u - 30u);
    EXPECT_EQ(result.offPaperRows.front(),
              (FailedRow{4, QStringLiteral("490123456004"), LabelFault::OffPaper}));
    EXPECT_EQ(result.offPaperRows.back().row, 20000);
    EXPECT_EQ(result.rowsWithoutBarcode().size(), 20000u - 30u);
    // A symbol and a file only for the labels on the paper.
    const QStringList files = QDir(data.filePath(QStringLiteral("barimage"))).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 30);
    EXPECT_TRUE(hasFile(2002));
    EXPECT_FALSE(hasFile(3));
    // Nothing is drawn beyond the last label that fits.
    EXPECT_TRUE(inked(image.copy(1700, 0, 300, 2870)).isEmpty());
    EXPECT_TRUE(inked(image.copy(0, 2830, 2000, 40)).isEmpty());
    EXPECT_FALSE(inked(image.copy(1250, 2720, 400, 100)).isEmpty()); // row 9003's barcode

    // A barcode reaching past the edge, or placed before the corner, is off the paper too.
    LabelStyle style = janSheet(1, 1);
    style.placement.width = 196;
    EXPECT_EQ(compose(image, style, rows, 1).offPaperRows.size(), 1u);
    style.placement.width = 40;
    style.placement.x = -1;
    EXPECT_EQ(compose(image, style, rows, 1).offPaperRows.size(), 1u);
    EXPECT_FALSE(hasFile(0));
    style.placement.x = 1e9;
    EXPECT_EQ(compose(image, style, rows, 1).offPaperRows.size(), 1u);
    style.placement.x = 5;
    EXPECT_TRUE(compose(image, style, rows, 1).offPaperRows.empty());
    EXPECT_TRUE(hasFile(0));
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
    style.sheet.pitchX = 20;
    style.sheet.pitchY = 10;
    style.placement.width = 15;
    style.placement.height = 8;
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
    style.symbol.symbology = cbarCODE39;
    style.symbol.startChar = style.symbol.stopChar = QStringLiteral("*");
    style.symbol.checkDigit = false;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("ABC")), u"*ABC*");
    style.symbol.checkDigit = true; // A 10 + B 11 + C 12 = 33: "X"
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("ABC")), u"*ABCX*");

    style.symbol.symbology = cbarNW7;
    style.symbol.startChar = QStringLiteral("A");
    style.symbol.stopChar = QStringLiteral("B"); // A 16 + 1 + 2 + 3 + B 17 = 39; 16 - 39 mod 16 = 9
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("123")), u"A1239B");
    style.symbol.checkDigit = false;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("123")), u"A123B");

    style.symbol.symbology = cbarITF;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("12345")), u"012345");
    style.symbol.checkDigit = true; // 5x3 + 4 + 3x3 + 2 + 1x3 = 33: check digit 7
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("12345")), u"123457");
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("1234")), u"012348");

    style.symbol.symbology = cbarJAN;
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral(" 4901 ")), u" 4901 ");
}

TEST(NumberText, JanAndUpcShowTheCheckDigitTheSymbolCarries)
{
    LabelStyle style;
    style.symbol.symbology = cbarJAN;
    for (const bool check : {true, false}) { // the check-digit switch has no say over JAN and UPC
        style.symbol.checkDigit = check;
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("490000100013")), u"4900001000138");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("4900001000138")), u"4900001000138");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral(" 4901234 ")), u"49012347");
        EXPECT_EQ(barcodeNumberText(style, QStringLiteral("49012347")), u"49012347");
    }
    // A wrong check digit gives no symbol: the text stays as entered.
    EXPECT_EQ(barcodeNumberText(style, QStringLiteral("4900001000130")), u"4900001000130");

    style.symbol.symbology = cbarUPC;
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
    style.placement.sizeMode = 0;
    style.placement.x = 1;
    style.placement.y = 2;
    style.sheet.offsetX = 2.7; // whole millimetres only: 3 mm in all
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
    style.symbol.symbology = cbarCODE128;
    style.sheet.pitchX = 50;
    style.title.printed = true;
    style.number.printed = true;
    style.title.x = 10;
    style.title.y = 3;
    style.number.x = 30;
    style.number.y = 3;
    style.placement.width = style.placement.height = 1;
    style.placement.x = style.placement.y = 30; // images out of the way below
    style.title.color = style.number.color = clBlack;
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
