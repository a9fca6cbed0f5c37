#include "sheet/PrintJob.h"

#include "TestSupport.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintTarget.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace korbena {
namespace {

// A print target that records what the job asks of it and draws on an image.
class RecordingTarget : public PrintTarget
{
public:
    QStringList calls;
    bool refuseBegin = false;
    int refuseNewPageAt = 0; // the n-th NewPage fails

    bool SetPaper(int, PaperOrientation) override { return true; }
    int PaperCode() const override { return 9; }
    PaperOrientation Orientation() const override { return PaperOrientation::Portrait; }
    PrinterPage Page() const override { return {}; }

    bool BeginDocument() override
    {
        calls << QStringLiteral("begin");
        if (refuseBegin)
            return false;
        m_canvas = std::make_unique<Canvas>(&m_image);
        return true;
    }
    bool NewPage() override
    {
        calls << QStringLiteral("new");
        return ++m_newPages != refuseNewPageAt;
    }
    bool EndDocument() override
    {
        calls << QStringLiteral("end");
        m_canvas.reset();
        return true;
    }
    bool IsPrinting() const override { return m_canvas != nullptr; }
    Canvas* canvas() override { return m_canvas.get(); }
    QPaintDevice* device() override { return &m_image; }
    QString ErrorString() const override { return QStringLiteral("printer offline"); }

private:
protected:
    QImage m_image{10, 10, QImage::Format_RGB32};

private:
    std::unique_ptr<Canvas> m_canvas;
    int m_newPages = 0;
};

// A page of paper at 600 dpi, on a printer or in a file.
class PaperTarget : public RecordingTarget
{
public:
    explicit PaperTarget(bool printer, QSize size = {2000, 1200}) : m_printer(printer)
    {
        m_image = QImage(size, QImage::Format_RGB32);
        m_image.fill(Qt::white);
    }
    bool IsPhysicalPrinter() const override { return m_printer; }
    const QImage& paper() const { return m_image; }

private:
    bool m_printer;
};

DataList numberedRows(int count)
{
    DataList rows;
    rows.SetRowCount(count + 1);
    for (int row = 1; row <= count; ++row) {
        rows.setTitle(row, QStringLiteral("item %1").arg(row));
        rows.setNumber(row, QStringLiteral("49000010%1").arg(row, 4, 10, QLatin1Char('0')));
    }
    return rows;
}

PrintOptions copiesOf(long long copies)
{
    PrintOptions options;
    options.copies = copies;
    return options;
}

class PrintJobRun : public ::testing::Test
{
protected:
    RecordingTarget target;
    int currentPage = 7;

    PrintJobResult run(const DataList& rows, int cells, long long copies = 1)
    {
        const auto draw = [this](Canvas&, int page) {
            target.calls << QStringLiteral("page %1").arg(page);
            PageResult drawn;
            if (page == 2)
                drawn.message = QStringLiteral("message of page 2");
            return drawn;
        };
        return PrintJob(target, rows, cells, copiesOf(copies), currentPage, draw);
    }
};

TEST_F(PrintJobRun, PrintsPagesWhileTheNextPageStartsWithANumber)
{
    // 25 rows, 12 labels a page: rows 1-12, 13-24 and 25 alone.
    const PrintJobResult result = run(numberedRows(25), 12);
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.pagesPrinted, 3);
    EXPECT_EQ(target.calls, (QStringList{"begin", "page 1", "new", "page 2", "new", "page 3", "end"}));
    // The counter stands one past the last page printed.
    EXPECT_EQ(currentPage, 4);
    EXPECT_TRUE(result.message.isEmpty());
}

TEST_F(PrintJobRun, AFullLastPageEndsTheDocument)
{
    EXPECT_EQ(run(numberedRows(24), 12).pagesPrinted, 2);
    EXPECT_EQ(target.calls, (QStringList{"begin", "page 1", "new", "page 2", "end"}));
    EXPECT_EQ(currentPage, 3);
    // The message line is the last page's.
    EXPECT_EQ(run(numberedRows(13), 12).message, QStringLiteral("message of page 2"));
}

TEST_F(PrintJobRun, APageWhoseFirstRowHasNoNumberIsNotPrinted)
{
    DataList rows = numberedRows(24);
    rows.setNumber(13, QString()); // row 13 keeps its title only
    const PrintJobResult result = run(rows, 12);
    EXPECT_EQ(result.pagesPrinted, 1);
    EXPECT_EQ(target.calls.last(), QStringLiteral("end"));
    EXPECT_EQ(currentPage, 2);
}

TEST_F(PrintJobRun, TheFirstPageIsPrintedEvenForAnEmptyList)
{
    EXPECT_EQ(run(DataList(), 12).pagesPrinted, 1);
    EXPECT_EQ(target.calls, (QStringList{"begin", "page 1", "end"}));
}

TEST_F(PrintJobRun, CopyCountZeroPrintsNothing)
{
    const PrintJobResult result = run(numberedRows(25), 12, 0);
    EXPECT_EQ(result.outcome, PrintOutcome::Refused);
    EXPECT_EQ(result.message, QStringLiteral("印刷の枚数指定が0です"));
    EXPECT_EQ(result.pagesPrinted, 0);
    EXPECT_TRUE(target.calls.isEmpty());
    EXPECT_EQ(currentPage, 7);
}

TEST_F(PrintJobRun, CopiesAreCollatedSetsOfTheChosenPages)
{
    // 30 rows, 12 labels a page: three pages.
    PrintOptions options = copiesOf(2);
    options.pages = *PageSelection::parse(u"3, 1-1");
    PrintJobResult result =
        PrintJob(target, numberedRows(30), 12, options, currentPage, [this](Canvas&, int page) {
            target.calls << QStringLiteral("page %1").arg(page);
            return PageResult{};
        });
    EXPECT_EQ(result.pagesPrinted, 4);
    EXPECT_EQ(target.calls,
              (QStringList{"begin", "page 1", "new", "page 3", "new", "page 1", "new", "page 3", "end"}));
    EXPECT_EQ(currentPage, 4); // past the last page of the last set

    // A negative count prints one set; a page past the last is refused before anything.
    target.calls.clear();
    EXPECT_EQ(run(numberedRows(13), 12, -1).pagesPrinted, 2);
    target.calls.clear();
    options.pages = *PageSelection::parse(u"2-4");
    result = PrintJob(target, numberedRows(30), 12, options, currentPage,
                      [](Canvas&, int) { return PageResult{}; });
    EXPECT_EQ(result.outcome, PrintOutcome::Refused);
    EXPECT_EQ(result.message, QStringLiteral("指定したページはありません: 4（最後のページは 3）"));
    EXPECT_TRUE(target.calls.isEmpty());
}

TEST(PageSelection, ReadsPagesAndRanges)
{
    const auto pages = PageSelection::parse(u"3-5,9");
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->highest(), 9);
    for (int page : {3, 4, 5, 9})
        EXPECT_TRUE(pages->contains(page)) << page;
    for (int page : {1, 2, 6, 8, 10})
        EXPECT_FALSE(pages->contains(page)) << page;
    for (const char16_t* bad : {u"", u"0", u"5-3", u"3-", u"x", u"1,,2", u"-2"})
        EXPECT_FALSE(PageSelection::parse(bad)) << QString::fromUtf16(bad).toStdString();
    EXPECT_TRUE(PageSelection().contains(12345));
}

TEST_F(PrintJobRun, APageWithoutCellsEndsTheJobInsteadOfRepeatingRowOne)
{
    for (const int cells : {0, -6}) {
        const PrintJobResult result = run(numberedRows(25), cells);
        EXPECT_EQ(result.outcome, PrintOutcome::Refused) << cells;
        EXPECT_FALSE(result.message.isEmpty()) << cells;
        EXPECT_TRUE(target.calls.isEmpty()) << cells;
    }
}

TEST_F(PrintJobRun, APrinterThatRefusesTheDocumentFailsTheJob)
{
    target.refuseBegin = true;
    const PrintJobResult result = run(numberedRows(25), 12);
    EXPECT_EQ(result.outcome, PrintOutcome::Failed);
    EXPECT_EQ(result.message, QStringLiteral("printer offline"));
    EXPECT_EQ(target.calls, QStringList{"begin"});
}

TEST_F(PrintJobRun, APageThePrinterRefusesEndsTheDocument)
{
    target.refuseNewPageAt = 2;
    const PrintJobResult result = run(numberedRows(25), 12);
    EXPECT_EQ(result.outcome, PrintOutcome::Failed);
    EXPECT_EQ(result.pagesPrinted, 2);
    EXPECT_EQ(target.calls, (QStringList{"begin", "page 1", "new", "page 2", "new", "end"}));
    EXPECT_FALSE(target.IsPrinting());
}

// The whole road: the composer on every page of a PDF file.
class PdfJob : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString pdfPath = dir.filePath(QStringLiteral("out/sheet.pdf"));
    PdfFileTarget pdf{pdfPath, 600};
    LabelStyle style;
    DeviceMetrics metrics;

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("data/barimage"))));
        style.sheet.across = 3;
        style.sheet.down = 4;
        style.sheet.pitchX = 70;
        style.sheet.pitchY = 70;
        style.placement.x = 10;
        style.placement.y = 20;
        style.placement.width = 40;
        style.placement.height = 14;
        style.placement.sizeMode = 1;
        style.symbol.symbology = cbarJAN;
        ASSERT_TRUE(ApplyPaperSettings(pdf, 9, 0));
        metrics = ReadDeviceMetrics(pdf, 96, 96);
    }

    PrintJobResult print(const DataList& rows, long long copies = 1)
    {
        PageComposer composer(dir.filePath(QStringLiteral("data")));
        int page = 1;
        return PrintJob(pdf, composer, style, rows, metrics, copiesOf(copies), page);
    }

    QByteArray pdfBytes() const
    {
        QFile file(pdfPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(PdfJob, WritesOnePdfPageForEveryPageOfTheList)
{
    const PrintJobResult result = print(numberedRows(25));
    ASSERT_EQ(result.outcome, PrintOutcome::Printed) << result.message.toStdString();
    EXPECT_EQ(result.pagesPrinted, 3);
    const QByteArray bytes = pdfBytes();
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);
    // Barcodes go in losslessly: no JPEG stream, and as one-bit pictures.
    EXPECT_FALSE(bytes.contains("/DCTDecode"));
    EXPECT_TRUE(bytes.contains("/BitsPerComponent 1"));
}

TEST_F(PdfJob, ARefusedJobLeavesTheEarlierFileAlone)
{
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("out"))));
    {
        QFile earlier(pdfPath);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier sheet");
    }
    EXPECT_EQ(print(numberedRows(25), 0).outcome, PrintOutcome::Refused);
    EXPECT_EQ(pdfBytes(), QByteArray("earlier sheet"));
}

TEST(PdfFileTarget, AFileThatCannotBeWrittenFailsTheDocument)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PdfFileTarget pdf(dir.filePath(QStringLiteral("file/sheet.pdf")));
    EXPECT_FALSE(pdf.BeginDocument());
    EXPECT_FALSE(pdf.ErrorString().isEmpty());
    EXPECT_FALSE(pdf.IsPrinting());
    EXPECT_EQ(pdf.canvas(), nullptr);
}

TEST(PdfFileTarget, ADocumentGivenUpHalfWayDoesNotReplaceTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier sheet");
    }
    {
        PdfFileTarget pdf(path);
        ASSERT_TRUE(pdf.BeginDocument());
        ASSERT_NE(pdf.canvas(), nullptr);
        pdf.canvas()->FillRect({0, 0, 100, 100});
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("earlier sheet"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.pdf"});
}

TEST(PdfFileTarget, PicturesGoInLosslesslyBlackAndWhiteInOneBit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pictures.pdf"));
    QImage colour(40, 10, QImage::Format_RGB32);
    colour.fill(QColor(200, 30, 30));
    // A two-colour bitmap as a BMP file holds it: white first.
    QImage bars(40, 10, QImage::Format_Mono);
    bars.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bars.fill(0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; x += 3)
            bars.setPixel(x, y, 1);
    {
        PdfFileTarget pdf(path);
        ASSERT_TRUE(pdf.BeginDocument());
        pdf.canvas()->StretchDraw({0, 0, 400, 100}, colour);
        pdf.canvas()->StretchDraw({0, 200, 400, 300}, bars);
        ASSERT_TRUE(pdf.EndDocument());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("/DCTDecode"));
    EXPECT_EQ(bytes.count("/BitsPerComponent 1"), 1);
    EXPECT_EQ(bytes.count("/BitsPerComponent 8"), 1);
}

TEST(PrinterCalibration, MovesLabelsOnAPrinterButNeverInAFile)
{
    QTemporaryDir data;
    LabelStyle style;
    style.sheet.across = 1;
    style.sheet.down = 1;
    style.placement.x = 10;
    style.placement.y = 10;
    style.placement.sizeMode = 1;
    style.placement.width = 40;
    style.placement.height = 10;
    DeviceMetrics metrics;
    metrics.printerDpiX = metrics.printerDpiY = 600;
    metrics.screenDpiX = metrics.screenDpiY = 96;
    PrintOptions options;
    const auto printOn = [&](PaperTarget& target) {
        PageComposer composer(data.path());
        int page = 1;
        EXPECT_EQ(PrintJob(target, composer, style, numberedRows(1), metrics, options, page).outcome,
                  PrintOutcome::Printed);
        return test::inked(target.paper());
    };
    PaperTarget plain(true);
    const QRect uncorrected = printOn(plain);
    ASSERT_FALSE(uncorrected.isEmpty());

    options.shiftX = SheetLength::fromMillimetres(1.5L);
    options.shiftY = SheetLength::fromMillimetres(-0.5L);
    PaperTarget printer(true);
    PaperTarget file(false);
    // 1.5 mm and -0.5 mm at 600 dpi: 35.4 and -11.8 pixels, cut toward zero per edge.
    const QPoint moved = printOn(printer).topLeft() - uncorrected.topLeft();
    EXPECT_NEAR(moved.x(), 35.4, 1.0);
    EXPECT_NEAR(moved.y(), -11.8, 1.0);
    EXPECT_EQ(printOn(file), uncorrected);
}

// A sheet of 3 x 4 labels, only their barcodes printed, 40 x 14 mm each.
LabelStyle barcodesOnly()
{
    LabelStyle style;
    style.sheet.across = 3;
    style.sheet.down = 4;
    style.sheet.pitchX = 45;
    style.sheet.pitchY = 20;
    style.placement.x = 2;
    style.placement.y = 2;
    style.placement.sizeMode = 1;
    style.placement.width = 40;
    style.placement.height = 14;
    style.symbol.symbology = cbarJAN;
    style.title.printed = false;
    style.number.printed = false;
    return style;
}

DeviceMetrics paperAt600()
{
    DeviceMetrics metrics;
    metrics.printerDpiX = metrics.printerDpiY = 600;
    metrics.screenDpiX = metrics.screenDpiY = 96;
    return metrics;
}

// The files are written beside the pages, however far behind: once the job is done
// they hold the pictures of its last page, each as it went on paper and as the
// symbol of its row, and the cells of that page without a row have none.
TEST(LabelImageFilesOfAPrint, HoldTheLastPageExactlyAsPrinted)
{
    QTemporaryDir data;
    const LabelStyle style = barcodesOnly();
    const DataList rows = numberedRows(30); // pages of 12, 12 and 6 labels
    PaperTarget paper(false, {3200, 1800});
    PageComposer composer(data.path());
    int page = 1;
    const PrintJobResult result = PrintJob(paper, composer, style, rows, paperAt600(), {}, page);
    ASSERT_EQ(result.outcome, PrintOutcome::Printed);
    ASSERT_EQ(result.pagesPrinted, 3);
    EXPECT_TRUE(result.imageError.isEmpty()) << result.imageError.toStdString();

    SheetTransform transform;
    transform.scaleX = transform.scaleY = SheetScale::fromDpi(600);
    const int width = transform.scaleX.toPixels(SheetLength::fromMillimetres(40));
    const int height = transform.scaleY.toPixels(SheetLength::fromMillimetres(14));
    BarImage symbol;
    configureMainWindowBarImage(symbol);
    configureLabelSymbol(symbol, style);
    for (int cell = 0; cell < 12; ++cell) {
        const QString path = composer.imagePath(cell);
        if (cell >= 6) {
            EXPECT_FALSE(QFileInfo::exists(path)) << cell;
            continue;
        }
        QImage file;
        ASSERT_TRUE(file.load(path, "BMP")) << cell;
        symbol.SetCode(rows.number(24 + cell + 1));
        EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32),
                  symbol.Picture().bitmap()->image().convertToFormat(QImage::Format_RGB32))
            << cell;
        // The file drawn where the label is equals what the last page put there.
        const QPoint at = transform.toDevice(SheetLength::fromMillimetres(2 + 45 * (cell % 3)),
                                             SheetLength::fromMillimetres(2 + 20 * (cell / 3)));
        const QRect place(at, QSize(width, height));
        QImage expected(paper.paper().size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            Canvas canvas(&expected);
            canvas.StretchDraw({place.left(), place.top(), place.right() + 1, place.bottom() + 1}, file);
        }
        EXPECT_EQ(paper.paper().copy(place), expected.copy(place)) << cell;
    }
}

// A label image file the writer cannot put in place is named with the reason once
// the job is done; the other files and every label are printed all the same.
TEST(LabelImageFilesOfAPrint, AFileTheWriterCannotWriteIsReported)
{
    QTemporaryDir data;
    PageComposer composer(data.path());
    const QString blocked = composer.imagePath(4);
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    PaperTarget paper(false, {3200, 1800});
    int page = 1;
    const PrintJobResult result =
        PrintJob(paper, composer, barcodesOnly(), numberedRows(30), paperAt600(), {}, page);
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_TRUE(result.failedRows.empty());
    EXPECT_TRUE(result.imageError.startsWith(blocked + QStringLiteral(": ")))
        << result.imageError.toStdString();
    EXPECT_TRUE(QFileInfo::exists(composer.imagePath(3)));
    EXPECT_TRUE(QFileInfo::exists(composer.imagePath(5)));
    // Reported once: a later composition that can write its files is clean.
    EXPECT_TRUE(composer.finishImageFiles().isEmpty());
}

} // namespace
} // namespace korbena
