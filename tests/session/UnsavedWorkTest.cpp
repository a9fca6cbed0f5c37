// The user's work is never lost by the window: a file it refuses changes nothing, the
// save questions can stop a close or a load, and they come only when the documents
// differ from their files. The controller end to end, every dialog scripted.
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "cli/ImportCommand.h"
#include "document/DataFile.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "session/AppController.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
const QString kOpenStyle = QStringLiteral("データファイルを選択してください");
const QString kOpenData = QStringLiteral("バーコードデータファイルを選択してください");
const QString kDataQuestion = QStringLiteral("バーコードデータが変更されました。保存しますか？");
const QString kStyleQuestion = QStringLiteral("スタイルが変更されました。保存しますか？");
using Answer = Dialogs::SaveAnswer;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class UnsavedWorkTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QString data = home.path() + QStringLiteral("/data");
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;

    std::unique_ptr<AppController> make()
    {
        auto c = std::make_unique<AppController>(dialogs, desktop, data, kResources);
        c->setScreenDpi(96, 96);
        c->prepare();
        return c;
    }
    std::unique_ptr<AppController> started()
    {
        auto c = make();
        c->startupLoad();
        return c;
    }
    QString conf(const QString& name) const { return data + QStringLiteral("/conf/") + name; }
    // A list of 99 rows, as the program writes it, under `name`.
    QString listOf99(const QString& name) const
    {
        DataList rows;
        rows.SetRowCount(100);
        for (int r = 1; r <= 99; ++r) {
            rows.setTitle(r, QStringLiteral("品名 %1").arg(r));
            rows.setNumber(r, QStringLiteral("4900001%1").arg(r, 5, 10, QLatin1Char('0')));
        }
        const QString path = home.path() + u'/' + name;
        writeDataFile(path, rows);
        return path;
    }
    static void editTitle(AppController& c, int row, const QString& text)
    {
        c.grid().setData(c.grid().index(DataGridModel::modelRow(row), DataGridModel::TitleColumn), text);
    }
};

TEST_F(UnsavedWorkTest, AFileOfTheWrongKindOrOneThatCannotBeReadChangesNothing)
{
    auto c = started();
    // What the status bar is told.
    QStringList shownFiles;
    QObject::connect(c.get(), &AppController::filesChanged,
                     [&] { shownFiles << c->currentStyleFile() << c->currentDataFile(); });
    const auto otherFilesShown = [&] {
        return QSet<QString>(shownFiles.cbegin(), shownFiles.cend()) -
               QSet<QString>{conf("KORBENA.dat"), conf("KORBENA.lst")};
    };
    const QStringList style = styleFileLines(c->style());
    const QStringList rows = dataFileLines(c->rows());

    // A data list opened as a style is refused, and Ctrl+S then writes the style file
    // still in use, never the list.
    const QString list = listOf99(QStringLiteral("九十九行.lst"));
    const QByteArray listBytes = fileBytes(list);
    dialogs.expectOpen(kOpenStyle, list)
        .expectError(QStringLiteral("スタイルファイルではありません: ") + list);
    c->openStyleCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->currentStyleFile(), conf("KORBENA.dat"));
    EXPECT_TRUE(shownFiles.isEmpty()); // the status bar was never told of another file
    EXPECT_EQ(styleFileLines(c->style()), style);
    EXPECT_EQ(dataFileLines(c->rows()), rows);
    dialogs.expectInformation(QStringLiteral("Korbena\r\n登録しました"));
    c->saveStyleCommand();
    dialogs.expectDone();
    EXPECT_EQ(fileBytes(list), listBytes);
    EXPECT_EQ(readStyleFile(conf("KORBENA.dat")), style);

    // A folder cannot be read as a style.
    dialogs.expectOpen(kOpenStyle, data + QStringLiteral("/style"))
        .expectError(QStringLiteral("通常のファイルではありません"));
    c->openStyleCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->currentStyleFile(), conf("KORBENA.dat"));

    // A style opened as a data list, and a list that does not exist: the grid and the
    // list in use stay, and the next save writes that list.
    const QString sheet = data + QStringLiteral("/style/A4-44-CODE128.kbz");
    const QByteArray sheetBytes = fileBytes(sheet);
    dialogs.expectOpen(kOpenData, sheet)
        .expectError(QStringLiteral("データファイルではありません: ") + sheet);
    c->openDataCommand();
    dialogs.expectOpen(kOpenData, home.path() + QStringLiteral("/なし.lst"));
    dialogs.expectError(QStringLiteral("No such file or directory"));
    c->openDataCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->currentDataFile(), conf("KORBENA.lst"));
    EXPECT_EQ(dataFileLines(c->rows()), rows);
    EXPECT_EQ(otherFilesShown(), QSet<QString>{}); // only the save of the style file in use
    editTitle(*c, 1, QStringLiteral("変更した"));
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Save);
    EXPECT_TRUE(c->closeSequence());
    dialogs.expectDone();
    EXPECT_EQ(fileBytes(sheet), sheetBytes);
    EXPECT_EQ(readDataFile(conf("KORBENA.lst")).first(),
              dataFileLine(1, QStringLiteral("変更した"), c->rows().number(1)));
}

TEST_F(UnsavedWorkTest, AtStartUpARefusedFileGivesWayToTheNextAndIsNeverWrittenOver)
{
    // The desktop passes a data list named like a style; the last run remembered a data
    // list as its style. Each is told; the default style opens and is the one saved.
    const QString passed = listOf99(QStringLiteral("名前だけ.kbz"));
    const QString remembered = listOf99(QStringLiteral("覚えた.lst"));
    const QByteArray passedBytes = fileBytes(passed), rememberedBytes = fileBytes(remembered);
    PrepareDataFolder(data, kResources);
    WindowSettings settings;
    settings.styleFile = remembered;
    writeWindowSettings(conf("abacora.ini"), settings);

    auto c = make();
    const DocumentArguments arguments = documentArguments({passed});
    ASSERT_EQ(arguments.styleFile, passed);
    c->setStartDocuments(arguments);
    dialogs.expectError(QStringLiteral("スタイルファイルではありません: ") + passed)
        .expectError(QStringLiteral("スタイルファイルではありません: ") + remembered);
    c->startupLoad();
    dialogs.expectDone();
    EXPECT_EQ(c->currentStyleFile(), conf("KORBENA.dat"));
    EXPECT_EQ(c->currentDataFile(), conf("KORBENA.lst"));
    EXPECT_EQ(c->rows().number(1), QStringLiteral("490000100013"));

    dialogs.expectInformation(QStringLiteral("Korbena\r\n登録しました"));
    c->saveStyleCommand();
    dialogs.expectDone();
    EXPECT_TRUE(c->closeSequence()); // nothing asked: the defaults as loaded
    EXPECT_EQ(fileBytes(passed), passedBytes);
    EXPECT_EQ(fileBytes(remembered), rememberedBytes);
    EXPECT_EQ(readWindowSettings(conf("abacora.ini")).styleFile, conf("KORBENA.dat"));
}

// "キャンセル" stops the close or the load, and so does a save that does not happen;
// "いいえ" goes on without saving.
TEST_F(UnsavedWorkTest, TheSaveQuestionsStopOnCancelOrAFailedSaveAndGoOnOnNo)
{
    auto c = started();
    const QString list = conf("KORBENA.lst"), style = conf("KORBENA.dat"), ini = conf("abacora.ini");
    const QByteArray listBytes = fileBytes(list), styleBytes = fileBytes(style), iniBytes = fileBytes(ini);
    editTitle(*c, 1, QStringLiteral("変更した"));
    LabelStyle edited = c->style();
    edited.sheet.across = 2;
    c->setStyle(edited);

    dialogs.expectSaveQuestion(kDataQuestion, Answer::Cancel);
    EXPECT_FALSE(c->closeSequence()); // the style question is not even asked
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Cancel);
    c->openDataCommand(); // no open dialog
    dialogs.expectSaveQuestion(kStyleQuestion + u'？', Answer::Cancel);
    c->openStyleCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->rows().title(1), QStringLiteral("変更した"));
    EXPECT_EQ(c->style(), edited);
    EXPECT_EQ(c->currentStyleFile(), style);

    // "いいえ", then the open dialog cancelled: no list file is in use any more, so
    // "はい" at close needs the save dialog; cancelled, the close stops.
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Discard).expectOpen(kOpenData, std::nullopt);
    c->openDataCommand();
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Save)
        .expectSave(QStringLiteral("Korbena"), std::nullopt);
    EXPECT_FALSE(c->closeSequence());
    dialogs.expectDone();

    // The style's save fails on a full disk: told, and the close stops.
    {
        const WriteFaultScope full({0, false, false});
        dialogs.expectSaveQuestion(kDataQuestion, Answer::Discard)
            .expectSaveQuestion(kStyleQuestion, Answer::Save)
            .expectError(QStringLiteral("No space left on device"));
        EXPECT_FALSE(c->closeSequence());
        dialogs.expectDone();
    }
    EXPECT_EQ(fileBytes(list), listBytes);
    EXPECT_EQ(fileBytes(style), styleBytes);
    EXPECT_EQ(fileBytes(ini), iniBytes);
    EXPECT_EQ(c->rows().title(1), QStringLiteral("変更した"));
    EXPECT_EQ(c->style(), edited);

    // "いいえ" to both: the close goes on, the files stay as they were, the settings are written.
    c->setWindowGeometry(1, 2, 640, 480);
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Discard)
        .expectSaveQuestion(kStyleQuestion, Answer::Discard);
    EXPECT_TRUE(c->closeSequence());
    dialogs.expectDone();
    EXPECT_EQ(fileBytes(list), listBytes);
    EXPECT_EQ(fileBytes(style), styleBytes);
    EXPECT_EQ(readWindowSettings(ini).formWidth, 640);
}

TEST_F(UnsavedWorkTest, NoQuestionUnlessTheDocumentsDifferFromWhatWasLastLoadedOrSaved)
{
    // A fresh start, looked at and closed.
    auto c = started();
    c->explicitRedraw();
    EXPECT_TRUE(c->closeSequence());

    // After a save of each.
    editTitle(*c, 2, QStringLiteral("変更した"));
    LabelStyle edited = c->style();
    edited.sheet.down = 5;
    c->setStyle(edited);
    c->explicitRedraw();
    dialogs.expectSave(QStringLiteral("Korbena"), home.path() + QStringLiteral("/saved.lst"))
        .expectInformation(QStringLiteral("Korbena\r\nデータを登録しました"))
        .expectInformation(QStringLiteral("Korbena\r\n登録しました"));
    c->saveDataCommand();
    c->saveStyleCommand();
    dialogs.expectDone();
    EXPECT_TRUE(c->closeSequence());

    // A list written by korbena-cli import: three rows and the empty one past them, in
    // the grid of 90 rows, padded with one more empty row.
    const QString csv = home.path() + QStringLiteral("/in.csv");
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("apple,4900001000012\r\npear,4900001000029\r\nplum,4900001000036\r\n");
    }
    const QString imported = home.path() + QStringLiteral("/imported.lst");
    std::FILE* sink = std::tmpfile();
    ASSERT_EQ(cli::runImport({csv, QStringLiteral("--title-col"), QStringLiteral("1"),
                              QStringLiteral("--number-col"), QStringLiteral("2"), QStringLiteral("--out"),
                              imported},
                             sink, sink),
              0);
    std::fclose(sink);
    ASSERT_EQ(readDataFile(imported).size(), 4);
    dialogs.expectOpen(kOpenData, imported);
    c->openDataCommand();
    dialogs.expectDone();
    EXPECT_EQ(c->rows().title(3), QStringLiteral("plum"));
    c->explicitRedraw();
    c->appendRowCommand();
    EXPECT_TRUE(c->closeSequence());

    // A style of this program, loaded and left alone, and one whose DISP_KEY the next
    // list load resets.
    dialogs.expectOpen(kOpenStyle, data + QStringLiteral("/style/A4-44-CODE128.kbz"));
    c->openStyleCommand();
    dialogs.expectDone();
    c->explicitRedraw();
    EXPECT_TRUE(c->closeSequence());
    dialogs.expectOpen(kOpenStyle, QStringLiteral(KORBENA_SOURCE_DIR "/tests/data/sample_style.kbz"))
        .expectOpen(kOpenData, imported);
    c->openStyleCommand();
    c->openDataCommand();
    dialogs.expectDone();
    EXPECT_TRUE(c->closeSequence());

    // A row's text changed is a change again; changed back, it is none.
    editTitle(*c, 3, QStringLiteral("plums"));
    dialogs.expectSaveQuestion(kDataQuestion, Answer::Discard);
    EXPECT_TRUE(c->closeSequence());
    dialogs.expectDone();
    editTitle(*c, 3, QStringLiteral("plum"));
    EXPECT_TRUE(c->closeSequence());
}

} // namespace
} // namespace korbena::test
