// The window's printing that spares label stock, end to end through the controller:
// the check before printing and its dialog, the start label, page ranges, copies to
// PDF and the printer calibration, every dialog answered from a script.
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/Canvas.h"
#include "session/AppController.h"
#include "session/PrinterCalibration.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"
#include "symbol/BarTypes.h"
#include "verify/PrintCheck.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

using Mode = Dialogs::PrintCheckMode;
using Choice = Dialogs::PrintCheckChoice;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
const QString kCaption = QStringLiteral("Korbena");

int pdfPages(const QString& path)
{
    const QByteArray pdf = readWholeFile(path);
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"));
}

// A printer whose paper is an image at 600 dpi: the top left of an A4 sheet.
class PaperPrinter : public PrintTarget
{
public:
    PaperPrinter(bool physical, QString name) : m_physical(physical), m_name(std::move(name))
    {
        m_image.fill(Qt::white);
    }
    bool SetPaper(int, PaperOrientation) override { return true; }
    int PaperCode() const override { return 9; }
    PaperOrientation Orientation() const override { return PaperOrientation::Portrait; }
    PrinterPage Page() const override { return {600, 600, 4960, 7016, 0, 0, 4960, 7016}; }
    bool BeginDocument() override
    {
        m_canvas = std::make_unique<Canvas>(&m_image);
        ++documents;
        return true;
    }
    bool NewPage() override { return true; }
    bool EndDocument() override
    {
        m_canvas.reset();
        return true;
    }
    bool IsPrinting() const override { return m_canvas != nullptr; }
    Canvas* canvas() override { return m_canvas.get(); }
    QPaintDevice* device() override { return &m_image; }
    QString ErrorString() const override { return {}; }
    bool IsPhysicalPrinter() const override { return m_physical; }
    QString PrinterName() const override { return m_name; }

    const QImage& paper() const { return m_image; }
    int documents = 0;

private:
    bool m_physical;
    QString m_name;
    QImage m_image{1400, 1400, QImage::Format_RGB32};
    std::unique_ptr<Canvas> m_canvas;
};

// Two printers behind one device, as a print or setup dialog switches them: an office
// printer with A4 paper at 600 dpi and a label printer with A6 paper at 300 dpi and
// margins. Its pages are counted, not drawn.
class TwoPrinters : public PrintTarget
{
public:
    // Each printer starts on its own default paper.
    void choose(const QString& name)
    {
        m_name = name;
        m_code = 0;
    }
    bool SetPaper(int code, PaperOrientation) override
    {
        m_code = code;
        return true;
    }
    int PaperCode() const override { return m_code != 0 ? m_code : labels() ? 70 : 9; }
    PaperOrientation Orientation() const override { return PaperOrientation::Portrait; }
    PrinterPage Page() const override
    {
        if (PaperCode() == 70) // A6 at 300 dpi, 3 mm margins
            return {300, 300, 1240, 1748, 35, 35, 1170, 1678};
        return {600, 600, 4960, 7016, 0, 0, 4960, 7016};
    }
    bool BeginDocument() override
    {
        m_canvas = std::make_unique<Canvas>(&m_image);
        ++pages;
        return true;
    }
    bool NewPage() override
    {
        ++pages;
        return true;
    }
    bool EndDocument() override
    {
        m_canvas.reset();
        return true;
    }
    bool IsPrinting() const override { return m_canvas != nullptr; }
    Canvas* canvas() override { return m_canvas.get(); }
    QPaintDevice* device() override { return &m_image; }
    QString ErrorString() const override { return {}; }
    bool IsPhysicalPrinter() const override { return true; }
    QString PrinterName() const override { return m_name; }

    int pages = 0;

private:
    bool labels() const { return m_name == QStringLiteral("Labels"); }
    QString m_name = QStringLiteral("Office");
    int m_code = 0;
    QImage m_image{64, 64, QImage::Format_RGB32};
    std::unique_ptr<Canvas> m_canvas;
};

class PrintCommandsTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    std::unique_ptr<AppController> c =
        std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"), kResources);

    void SetUp() override
    {
        c->setScreenDpi(96, 96);
        c->prepare();
        c->startupLoad(); // the 24-label A4 sheet
    }

    // The grid holds these rows only, as typed and then Enter: the redraw's snapshot.
    void setRows(const std::vector<std::pair<QString, QString>>& rows)
    {
        c->grid().clearAllCells();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            c->grid().setData(c->grid().index(static_cast<int>(i), DataGridModel::TitleColumn),
                              rows[i].first);
            c->grid().setData(c->grid().index(static_cast<int>(i), DataGridModel::NumberColumn),
                              rows[i].second);
        }
        c->gridEnterPressed();
    }

    void numberedRows(int count)
    {
        std::vector<std::pair<QString, QString>> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back(
                {QStringLiteral("品 %1").arg(i), QStringLiteral("49000010%1").arg(i, 4, 10, QChar(u'0'))});
        setRows(rows);
    }

    void useSymbology(TBarTypes type, const QString& start = {}, const QString& stop = {})
    {
        LabelStyle style = c->style();
        style.symbol.symbology = type;
        style.symbol.startChar = start;
        style.symbol.stopChar = stop;
        c->setStyle(style);
    }

    QString pdf(const QString& name) const { return home.path() + u'/' + name; }
};

TEST_F(PrintCommandsTest, FailingRowsAreListedBeforePrintingAndTheUserDecides)
{
    c->setPrintChecker(verifyRows);
    setRows({{QStringLiteral("りんご"), QStringLiteral("490123456789")},
             {QStringLiteral("みかん"), QStringLiteral("49012345678A")}, // a letter in a JAN number
             {QStringLiteral("ぶどう"), QString()},                      // a title without a number
             {QStringLiteral("もも"), QStringLiteral("４９０１２３４５６７８９")}});

    // Cancel prints nothing and asks for no file.
    dialogs.expectPrintCheck(Mode::BeforePrinting, true, Choice::Cancel);
    c->exportPdfCommand();
    dialogs.expectDone();
    ASSERT_EQ(dialogs.printChecks.size(), 1u);
    const PrintCheckReport& first = dialogs.printChecks[0];
    EXPECT_EQ(first.summary(), "4 件中 1 件を読み取り確認しました");
    ASSERT_EQ(first.problems.size(), 3u);
    EXPECT_EQ(first.problems[0].row, 2);
    EXPECT_EQ(first.problems[0].number, "49012345678A");
    EXPECT_EQ(first.problems[1].verdict, RowVerdict::NoNumber);
    EXPECT_EQ(first.problems[1].title, "ぶどう");
    EXPECT_TRUE(first.problems[2].fullWidth);
    EXPECT_FALSE(first.problems[2].reason().isEmpty());

    // The half-width clean-up, checked again: row 4 now verifies, the rest still fail,
    // and "印刷する" prints anyway.
    const QString out = pdf(QStringLiteral("checked.pdf"));
    dialogs.expectPrintCheck(Mode::BeforePrinting, true, Choice::ConvertToHalfWidth)
        .expectPrintCheck(Mode::BeforePrinting, false, Choice::Print)
        .expectSave(kCaption, out);
    c->exportPdfCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->rows().number(4), "490123456789");
    EXPECT_EQ(c->grid().data(c->grid().index(3, DataGridModel::NumberColumn)).toString(), "490123456789");
    EXPECT_EQ(dialogs.printChecks.back().summary(), "4 件中 2 件を読み取り確認しました");
    EXPECT_EQ(pdfPages(out), 1);
    // The conversion was one step: undo brings the full-width number back.
    c->undoCommand();
    EXPECT_EQ(c->rows().number(4), "４９０１２３４５６７８９");

    // Ctrl+P on a printer: the check comes before the print dialog, and cancelling it
    // asks nothing more.
    c->setPrinter(std::make_unique<PaperPrinter>(true, QStringLiteral("Labels")), true);
    dialogs.expectPrintCheck(Mode::BeforePrinting, true, Choice::Cancel);
    c->printCommand();
    dialogs.expectDone();

    // A CODE-39 number in lower case, on demand: the report, nothing printed.
    useSymbology(cbarCODE39);
    setRows({{QStringLiteral("部品"), QStringLiteral("abc-123")}});
    dialogs.expectPrintCheck(Mode::OnDemand, false, Choice::Cancel);
    c->printCheckCommand();
    dialogs.expectDone();
    EXPECT_FALSE(dialogs.printChecks.back().passed());
    EXPECT_EQ(dialogs.printChecks.back().summary(), "1 件中 0 件を読み取り確認しました");
}

TEST_F(PrintCommandsTest, ValidRowsOfEveryReadableSymbologyPrintWithoutAQuestion)
{
    c->setPrintChecker(verifyRows);
    struct Case
    {
        TBarTypes type;
        QString number;
        QString start = {};
        QString stop = {};
    };
    const std::vector<Case> cases = {
        {cbarJAN, QStringLiteral("490123456789")},
        {cbarUPC, QStringLiteral("03600029145")},
        {cbarCODE39, QStringLiteral("CODE-39")},
        {cbarNW7, QStringLiteral("31117013206375"), QStringLiteral("B"), QStringLiteral("D")},
        {cbarITF, QStringLiteral("1234567890123")},
        {cbarCODE128, QStringLiteral("AB12cd")},
        {cbarCODE93, QStringLiteral("TEST93")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.number.toStdString());
        useSymbology(k.type, k.start, k.stop);
        setRows({{QStringLiteral("品名"), k.number}});
        // Printing goes straight to the file dialog.
        dialogs.expectSave(kCaption, std::nullopt);
        c->exportPdfCommand();
        dialogs.expectDone();
        // On demand the report is shown all the same, with its summary.
        dialogs.expectPrintCheck(Mode::OnDemand, false, Choice::Cancel);
        c->printCheckCommand();
        dialogs.expectDone();
        ASSERT_FALSE(dialogs.printChecks.empty());
        EXPECT_TRUE(dialogs.printChecks.back().passed());
        EXPECT_EQ(dialogs.printChecks.back().summary(), "1 件中 1 件を読み取り確認しました");
    }
}

TEST_F(PrintCommandsTest, TheStartLabelMovesThePreviewPagesAndPrintAndIsHeldToTheSheet)
{
    numberedRows(24);
    const QImage whole = c->previewImage();
    c->nextPageCommand();
    EXPECT_EQ(desktop.beeps, 1); // 24 rows fill one sheet

    c->setStartLabel(7);
    EXPECT_EQ(c->startLabel(), 7);
    EXPECT_NE(c->previewImage(), whole); // the six used cells hatched, the rows moved on
    c->nextPageCommand();
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(c->currentPage(), 2); // the last six rows went over

    // Two pages to print now; three copies make three collated sets, and the page
    // counter follows the last set.
    const QString out = pdf(QStringLiteral("start7.pdf"));
    c->setCopies(3);
    dialogs.expectSave(kCaption, out);
    for (int page = 1; page <= 6; ++page)
        dialogs.expectProgress(page, 6, true);
    dialogs.expectEndProgress();
    c->exportPdfCommand();
    dialogs.expectDone();
    EXPECT_EQ(pdfPages(out), 6);
    EXPECT_EQ(c->currentPage(), 3);

    // The field allows 1 to N; a larger number is held to the last label.
    c->setStartLabel(30);
    EXPECT_EQ(c->startLabel(), 24);
    c->setStartLabel(1);
    EXPECT_EQ(c->currentPage(), 1);
    EXPECT_EQ(c->previewImage(), whole);
}

TEST_F(PrintCommandsTest, ThePrintDialogsPagesArePrintedAndAPageBeyondTheLastIsRefused)
{
    numberedRows(48);
    auto printer = std::make_unique<PdfFileTarget>(pdf(QStringLiteral("printer.pdf")));
    c->setPrinter(std::move(printer), true);

    dialogs.expectPrintDialogPages(*PageSelection::parse(u"2-5")).expectInformation(missingPageMessage(5, 2));
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(dialogs.lastPageCount, 2);
    EXPECT_FALSE(QFileInfo::exists(pdf(QStringLiteral("printer.pdf"))));

    // Page 2 alone, twice: two pages, and the counter one past it.
    c->setCopies(2);
    dialogs.expectPrintDialogPages(PageSelection::range(2, 2))
        .expectProgress(1, 2, true)
        .expectProgress(2, 2, true)
        .expectEndProgress();
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(pdfPages(pdf(QStringLiteral("printer.pdf"))), 2);
    EXPECT_EQ(c->currentPage(), 3);
}

TEST_F(PrintCommandsTest, CalibrationStoresThePrintersCorrectionWhichMovesItsPagesButNoPdf)
{
    // No printer: said, nothing printed or stored.
    dialogs.expectInformation(QStringLiteral("プリンターがインストールされていません"));
    c->calibrationCommand();
    dialogs.expectDone();

    const QString name = QStringLiteral("Label [Printer]=1");
    auto owned = std::make_unique<PaperPrinter>(true, name);
    PaperPrinter* printer = owned.get();
    c->setPrinter(std::move(owned), true);
    const QString prompt =
        QStringLiteral("十字の中心は用紙の左端から 20 mm、上端から 20 mm の位置です。\r\n");
    // A measurement that is no number changes nothing.
    dialogs
        .expectPrompt(QStringLiteral("印刷位置の補正"),
                      prompt + QStringLiteral("印刷された十字の横のずれ (mm、右が正):"), QStringLiteral("0"),
                      QStringLiteral("abc"))
        .expectPrompt(QStringLiteral("印刷位置の補正"),
                      prompt + QStringLiteral("印刷された十字の縦のずれ (mm、下が正):"), QStringLiteral("0"),
                      QStringLiteral("1"))
        .expectInformation(
            QStringLiteral("ずれは 50 mm までの数値で入力してください。補正は変更していません"));
    c->calibrationCommand();
    dialogs.expectDone();
    EXPECT_EQ(printer->documents, 1);
    EXPECT_NE(inked(printer->paper()), QRect()); // the calibration page
    EXPECT_EQ(readPrinterOffset(c->settingsFile(), name), PrinterOffset{});

    // Printed 1.5 mm left and 1 mm high: the correction moves right and down.
    dialogs
        .expectPrompt(QStringLiteral("印刷位置の補正"),
                      prompt + QStringLiteral("印刷された十字の横のずれ (mm、右が正):"), QStringLiteral("0"),
                      QStringLiteral("-1,5"))
        .expectPrompt(QStringLiteral("印刷位置の補正"),
                      prompt + QStringLiteral("印刷された十字の縦のずれ (mm、下が正):"), QStringLiteral("0"),
                      QStringLiteral("-1"))
        .expectInformation(
            QStringLiteral("印刷位置の補正を保存しました\r\n%1: X 1.50 mm, Y 1.00 mm").arg(name));
    c->calibrationCommand();
    dialogs.expectDone();
    // Closing writes the window's own settings and keeps the printer's section.
    c->closeSequence();
    dialogs.expectDone();
    EXPECT_EQ(readPrinterOffset(c->settingsFile(), name), (PrinterOffset{1.5, 1}));

    // Page 1 on that printer and on a target that is a file: 1.5 mm is 35 dots at 600 dpi.
    const auto printPage1 = [&](bool physical) {
        auto target = std::make_unique<PaperPrinter>(physical, name);
        const PaperPrinter* paper = target.get();
        c->setPrinter(std::move(target), true);
        dialogs.expectPrintDialogPages(PageSelection::range(1, 1));
        c->printDialogCommand();
        dialogs.expectDone();
        return inked(paper->paper());
    };
    const QRect onPrinter = printPage1(true), inFile = printPage1(false);
    ASSERT_FALSE(inFile.isEmpty());
    EXPECT_NEAR(onPrinter.left() - inFile.left(), 35, 1);
    EXPECT_NEAR(onPrinter.top() - inFile.top(), 24, 1);

    // "PDFに出力…" never adds it: the same pages as without a correction.
    const QString before = pdf(QStringLiteral("before.pdf")), after = pdf(QStringLiteral("after.pdf"));
    dialogs.expectSave(kCaption, after)
        .expectProgress(1, 2, true)
        .expectProgress(2, 2, true)
        .expectEndProgress();
    c->exportPdfCommand();
    writePrinterOffset(c->settingsFile(), name, {});
    dialogs.expectSave(kCaption, before)
        .expectProgress(1, 2, true)
        .expectProgress(2, 2, true)
        .expectEndProgress();
    c->exportPdfCommand();
    dialogs.expectDone();
    EXPECT_EQ(readWholeFile(after).size(), readWholeFile(before).size());
}

// "印刷実行" on a machine without a printer says so before it offers to save a PDF file,
// and the file holds the pages; cancelling the save prints nothing.
TEST_F(PrintCommandsTest, WithoutAPrinterPrintingSaysSoAndOffersAPdfFile)
{
    const QString out = pdf(QStringLiteral("no-printer.pdf"));
    dialogs
        .expectInformation(
            QStringLiteral("プリンターがインストールされていません。PDFファイルに出力します。"))
        .expectSave(kCaption, out)
        .expectProgress(1, 2, true)
        .expectProgress(2, 2, true)
        .expectEndProgress();
    c->printCommand();
    dialogs.expectDone();
    EXPECT_EQ(pdfPages(out), 2); // the 36 rows of the default list, 24 a sheet
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_EQ(dialogs.fileDialogs.back().defaultSuffix, QStringLiteral("pdf"));

    const QString cancelled = pdf(QStringLiteral("cancelled.pdf"));
    dialogs
        .expectInformation(
            QStringLiteral("プリンターがインストールされていません。PDFファイルに出力します。"))
        .expectSave(kCaption, std::nullopt);
    c->printCommand();
    dialogs.expectDone();
    EXPECT_FALSE(QFileInfo::exists(cancelled));
}

// "印刷実行" and Ctrl+P print every page on the printer at hand, "印刷枚数" sets of
// them, after the check and with no dialog of the system's; "印刷…" asks first, and
// its copy box stands in for "印刷枚数" for that job only.
TEST_F(PrintCommandsTest, PrintingGoesStraightToThePrinterAndThePrintDialogsCopiesHoldForOneJob)
{
    numberedRows(48);
    c->setPrintChecker(verifyRows);
    auto owned = std::make_unique<TwoPrinters>();
    TwoPrinters* printer = owned.get();
    c->setPrinter(std::move(owned), true);
    c->setCopies(2);
    dialogs.expectProgress(1, 4, true)
        .expectProgress(2, 4, true)
        .expectProgress(3, 4, true)
        .expectProgress(4, 4, true)
        .expectEndProgress();
    c->printCommand();
    dialogs.expectDone();
    EXPECT_EQ(printer->pages, 4); // two pages, two sets

    printer->pages = 0;
    dialogs.expectPrintDialogCopies(3)
        .expectProgress(1, 6, true)
        .expectProgress(2, 6, true)
        .expectProgress(3, 6, true)
        .expectProgress(4, 6, true)
        .expectProgress(5, 6, true)
        .expectProgress(6, 6, true)
        .expectEndProgress();
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(dialogs.lastCopiesOffered, 2); // the dialog's copy box starts at "印刷枚数"
    EXPECT_EQ(printer->pages, 6);
    EXPECT_EQ(c->copies(), 2); // and the next job makes two sets again

    // A row that does not read: the check's question still comes first, and "キャンセル" prints nothing.
    printer->pages = 0;
    setRows({{QStringLiteral("部品"), QStringLiteral("12AB")}});
    dialogs.expectPrintCheck(Mode::BeforePrinting, false, Choice::Cancel);
    c->printCommand();
    dialogs.expectDone();
    EXPECT_EQ(printer->pages, 0);
}

// The printer is chosen where the sheet is set up, or in the print dialog: the metrics,
// the paper, its name and the preview follow at once, and the choice is kept for the
// next start.
TEST_F(PrintCommandsTest, AnotherPrinterChosenInADialogDrivesTheSheetAndIsRemembered)
{
    auto owned = std::make_unique<TwoPrinters>();
    TwoPrinters* printer = owned.get();
    c->setPrinter(std::move(owned), true);
    dialogs.expectPrinterSetup();
    c->printerSetupCommand(); // the office printer
    dialogs.expectDone();
    ASSERT_EQ(c->metrics().printerDpiX, 600);
    const QImage office = c->previewImage();
    QStringList changes;
    QObject::connect(c.get(), &AppController::printerChanged, [&](const QString& name) { changes << name; });

    dialogs.expectPrinterSetup(
        [](PrintTarget& target) { static_cast<TwoPrinters&>(target).choose("Labels"); });
    c->printerSetupCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->metrics().printerDpiX, 300);
    EXPECT_EQ(c->metrics().paperWidth, 105);
    EXPECT_EQ(c->metrics().offsetX, 3);
    EXPECT_EQ(c->style().sheet.paper, 70);
    EXPECT_EQ(c->paperName(), QStringLiteral("A6 105 x 148 mm"));
    EXPECT_NE(c->previewImage().size(), office.size()); // the preview shows the A6 sheet
    EXPECT_EQ(changes, QStringList{"Labels"});
    EXPECT_EQ(c->rememberedPrinter(), QStringLiteral("Labels"));

    // The print dialog switches back and prints there, on the office printer's A4 metrics.
    numberedRows(3);
    dialogs.expectPrintDialogCopies(
        1, [](PrintTarget& target) { static_cast<TwoPrinters&>(target).choose("Office"); });
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(printer->pages, 1);
    EXPECT_EQ(c->metrics().printerDpiX, 600);
    EXPECT_EQ(c->paperName(), QStringLiteral("A4 210 x 297 mm"));
    EXPECT_EQ(changes, (QStringList{"Labels", "Office"}));

    // On a printer chosen in the dialog the rows are checked again before it prints.
    c->setPrintChecker(verifyRows);
    setRows({{QStringLiteral("部品"), QStringLiteral("12AB")}});
    printer->pages = 0;
    dialogs.expectPrintCheck(Mode::BeforePrinting, false, Choice::Print)
        .expectPrintDialogCopies(
            1, [](PrintTarget& target) { static_cast<TwoPrinters&>(target).choose("Labels"); })
        .expectPrintCheck(Mode::BeforePrinting, false, Choice::Cancel);
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(printer->pages, 0);
    EXPECT_EQ(c->rememberedPrinter(), QStringLiteral("Labels"));

    // The settings carry the choice into the next run's start.
    WindowSettings settings = c->settings();
    settings.printer = QStringLiteral("Labels");
    writeWindowSettings(c->settingsFile(), settings);
    EXPECT_EQ(readWindowSettings(c->settingsFile()).printer, QStringLiteral("Labels"));
    AppController next(dialogs, desktop, home.path() + QStringLiteral("/data"), kResources);
    next.prepare();
    EXPECT_EQ(next.rememberedPrinter(), QStringLiteral("Labels"));
}

} // namespace
} // namespace korbena::test
