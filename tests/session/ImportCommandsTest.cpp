// Lists and label stock from outside, through the controller with scripted dialogs:
// spreadsheet paste and copy, the detailed CSV import, the full-width clean-up and the
// sheet catalogue, each with its undo; the grid model is watched by Qt's model tester.
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/Canvas.h"
#include "platform/TextCodec932.h"
#include "session/AppController.h"
#include "sheet/LabelExtents.h"
#include "verify/PrintCheck.h"

#include <QAbstractItemModelTester>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// The default list after start-up: rows 1 to 36 titled and numbered, 90 grid rows.
class ImportCommandsTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    std::unique_ptr<AppController> c;
    std::unique_ptr<QAbstractItemModelTester> tester;

    void SetUp() override
    {
        c = std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"),
                                            kResources);
        c->setScreenDpi(96, 96);
        c->setTemplateFolders({}); // the generic layouts only, whatever the machine has installed
        c->prepare();
        c->startupLoad();
        tester = std::make_unique<QAbstractItemModelTester>(
            &c->grid(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    const DataList& rows() const { return c->rows(); }
    QStringList row(int r) const { return {rows().title(r), rows().number(r)}; }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = home.filePath(name);
        writeFileAtomically(path, bytes);
        return path;
    }
};

TEST_F(ImportCommandsTest, PasteGrowsTheGridIsOneUndoableStepAndCopyGivesTheCellsBack)
{
    ASSERT_EQ(rows().RowCount(), 90);
    // Three rows from row 88, number column first: the third cell of a row is dropped,
    // a quoted cell keeps its tab, quote and line break (a blank in the list).
    const QString text = QStringLiteral("A1\tx\n\"a\tb \"\"c\"\"\nd\"\nB3\r\n");
    const CellArea area = c->pasteCellsCommand(text, 88, DataGridModel::NumberColumn);
    EXPECT_EQ(area, (CellArea{88, 90, 1, 1}));
    EXPECT_EQ(rows().RowCount(), 91);
    EXPECT_EQ(rows().number(88), QStringLiteral("A1"));
    EXPECT_EQ(rows().number(89), QStringLiteral("a\tb \"c\" d"));
    EXPECT_EQ(rows().number(90), QStringLiteral("B3"));
    EXPECT_TRUE(rows().title(88).isEmpty());
    ASSERT_TRUE(c->undoEnabled());

    // Copy of a selection and pasted back elsewhere: the same cells.
    const QString copied = c->copyCellsText(1, 3, 0, 1);
    EXPECT_EQ(copied, QStringLiteral(
                          "りんご（ふじ）\t490000100013\nみかん 1kg\t490000100020\nバナナ\t490000100037\n"));
    c->pasteCellsCommand(copied, 40, 0);
    EXPECT_EQ(row(41), (QStringList{"みかん 1kg", "490000100020"}));
    EXPECT_EQ(c->copyCellsText(88, 89, 1, 1), QStringLiteral("A1\n\"a\tb \"\"c\"\" d\"\n"));

    // Undo takes the second paste back; the first stays.
    c->undoCommand();
    EXPECT_TRUE(rows().title(41).isEmpty());
    EXPECT_EQ(rows().number(88), QStringLiteral("A1"));

    // A paste past the grid's limit changes nothing and says so.
    QString huge;
    huge.fill(u'\n', DataList::kMaxRowCount);
    dialogs.expectError(DataList::kTooLargeMessage);
    EXPECT_TRUE(c->pasteCellsCommand(huge, 10, 0).isEmpty());
    EXPECT_EQ(rows().RowCount(), 91);
}

TEST_F(ImportCommandsTest, DetailedImportReadsCp932AndUtf8WithQuotesHeadingsAndQuantities)
{
    // Code page 932, semicolons (detected), a heading line, a quoted title with the
    // separator in it, a quantity column with a full-width digit and a 0.
    const QString cp932 = file("stock.csv", cp932::encode(u"品名;JAN;数量\r\n"
                                                          u"\"りんご;ふじ\";4901234567894;２\r\n"
                                                          u"みかん;4909876543210;0\r\n"
                                                          u"バナナ;4900000000001;\r\n"));
    DetailedCsvSettings settings;
    settings.columns = {1, true, 1, 2, 3};
    settings.startRow = 5;
    c->setGridSelection(7, 7);
    dialogs.expectOpen(QStringLiteral("CSVファイルを選択してください"), cp932)
        .expectDetailedCsv(cp932, settings);
    c->detailedCsvImportCommand();
    dialogs.expectDone();
    ASSERT_TRUE(dialogs.detailedCsvInitial);
    EXPECT_EQ(dialogs.detailedCsvInitial->startRow, 7); // the dialog starts at the selected row
    EXPECT_EQ(row(5), (QStringList{"りんご;ふじ", "4901234567894"}));
    EXPECT_EQ(row(6), (QStringList{"りんご;ふじ", "4901234567894"}));
    EXPECT_EQ(row(7), (QStringList{"バナナ", "4900000000001"}));
    EXPECT_EQ(row(8), (QStringList{"メロン", "490000100082"})); // untouched
    EXPECT_EQ(c->selectionTop(), 5);
    EXPECT_EQ(c->selectionBottom(), 7);
    ASSERT_TRUE(c->undoEnabled());
    c->undoCommand();
    EXPECT_EQ(row(5), (QStringList{"もも", "490000100051"}));

    // UTF-8 with a byte-order mark, commas, the title in column 2, serial numbers from
    // the serial dialog, placed past the grid's end.
    const QString utf8 = file("list.txt", "\xEF\xBB\xBF" + QStringLiteral("code,name\r\n"
                                                                          "x,\"Tokyo, Japan\"\r\n"
                                                                          ",,\r\n"
                                                                          "y,大阪\r\n")
                                                               .toUtf8());
    settings = {};
    settings.format.encoding = CsvEncoding::Utf8;
    settings.format.separator = CsvSeparator::Comma;
    settings.columns = {1, true, 2, 0, 0};
    settings.startRow = 89;
    SerialSettings serial;
    serial.header = QStringLiteral("S");
    serial.footer.clear();
    serial.start = 7;
    serial.width = 3;
    dialogs.expectOpen(QStringLiteral("CSVファイルを選択してください"), utf8)
        .expectDetailedCsv(utf8, settings)
        .expectSerial(serial);
    c->detailedCsvImportCommand();
    dialogs.expectDone();
    EXPECT_EQ(rows().RowCount(), 91);
    EXPECT_EQ(row(89), (QStringList{"Tokyo, Japan", "S007"}));
    EXPECT_EQ(row(90), (QStringList{"大阪", "S008"}));
    c->undoCommand();
    EXPECT_TRUE(rows().title(89).isEmpty());

    // The serial dialog cancelled, or a column the file lacks: nothing changes.
    const auto before = rows().revision();
    dialogs.expectOpen(QStringLiteral("CSVファイルを選択してください"), utf8)
        .expectDetailedCsv(utf8, settings)
        .expectSerial(std::nullopt);
    c->detailedCsvImportCommand();
    settings.columns.quantityColumn = 9;
    dialogs.expectOpen(QStringLiteral("CSVファイルを選択してください"), utf8)
        .expectDetailedCsv(utf8, settings)
        .expectError(QStringLiteral("CSVファイルに9列目がありません"));
    c->detailedCsvImportCommand();
    dialogs.expectDone();
    EXPECT_EQ(rows().revision(), before);
}

TEST_F(ImportCommandsTest, HalfWidthCleanUpTouchesNumbersOfTheSelectionOnlyAndUndoes)
{
    c->pasteCellsCommand(QStringLiteral("ＡＢＣ\t４９０１２３４５６７８９４\n"
                                        "ー\t１２－３４ー５\n"
                                        "ok\t12345\n"
                                        "カナ\tＣＯＤＥ　３９\n"),
                         1, 0);
    // Two rows selected: only those.
    c->setGridSelection(1, 2);
    dialogs.expectInformation(QStringLiteral("2行のバーコード番号を半角に変換しました。"));
    c->halfWidthNumbersCommand();
    EXPECT_EQ(row(1), (QStringList{"ＡＢＣ", "4901234567894"}));
    EXPECT_EQ(row(2), (QStringList{"ー", "12-34-5"}));
    EXPECT_EQ(rows().number(4), QStringLiteral("ＣＯＤＥ　３９"));
    ASSERT_TRUE(c->undoEnabled());
    c->undoCommand();
    EXPECT_EQ(rows().number(1), QStringLiteral("４９０１２３４５６７８９４"));
    EXPECT_EQ(rows().number(2), QStringLiteral("１２－３４ー５"));

    // One row selected: every row; the ideographic blank is no number character and stays.
    c->setGridSelection(3, 3);
    dialogs.expectInformation(QStringLiteral("3行のバーコード番号を半角に変換しました。"));
    c->halfWidthNumbersCommand();
    EXPECT_EQ(rows().number(4), QStringLiteral("CODE　39"));
    EXPECT_EQ(rows().title(4), QStringLiteral("カナ"));
    dialogs.expectInformation(QStringLiteral("半角に変換するバーコード番号はありませんでした。"));
    c->halfWidthNumbersCommand();
}

TEST_F(ImportCommandsTest, ACatalogueLayoutChangesTheStyleAndKeepsTheElementsWithinTheLabel)
{
    QSignalSpy styleChanged(c.get(), &AppController::styleChanged);
    const LabelStyle before = c->style();
    const double ox = c->metrics().offsetX, oy = c->metrics().offsetY;
    dialogs.expectSheetLayout(QStringLiteral("汎用 A4 12面"));
    c->sheetCatalogueCommand();
    dialogs.expectDone();
    EXPECT_GE(styleChanged.count(), 1);
    const LabelStyle& s = c->style();
    EXPECT_EQ(static_cast<int>(s.sheet.across), 2);
    EXPECT_EQ(static_cast<int>(s.sheet.down), 6);
    EXPECT_DOUBLE_EQ(static_cast<double>(s.sheet.pitchX), 86.4);
    // The default style's first label sits at the printable area's corner; the 12-up
    // stock's first label 18.6 mm, 21.6 mm from the paper's.
    EXPECT_NEAR(static_cast<double>(s.placement.x - before.placement.x), 18.6 - ox, 1e-9);
    EXPECT_NEAR(static_cast<double>(s.title.y - before.title.y), 21.6 - oy, 1e-9);
    EXPECT_NEAR(static_cast<double>(s.number.x - before.number.x), 18.6 - ox, 1e-9);

    // From one stock to another the barcode keeps its place relative to the label.
    dialogs.expectSheetLayout(QStringLiteral("汎用 A4 44面"));
    c->sheetCatalogueCommand();
    EXPECT_NEAR(static_cast<double>(c->style().placement.x - before.placement.x), 8.4 - ox, 1e-9);
    EXPECT_NEAR(static_cast<double>(c->style().placement.y - before.placement.y), 8.8 - oy, 1e-9);
    EXPECT_EQ(static_cast<int>(c->style().sheet.down), 11);

    // The style now differs from its file: the close sequence asks to save it.
    dialogs.expectConfirm(QStringLiteral("スタイルが変更されました。保存しますか？"), false);
    c->closeSequence();
    dialogs.expectDone();

    // Cancelled: nothing.
    const LabelStyle now = c->style();
    dialogs.expectSheetLayout(std::nullopt);
    c->sheetCatalogueCommand();
    EXPECT_EQ(c->style().placement.x, now.placement.x);
}

TEST_F(ImportCommandsTest, TheSheetCatalogueOffersToFitTheContentAndTheCheckNamesLabelsRunningOut)
{
    using Mode = Dialogs::PrintCheckMode;
    c->setPrintChecker(verifyRows);
    const LabelStyle before = c->style();
    const QString question = QStringLiteral("ラベルの内容を新しいラベルの大きさに合わせますか？");
    const SheetLayout sheet44 = builtInLayouts()[5];
    const double ox = c->metrics().offsetX, oy = c->metrics().offsetY;

    // "いいえ": the content only moves with the label, and runs out of the smaller one;
    // the check on demand names the rows and the elements.
    dialogs.expectSheetLayout(QStringLiteral("汎用 A4 44面")).expectQuestion(question, false);
    c->sheetCatalogueCommand();
    dialogs.expectDone();
    LabelStyle moved = before;
    layOutForStock(moved, sheet44, c->sheetLayouts(), ox, oy, false);
    EXPECT_EQ(c->style(), moved);
    dialogs.expectPrintCheck(Mode::OnDemand, false, Dialogs::PrintCheckChoice::Cancel);
    c->printCheckCommand();
    dialogs.expectDone();
    const PrintCheckReport& overflow = dialogs.printChecks.back();
    EXPECT_FALSE(overflow.passed());
    ASSERT_FALSE(overflow.problems.empty());
    EXPECT_EQ(overflow.problems.front().row, 1);
    EXPECT_TRUE(overflow.problems.front().outside.barcode);
    EXPECT_TRUE(overflow.problems.front().reason().startsWith(u"ラベルからはみ出しています: バーコード"));
    // The same stock again changes no label size: no question.
    dialogs.expectSheetLayout(QStringLiteral("汎用 A4 44面"));
    c->sheetCatalogueCommand();
    dialogs.expectDone();

    // "はい" from the 24-label style: the content scaled to the new label, and the check
    // before printing has nothing to say, so the PDF is written without a question.
    c->setStyle(before);
    dialogs.expectSheetLayout(QStringLiteral("汎用 A4 44面")).expectQuestion(question, true);
    c->sheetCatalogueCommand();
    dialogs.expectDone();
    LabelStyle fitted = before;
    layOutForStock(fitted, sheet44, c->sheetLayouts(), ox, oy, true);
    EXPECT_EQ(c->style(), fitted);
    EXPECT_LT(c->style().placement.width, before.placement.width);
    const QString out = home.filePath(QStringLiteral("fitted.pdf"));
    dialogs.expectSave(QStringLiteral("Korbena"), out);
    c->exportPdfCommand();
    dialogs.expectDone();
    EXPECT_TRUE(QFileInfo::exists(out));
    EXPECT_TRUE(dialogs.unscriptedQuestions.isEmpty());
}

TEST_F(ImportCommandsTest, CellOutlinesShowOnThePreviewOnly)
{
    const QImage plain = c->previewImage();
    c->setCellOutlines(true);
    const QImage outlined = c->previewImage();
    ASSERT_EQ(plain.size(), outlined.size());
    const auto greyPixels = [](const QImage& image) {
        int grey = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                grey += image.pixel(x, y) == qRgb(200, 200, 200);
        return grey;
    };
    EXPECT_GT(greyPixels(outlined) - greyPixels(plain), 1000);
    c->setCellOutlines(false);
    EXPECT_EQ(c->previewImage(), plain);

    // A printed page never has them, even when asked.
    PageComposer composer(home.path() + QStringLiteral("/data"));
    const auto printed = [&](bool outlines) {
        QImage page(800, 1100, QImage::Format_RGB32);
        page.fill(Qt::white);
        Canvas canvas(&page);
        PageRequest request;
        request.kind = SurfaceKind::Printer;
        request.outlines.shown = outlines;
        composer.compose(canvas, c->style(), rows(), c->metrics(), request);
        return page;
    };
    EXPECT_EQ(printed(true), printed(false));
}

} // namespace
} // namespace korbena::test
