// The application controller end to end, every dialog answered from a script.
#include "session/AppController.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "document/DataFile.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "session/AppInfo.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

class AppControllerTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QString data = home.path() + QStringLiteral("/data");
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    QStringList log;

    std::unique_ptr<AppController> make(const QString& install = kResources)
    {
        auto c = std::make_unique<AppController>(dialogs, desktop, data, install);
        c->setScreenDpi(96, 96);
        QObject::connect(c.get(), &AppController::notified, [this](const QString& n) { log << n; });
        QObject::connect(c.get(), &AppController::answered, [this](const QString& a) { log << a; });
        return c;
    }

    std::unique_ptr<AppController> started()
    {
        auto c = make();
        c->prepare();
        c->startupLoad();
        log.clear();
        return c;
    }

    QString conf(const QString& name) const { return data + QStringLiteral("/conf/") + name; }
};

const QStringList kStyleLoadedAnswers{"StyleLoaded",         "ApplyPaperSettings", "ReadDeviceMetrics",
                                      "BeforePreviewRedraw", "TakeDataSnapshot",   "RedrawPreview",
                                      "ReadPrinterPaper",    "ApplySymbologyRules"};
const QStringList kRedraw{"BeforePreviewRedraw", "TakeDataSnapshot", "RedrawPreview"};

TEST_F(AppControllerTest, FirstRunFillsTheWorkingFolderAndShowsTheDefaultSheetAt120)
{
    auto c = make();
    c->prepare();
    for (const char* folder : {"conf", "style", "barimage"})
        EXPECT_TRUE(QDir(data + u'/' + QLatin1String(folder)).exists()) << folder;
    EXPECT_FALSE(QDir(data + QStringLiteral("/listdata")).exists());
    EXPECT_EQ(c->settings().zoom, 100);
    EXPECT_EQ(c->settings().titleColumnWidth, 150);
    EXPECT_EQ(c->settings().numberColumnWidth, 100);

    QString version;
    QObject::connect(c.get(), &AppController::versionLineChanged, [&](const QString& v) { version = v; });
    c->startupLoad();

    QStringList expected = kStyleLoadedAnswers;
    expected << "DataListLoaded"
             << "tempdata"
             << "MainWindowShown" << kRedraw << kRedraw << "Zoom120"
             << "VersionLine"
             << "UndoDisabled";
    EXPECT_EQ(log, expected);
    EXPECT_EQ(c->currentStyleFile(), conf("KORBENA.dat"));
    EXPECT_EQ(c->currentDataFile(), conf("KORBENA.lst"));
    EXPECT_EQ(c->zoom(), 120);
    EXPECT_EQ(c->currentPage(), 1);
    EXPECT_FALSE(c->undoEnabled());
    EXPECT_EQ(version, QStringLiteral("ProductVersion   : 2.0.0.0"));
    EXPECT_EQ(c->paperName(), QStringLiteral("A4 210 x 297 mm"));
    EXPECT_EQ(c->rows().number(1), QStringLiteral("490000100013"));
    EXPECT_FALSE(c->previewImage().isNull());
    EXPECT_TRUE(c->messageLine().isEmpty());
}

TEST_F(AppControllerTest, WithoutTemplatesStartUpAsksForBothFilesAndCancellingLeavesThemEmpty)
{
    QTemporaryDir emptyInstall;
    auto c = make(emptyInstall.path());
    c->prepare();
    dialogs.expectOpen("データファイルを選択してください", std::nullopt)
        .expectOpen("バーコードデータファイルを選択してください", std::nullopt);
    c->startupLoad();
    dialogs.expectDone();
    ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.fileDialogs[0],
              (FileDialogSpec{data + "/style", "データファイルを選択してください", "kbz",
                              "Korbena(KBZ)|*.kbz|すべてのファイル|*.*", false}));
    EXPECT_EQ(dialogs.fileDialogs[1].folder, data + "/listdata");
    EXPECT_EQ(dialogs.fileDialogs[1].filter,
              QStringLiteral("バーコードデータ(lst)|*.lst|すべてのファイル|*.*"));
    EXPECT_TRUE(c->currentStyleFile().isEmpty());
    EXPECT_TRUE(c->currentDataFile().isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("MainWindowShown"));
    EXPECT_EQ(c->zoom(), 120);
}

TEST_F(AppControllerTest, ADeletedLastStyleFallsBackToTheDefaultAndCloseWritesItBack)
{
    PrepareDataFolder(data, kResources);
    const QString gone = home.path() + QStringLiteral("/消えたスタイル.kbz");
    WindowSettings before;
    before.formWidth = 800;
    before.formHeight = 600;
    before.zoom = 170;
    before.styleFile = gone;
    writeWindowSettings(conf("abacora.ini"), before);

    auto c = make();
    c->prepare();
    EXPECT_EQ(c->settings().zoom, 170);
    c->startupLoad();
    EXPECT_EQ(c->currentStyleFile(), conf("KORBENA.dat"));
    EXPECT_EQ(c->zoom(), 120); // whatever the settings held

    log.clear();
    c->closeSequence(); // nothing edited: nothing asked
    EXPECT_EQ(log, (QStringList{"CloseRequested", "DataChangeCheck", "StyleChangeCheck"}));
    const WindowSettings after = readWindowSettings(conf("abacora.ini"));
    EXPECT_EQ(after.styleFile, conf("KORBENA.dat"));
    EXPECT_EQ(after.dataFile, conf("KORBENA.lst"));
    EXPECT_EQ(after.zoom, 120);
    EXPECT_EQ(after.formWidth, 800);
}

TEST_F(AppControllerTest, AFileTheDesktopPassesOpensInsteadOfTheRememberedOne)
{
    PrepareDataFolder(data, kResources);
    const QString sheet = data + QStringLiteral("/style/A4-44-CODE128.kbz");
    {
        auto c = make();
        c->prepare();
        c->setStartDocuments(documentArguments({sheet}));
        c->startupLoad();
        EXPECT_EQ(c->currentStyleFile(), sheet);
        EXPECT_EQ(c->currentDataFile(), conf("KORBENA.lst"));
        EXPECT_EQ(c->style().symbol.symbology, cbarCODE128);
    }
    // An argument that cannot be used is told, and the remembered files open.
    auto c = make();
    c->prepare();
    const DocumentArguments bad = documentArguments({home.path() + QStringLiteral("/なし.lst")});
    ASSERT_FALSE(bad.error.isEmpty());
    c->setStartDocuments(bad);
    dialogs.expectInformation(bad.error);
    c->startupLoad();
    EXPECT_EQ(c->currentDataFile(), conf("KORBENA.lst"));
}

TEST_F(AppControllerTest, StyleAndDataLoadsRaiseTheirNotificationsInOrder)
{
    auto c = started();
    const QString style = data + QStringLiteral("/style/A4-44-CODE128.kbz");
    dialogs.expectOpen("データファイルを選択してください", style);
    c->openStyleCommand();
    EXPECT_EQ(log, (QStringList{"StyleLoadRequested", "StyleChangeCheck"} + kStyleLoadedAnswers));
    EXPECT_EQ(c->currentStyleFile(), style);

    // The grid of 90 rows holding the 37-line file is unchanged: no question.
    log.clear();
    dialogs.expectOpen("バーコードデータファイルを選択してください", conf("KORBENA.lst"));
    c->openDataCommand();
    EXPECT_EQ(log, (QStringList{"DataLoadRequested", "DataChangeCheck", "DataListLoaded", "tempdata"}));
}

TEST_F(AppControllerTest, TheSaveQuestionsComeWithTheirOwnTexts)
{
    auto c = started();
    c->grid().setData(c->grid().index(0, DataGridModel::TitleColumn), QStringLiteral("変更した"));
    LabelStyle style = c->style();
    style.sheet.across = 2;
    c->setStyle(style);
    c->explicitRedraw();
    EXPECT_TRUE(c->undoEnabled());

    // Before a data load: Yes saves into the default list, which says nothing.
    dialogs.expectConfirm("バーコードデータが変更されました。保存しますか？", true)
        .expectOpen("バーコードデータファイルを選択してください", std::nullopt);
    c->openDataCommand();
    dialogs.expectDone();
    const QString firstLine = dataFileLine(1, "変更した", "490000100013");
    EXPECT_EQ(readDataFile(conf("KORBENA.lst")).first(), firstLine);
    EXPECT_TRUE(c->currentDataFile().isEmpty()); // the cancelled load cleared it

    // Before a style load: two question marks; No only skips the save.
    dialogs.expectConfirm("スタイルが変更されました。保存しますか？？", false)
        .expectOpen("データファイルを選択してください", std::nullopt);
    c->openStyleCommand();
    dialogs.expectDone();

    // At close: the data question first (its save needs a file now), then the style's
    // with one, saved into the style file still in use.
    c->grid().setData(c->grid().index(1, DataGridModel::TitleColumn), QStringLiteral("また変更"));
    const QString saved = home.path() + QStringLiteral("/saved.lst");
    dialogs.expectConfirm("バーコードデータが変更されました。保存しますか？", true)
        .expectSave("Korbena", saved)
        .expectInformation("Korbena\r\nデータを登録しました")
        .expectConfirm("スタイルが変更されました。保存しますか？", true);
    c->closeSequence();
    dialogs.expectDone();
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(readWindowSettings(conf("abacora.ini")).styleFile, conf("KORBENA.dat"));
    EXPECT_EQ(readStyleFile(conf("KORBENA.dat")), styleFileLines(c->style()));
}

TEST_F(AppControllerTest, SaveCommandsTellWhatTheyRegistered)
{
    auto c = started();
    dialogs.expectInformation("Korbena\r\n登録しました");
    c->saveStyleCommand();
    dialogs.expectSave("Korbena", std::nullopt);
    c->saveStyleAsCommand(); // cancelled: no message
    dialogs.expectDone();
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(dialogs.fileDialogs.back().overwritePrompt);
    c->saveDefaultsCommand(); // the defaults: no information box at all
    dialogs.expectDone();
}

TEST_F(AppControllerTest, UndoSwapsTheLastTwoSnapshots)
{
    auto c = started();
    c->grid().setData(c->grid().index(1, DataGridModel::TitleColumn), QStringLiteral("新しい"));
    c->explicitRedraw();
    ASSERT_TRUE(c->undoEnabled());
    c->undoCommand();
    EXPECT_EQ(c->rows().title(2), QStringLiteral("みかん 1kg"));
    EXPECT_TRUE(c->redoEnabled());
    c->redoCommand();
    EXPECT_EQ(c->rows().title(2), QStringLiteral("新しい"));
    c->setZoom(150); // a redraw without a change leaves the history alone
    EXPECT_TRUE(c->undoEnabled());
}

TEST_F(AppControllerTest, PrintingRefusesZeroCopiesAndOtherwisePrintsEveryPageWithProgress)
{
    auto c = started();
    c->setCopies(0);
    dialogs.expectInformation(copiesZeroMessage());
    c->printCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->zoom(), 100);

    // A printer stand-in: two pages of 24 labels, cancelled before the second.
    const QString out = home.path() + QStringLiteral("/printer.pdf");
    c->setPrinter(std::make_unique<PdfFileTarget>(out), true);
    c->setCopies(1);
    dialogs.expectPrintDialog(true)
        .expectProgress(1, 2, true)
        .expectProgress(2, 2, false)
        .expectEndProgress();
    c->printDialogCommand();
    dialogs.expectDone();
    const QByteArray pdf = readWholeFile(out);
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 1);

    dialogs.expectPrintDialog(true).expectProgress(1, 2, true).expectProgress(2, 2, true).expectEndProgress();
    c->printDialogCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->currentPage(), 3); // one past the last printed page

    dialogs.expectPrintDialog(false);
    c->printDialogCommand();
}

TEST_F(AppControllerTest, ZoomAndPagesKeepToTheirBoundsAndBeepAtTheEnds)
{
    auto c = started();
    c->setZoom(195);
    c->zoomIn();
    EXPECT_EQ(c->zoom(), 200);
    c->setZoom(10);
    c->zoomOut();
    EXPECT_EQ(c->zoom(), 5);
    c->setZoom(400);
    EXPECT_EQ(c->zoom(), 200);

    c->previousPageCommand();
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(c->currentPage(), 1);
    c->nextPageCommand(); // 36 numbered rows, 24 labels a page
    EXPECT_EQ(c->currentPage(), 2);
    c->nextPageCommand();
    EXPECT_EQ(desktop.beeps, 2);
    EXPECT_EQ(c->currentPage(), 2);
    c->previousPageCommand();
    EXPECT_EQ(c->currentPage(), 1);
}

TEST_F(AppControllerTest, FirstAndLastPageFollowTheRowsAndTheStartLabel)
{
    auto c = started();
    int redraws = 0;
    QObject::connect(c.get(), &AppController::previewChanged, [&] { ++redraws; });
    EXPECT_EQ(c->pageCount(), 2); // 36 numbered rows, 24 labels a page
    c->lastPageCommand();
    EXPECT_EQ(c->currentPage(), 2);
    EXPECT_GT(redraws, 0);
    c->lastPageCommand();
    EXPECT_EQ(desktop.beeps, 1);
    c->firstPageCommand();
    EXPECT_EQ(c->currentPage(), 1);
    c->firstPageCommand();
    EXPECT_EQ(desktop.beeps, 2);

    // Starting at label 20 leaves 5 rows on page 1, 24 on page 2 and 7 on page 3.
    c->setStartLabel(20);
    EXPECT_EQ(c->pageCount(), 3);
    c->lastPageCommand();
    EXPECT_EQ(c->currentPage(), 3);
    c->nextPageCommand();
    EXPECT_EQ(c->currentPage(), 3);
    EXPECT_EQ(desktop.beeps, 3);
}

TEST_F(AppControllerTest, CalculatorsAndHelpShowTheirTexts)
{
    auto c = started();
    dialogs.expectInput("モジュラス16(NW-7)", QStringLiteral("A1234B"))
        .expectInformation("チェックデジット=5\r\nデ ー タ 結 果  =A1234B→A12345B");
    c->checkDigitCommand(CheckCalculator::Modulus16NW7);
    dialogs.expectInput("モジュラス43(CODE39)", QStringLiteral("ABC"))
        .expectInformation("チェックデジット=X\r\nデ ー タ 結 果  =*ABCX*");
    c->checkDigitCommand(CheckCalculator::Modulus43Code39);
    dialogs.expectInput("モジュラス10のウエイト3(ITF)", QStringLiteral("12a"))
        .expectError("'a' は整数ではありません");
    c->checkDigitCommand(CheckCalculator::Modulus10Weight3);
    dialogs.expectInput("モジュラス10のウエイト3(ITF)", std::nullopt);
    c->checkDigitCommand(CheckCalculator::Modulus10Weight3);

    dialogs.expectInformation("現在のインストールフォルダー\r\n" + kResources);
    c->installFolderCommand();
    dialogs.expectInformation("現在の画面解像度は\r\n1920×1080");
    c->screenResolutionCommand();
    dialogs.expectDone();

    c->offlineHelpCommand();
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(kResources + "/barcode.pdf"));

    int shortcutRequests = 0;
    QObject::connect(c.get(), &AppController::textEditorShortcutRequested, [&] { ++shortcutRequests; });
    c->textEditorCommand(true);
    EXPECT_EQ(shortcutRequests, 1);
    EXPECT_EQ(desktop.editorsStarted, 0);
    c->textEditorCommand(false);
    EXPECT_EQ(desktop.editorsStarted, 1);
    desktop.editorAvailable = false;
    dialogs.expectInformation("テキストエディターが見つかりません");
    c->textEditorCommand(false);
}

// A build without a web site: the online help and the home page item open the installed
// manual and say so; a missing manual or a desktop without a viewer is told with the path.
TEST_F(AppControllerTest, WithoutAWebSiteTheHelpItemsOpenTheInstalledManual)
{
    if (!onlineHelpUrl().isEmpty() || !homePageUrl().isEmpty())
        GTEST_SKIP() << "built with a web site";
    QTemporaryDir install;
    const QString manual = install.path() + QStringLiteral("/barcode.pdf");
    auto c = make(install.path());

    dialogs.expectError("マニュアルが見つかりません\r\n" + manual);
    c->onlineHelpCommand();
    dialogs.expectError("マニュアルが見つかりません\r\n" + manual);
    c->homePageCommand();
    dialogs.expectDone();
    EXPECT_TRUE(desktop.opened.isEmpty());

    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
    file.close();
    dialogs.expectInformation("インストールされているマニュアルを開きます\r\n" + manual);
    c->onlineHelpCommand();
    dialogs.expectInformation("インストールされているマニュアルを開きます\r\n" + manual);
    c->homePageCommand();
    dialogs.expectDone();
    EXPECT_EQ(desktop.opened, (QList<QUrl>{QUrl::fromLocalFile(manual), QUrl::fromLocalFile(manual)}));

    struct NoViewer : RecordingDesktop
    {
        bool openDocument(const QUrl&) override { return false; }
    } noViewer;
    AppController bare(dialogs, noViewer, data, install.path());
    dialogs.expectInformation("インストールされているマニュアルを開きます\r\n" + manual)
        .expectError("マニュアルを表示するプログラムが見つかりません\r\n" + manual);
    bare.onlineHelpCommand();
    dialogs.expectDone();
}

TEST_F(AppControllerTest, ABadStyleFileEndsTheLoadWithAnErrorBoxAndNoPostLoadSteps)
{
    auto c = started();
    const QString bad = home.path() + QStringLiteral("/bad.kbz");
    writeFileAtomically(bad, QByteArray("[Version]=1.00\r\n[NUM_X]=abc\r\n"));
    dialogs.expectOpen("データファイルを選択してください", bad)
        .expectError("'abc' は浮動小数点数ではありません");
    c->openStyleCommand();
    EXPECT_FALSE(log.contains("StyleLoaded"));
}

} // namespace
} // namespace korbena::test
