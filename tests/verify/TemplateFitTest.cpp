// The default 24-label style laid out for the generic 44-label sheet, composed as a
// printed page and read back: fitted, every label keeps its barcode and texts within
// its own label and every barcode decodes; only moved, the check names the overflow.
#include "TestSupport.h"
#include "document/LabelStyle.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/LabelExtents.h"
#include "sheet/PageComposer.h"
#include "sheet/SheetCatalogue.h"
#include "verify/PrintCheck.h"
#include "verify/SymbolReader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

constexpr int kDpi = 300;

LabelStyle defaultStyle()
{
    const QString path = QStringLiteral(KORBENA_SOURCE_DIR "/resources/conf/KORBENA.dat");
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), style, extras, path);
    return style;
}

// 44 product rows: JAN numbers without their check digit, titles of a product name.
DataList productRows()
{
    DataList rows;
    rows.SetRowCount(45);
    for (int k = 1; k <= 44; ++k) {
        rows.setTitle(k, QStringLiteral("りんごジュース %1").arg(k));
        rows.setNumber(k, QString::number(490123456000LL + k));
    }
    return rows;
}

// A printer without margins, as a PDF file is.
DeviceMetrics a4At(int dpi)
{
    DeviceMetrics m;
    m.printerDpiX = m.printerDpiY = dpi;
    m.screenDpiX = m.screenDpiY = 96;
    m.paperWidth = m.printableWidth = 210;
    m.paperHeight = m.printableHeight = 297;
    return m;
}

struct ComposedPage
{
    QImage image;
    PageResult result;
};

ComposedPage printPage(const LabelStyle& style, const DataList& rows)
{
    QTemporaryDir data;
    PageComposer composer(data.path());
    ComposedPage page;
    page.image = QImage(2480, 3508, QImage::Format_RGB32);
    page.image.fill(Qt::white);
    Canvas canvas(&page.image);
    PageRequest request;
    request.kind = SurfaceKind::Printer;
    request.dpiX = request.dpiY = kDpi;
    page.result = composer.compose(canvas, style, rows, a4At(kDpi), request);
    return page;
}

// Inked pixels on the lines where the sheet's labels meet and on its outer edges: any
// element running out of its label crosses one of them.
int inkOnLabelEdges(const QImage& image, const SheetLayout& sheet)
{
    const auto px = [](double mm) { return static_cast<int>(mm * kDpi / 25.4); };
    const int left = px(sheet.firstX), top = px(sheet.firstY);
    const int right = px(sheet.firstX + sheet.across * sheet.pitchX);
    const int bottom = px(sheet.firstY + sheet.down * sheet.pitchY);
    int ink = 0;
    const auto inked = [&](int x, int y) { return test::pixelAt(image, x, y) != clWhite; };
    for (int c = 0; c <= sheet.across; ++c)
        for (int y = top; y < bottom; ++y)
            ink += inked(std::min(px(sheet.firstX + c * sheet.pitchX), image.width() - 1), y);
    for (int r = 0; r <= sheet.down; ++r)
        for (int x = left; x < right; ++x)
            ink += inked(x, std::min(px(sheet.firstY + r * sheet.pitchY), image.height() - 1));
    return ink;
}

TEST(TemplateFit, TheDefaultStyleFittedToA44LabelSheetStaysWithinEachLabelAndReads)
{
    const std::vector<SheetLayout> layouts = builtInLayouts();
    const SheetLayout& sheet44 = layouts[5];
    ASSERT_EQ(sheet44.name(), QStringLiteral("汎用 A4 44面"));
    const DataList rows = productRows();
    const LabelFrame frame = layoutFrame(sheet44, 0, 0);

    LabelStyle fitted = defaultStyle();
    ASSERT_TRUE(layOutForStock(fitted, sheet44, layouts, 0, 0, true));
    EXPECT_EQ(stockLabelFrame(fitted, layouts, 0, 0), frame); // the stock's label holds it now
    const ComposedPage page = printPage(fitted, rows);
    EXPECT_EQ(page.result.cellsDrawn, 44);
    EXPECT_TRUE(page.result.rowsWithoutBarcode().empty());
    EXPECT_EQ(inkOnLabelEdges(page.image, sheet44), 0);

    // Each barcode is where the extents put it: cut out there, it decodes as its row.
    SymbolReader reader;
    const auto pitch = [](double mm) { return static_cast<int>(mm * kDpi / 25.4 + 0.5); };
    for (int k = 1; k <= 44; ++k) {
        const int c = (k - 1) % 4, r = (k - 1) / 4;
        EXPECT_FALSE(elementsOutside(fitted, frame, rows.title(k), rows.number(k), {QSize(1, 1)}).any()) << k;
        const LabelExtents e = labelExtents(fitted, rows.title(k), rows.number(k), {QSize(1, 1)}, kDpi);
        const QRect at = e.barcode.translated(pitch(c * sheet44.pitchX), pitch(r * sheet44.pitchY));
        const auto reading = reader.read(page.image.copy(at.adjusted(1, 1, -1, -1)), ReadFormat::Ean13, 40);
        ASSERT_TRUE(reading) << "row " << k;
        EXPECT_EQ(reading->text, barcodeNumberText(fitted, rows.number(k))) << "row " << k;
    }
    PrintCheckOptions options;
    options.label = frame;
    const PrintCheckReport report = verifyRows(fitted, rows, options);
    EXPECT_TRUE(report.passed());
    EXPECT_EQ(report.verified, 44);

    // Only moved with the label's corner, the 24-label content overflows: on paper, and
    // in the check, which names the barcode and the number of every row.
    LabelStyle moved = defaultStyle();
    layOutForStock(moved, sheet44, layouts, 0, 0, false);
    EXPECT_GT(inkOnLabelEdges(printPage(moved, rows).image, sheet44), 0);
    const PrintCheckReport overflow = verifyRows(moved, rows, options);
    EXPECT_FALSE(overflow.passed());
    EXPECT_EQ(overflow.verified, 44); // the barcodes themselves still read
    ASSERT_EQ(overflow.problems.size(), 44u);
    for (const RowCheck& row : overflow.problems) {
        EXPECT_EQ(row.verdict, RowVerdict::Outside);
        EXPECT_TRUE(row.outside.barcode && row.outside.number) << row.row;
        // Titles of two-digit rows reach past the label's right edge too.
        EXPECT_EQ(row.outside.title, row.row >= 10) << row.row;
    }
    EXPECT_EQ(overflow.lines().front(),
              QStringLiteral("行 1: 文字列「りんごジュース 1」 番号「490123456001」: "
                             "ラベルからはみ出しています: バーコード、番号"));
    // The 24-label style's 70 mm pitch is no stock's: its labels are not checked, and
    // its content sits within the cell it is scaled from.
    EXPECT_FALSE(stockLabelFrame(defaultStyle(), layouts, 0, 0));
    options.label = labelFrameOf(defaultStyle(), layouts, 0, 0);
    EXPECT_TRUE(verifyRows(defaultStyle(), rows, options).passed());
}

} // namespace
} // namespace korbena
