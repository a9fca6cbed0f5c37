// The data grid's commands through the controller, every dialog answered from a
// script and the grid model watched by Qt's model tester throughout.
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/AtomicFile.h"
#include "session/AppController.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
const QString kRowCountPrompt = QStringLiteral("追加する行数を指定してください。");
const QString kNotANumber = QStringLiteral("入力値が数字ではありません。");
const QStringList kRedraw{"BeforePreviewRedraw", "TakeDataSnapshot", "RedrawPreview"};

// The default list after start-up: rows 1 to 36 titled and numbered, 90 grid rows.
class GridCommandsTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    QStringList log;
    std::unique_ptr<AppController> c;
    std::unique_ptr<QAbstractItemModelTester> tester;

    void SetUp() override
    {
        c = std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"),
                                            kResources);
        c->setScreenDpi(96, 96);
        c->prepare();
        c->startupLoad();
        tester = std::make_unique<QAbstractItemModelTester>(
            &c->grid(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QObject::connect(c.get(), &AppController::notified, [this](const QString& n) { log << n; });
        QObject::connect(c.get(), &AppController::answered, [this](const QString& a) {
            if (a == u"TakeDataSnapshot" || a == u"RedrawPreview")
                log << a;
        });
    }

    const DataList& rows() const { return c->rows(); }
    void type(int row, int column, const QString& text)
    {
        c->grid().setData(c->grid().index(DataGridModel::modelRow(row), column), text);
    }
    QStringList titles(int first, int last) const
    {
        QStringList out;
        for (int row = first; row <= last; ++row)
            out << rows().title(row);
        return out;
    }
    QString csvFile(const QByteArray& content)
    {
        const QString path = home.path() + QStringLiteral("/input.csv");
        writeFileAtomically(path, content);
        return path;
    }
};

TEST_F(GridCommandsTest, InsertAndDeleteActOnTheSelectedRowsAndKeepTheSelection)
{
    QList<std::pair<int, int>> selections;
    QObject::connect(c.get(), &AppController::gridSelectionChanged, [&](int top, int bottom) {
        selections.append({top, bottom});
    });

    c->setGridSelection(5, 3); // dragged upwards
    c->insertRowCommand();
    EXPECT_EQ(rows().RowCount(), 93);
    EXPECT_EQ(titles(2, 6), (QStringList{"みかん 1kg", "", "", "", "バナナ"}));
    EXPECT_EQ(log, kRedraw);
    EXPECT_TRUE(c->undoEnabled());
    EXPECT_EQ(selections.last(), std::make_pair(3, 5));

    c->deleteRowsCommand();
    EXPECT_EQ(rows().RowCount(), 90);
    EXPECT_EQ(titles(2, 3), (QStringList{"みかん 1kg", "バナナ"}));

    // Twice the two selected rows; then a negative count inserts nothing but redraws.
    c->setGridSelection(3, 4);
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("2"));
    c->insertRowsCommand();
    EXPECT_EQ(rows().RowCount(), 94);
    EXPECT_EQ(rows().title(7), QStringLiteral("バナナ"));
    log.clear();
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("-3"));
    c->insertRowsCommand();
    EXPECT_EQ(rows().RowCount(), 94);
    EXPECT_EQ(log, kRedraw);

    // Not a number, zero, or cancelled: nothing changes and nothing redraws.
    log.clear();
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("abc"))
        .expectInformation(kNotANumber);
    c->insertRowsCommand();
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("0")).expectInformation(kNotANumber);
    c->appendRowsCommand();
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, std::nullopt);
    c->appendRowsCommand();
    dialogs.expectDone();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(rows().RowCount(), 94);

    // Beyond the grid's bound: the error box, and the grid as it was.
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("999999"))
        .expectError("グリッドが大きすぎます");
    c->insertRowsCommand();
    EXPECT_EQ(rows().RowCount(), 94);
}

TEST_F(GridCommandsTest, DeletedRowsStayHiddenAndAppendingShowsThemAgain)
{
    type(89, DataGridModel::TitleColumn, QStringLiteral("最後の行"));
    c->explicitRedraw();
    c->setGridSelection(10, 10);
    c->deleteRowsCommand();
    EXPECT_EQ(rows().RowCount(), 89);
    EXPECT_EQ(rows().title(88), QStringLiteral("最後の行"));

    // "セルの1行追加": the row comes back with its text; no snapshot, no redraw.
    log.clear();
    const bool undoBefore = c->undoEnabled();
    c->appendRowQuietlyCommand();
    EXPECT_EQ(rows().RowCount(), 90);
    EXPECT_EQ(rows().title(89), QStringLiteral("最後の行"));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(c->undoEnabled(), undoBefore);

    // "1行追加" takes a snapshot without a redraw, and the longer grid is a change.
    c->appendRowCommand();
    EXPECT_EQ(log, QStringList{"TakeDataSnapshot"});
    EXPECT_TRUE(c->undoEnabled());

    // "指定行数追加": a negative count shortens the grid, never below one data row.
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("-80"));
    c->appendRowsCommand();
    EXPECT_EQ(rows().RowCount(), 11);
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("-100"));
    c->appendRowsCommand();
    EXPECT_EQ(rows().RowCount(), 2);
    EXPECT_EQ(c->selectionTop(), 1);

    // Deleting the only data row empties it.
    c->deleteRowsCommand();
    EXPECT_EQ(rows().RowCount(), 2);
    EXPECT_TRUE(rows().title(1).isEmpty());
    dialogs.expectPrompt("Korbena", kRowCountPrompt, {}, QStringLiteral("40"));
    c->appendRowsCommand();
    EXPECT_EQ(rows().RowCount(), 42);
    EXPECT_EQ(rows().title(2), QStringLiteral("みかん 1kg")); // hidden, never cleared

    // Every data row selected: one empty row remains.
    c->setGridSelection(1, 41);
    c->deleteRowsCommand();
    EXPECT_EQ(rows().RowCount(), 2);
}

TEST_F(GridCommandsTest, FillsStartAtTheSelectionAndClearAllGoesBackAPage)
{
    c->setGridSelection(2, 7);
    dialogs.expectPrompt("Korbena", "バーコードタイトルを入力を入力してください。", "みかん 1kg", "同じ");
    c->fillTitlesCommand();
    EXPECT_EQ(titles(1, 2), (QStringList{"りんご（ふじ）", "同じ"}));
    EXPECT_EQ(rows().title(89), QStringLiteral("同じ")); // titled or not, to the last row
    dialogs.expectPrompt("Korbena", "バーコード番号を入力を入力してください。", "490000100020",
                         "4912345678904");
    c->fillNumbersCommand();
    EXPECT_EQ(rows().number(89), QStringLiteral("4912345678904"));
    EXPECT_EQ(rows().number(1), QStringLiteral("490000100013"));
    dialogs.expectPrompt("Korbena", "バーコードタイトルを入力を入力してください。", "同じ", std::nullopt);
    log.clear();
    c->fillTitlesCommand();
    EXPECT_TRUE(log.isEmpty());

    // 89 numbered rows of 24 labels a page: page 3 exists.
    c->nextPageCommand();
    c->nextPageCommand();
    ASSERT_EQ(c->currentPage(), 3);
    dialogs.expectConfirm("全データをクリアーにしていいですか？", false);
    c->clearAllCommand();
    EXPECT_EQ(c->currentPage(), 3);
    dialogs.expectConfirm("全データをクリアーにしていいですか？", true);
    c->clearAllCommand();
    EXPECT_EQ(c->currentPage(), 2);
    EXPECT_EQ(rows().RowCount(), 90);
    EXPECT_TRUE(rows().title(1).isEmpty() && rows().number(89).isEmpty());
    EXPECT_TRUE(c->undoEnabled());
    c->previousPageCommand();
    dialogs.expectConfirm("全データをクリアーにしていいですか？", true);
    c->clearAllCommand();
    EXPECT_EQ(c->currentPage(), 1);

    // An untitled top row: the numbers stay as they are.
    type(1, DataGridModel::NumberColumn, QStringLiteral("111"));
    type(2, DataGridModel::TitleColumn, QStringLiteral("t"));
    c->setGridSelection(1, 1);
    dialogs.expectPrompt("Korbena", "バーコード番号を入力を入力してください。", "111", "222");
    c->fillNumbersCommand();
    EXPECT_EQ(rows().number(1), QStringLiteral("111"));
    EXPECT_TRUE(rows().number(2).isEmpty());
}

TEST_F(GridCommandsTest, SerialNumberingIsOneUndoableStep)
{
    c->setGridSelection(2, 2);
    dialogs.expectSerial(SerialSettings{});
    c->serializeCommand();
    EXPECT_EQ(rows().number(1), QStringLiteral("490000100013"));
    EXPECT_EQ(rows().number(2), QStringLiteral("00100001-01"));
    EXPECT_EQ(rows().number(36), QStringLiteral("00100035-01"));
    EXPECT_TRUE(rows().number(37).isEmpty()); // untitled: the numbering stopped
    ASSERT_TRUE(c->undoEnabled());

    c->undoCommand();
    EXPECT_EQ(rows().number(2), QStringLiteral("490000100020"));
    EXPECT_EQ(rows().number(36), QStringLiteral("490000500066"));
    c->redoCommand(); // and back again
    EXPECT_EQ(rows().number(36), QStringLiteral("00100035-01"));

    // Cancelled: nothing, not even a redraw; "桁調整なし": numbers without zeros.
    log.clear();
    dialogs.expectSerial(std::nullopt);
    c->serializeCommand();
    EXPECT_TRUE(log.isEmpty());
    SerialSettings noPadding;
    noPadding.width = 0;
    dialogs.expectSerial(noPadding);
    c->serializeCommand();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(rows().number(2), QStringLiteral("0011-01"));
    EXPECT_EQ(rows().number(36), QStringLiteral("00135-01"));
    EXPECT_TRUE(c->undoEnabled());
}

// Looking is no edit: zoom clicks and page turns redraw without touching the history,
// and the steps stay in order behind them, each with its name.
TEST_F(GridCommandsTest, RedrawsLeaveTheHistoryAndUndoWalksBackStepByStep)
{
    c->setGridSelection(2, 2);
    dialogs.expectSerial(SerialSettings{});
    c->serializeCommand();
    ASSERT_EQ(rows().number(2), QStringLiteral("00100001-01"));
    c->zoomIn();
    c->zoomIn();
    c->zoomOut();
    c->nextPageCommand();
    c->paintRequested();
    ASSERT_TRUE(c->undoEnabled());
    c->undoCommand();
    EXPECT_EQ(rows().number(2), QStringLiteral("490000100020"));
    EXPECT_EQ(rows().number(36), QStringLiteral("490000500066"));
    EXPECT_FALSE(c->undoEnabled());
    EXPECT_TRUE(c->redoEnabled());

    // Three steps of three kinds, walked back and forth.
    c->redoCommand();
    c->setGridSelection(3, 5);
    c->deleteRowsCommand();
    type(1, DataGridModel::TitleColumn, QStringLiteral("変")); // the grid takes typing key by key
    type(1, DataGridModel::TitleColumn, QStringLiteral("変更"));
    c->zoomIn();
    EXPECT_EQ(c->documents().history().undoText(), QStringLiteral("セル編集"));
    c->undoCommand();
    EXPECT_EQ(c->documents().history().undoText(), QStringLiteral("3行削除"));
    c->undoCommand();
    EXPECT_EQ(rows().title(3), QStringLiteral("バナナ"));
    EXPECT_EQ(rows().RowCount(), 90);
    EXPECT_EQ(c->documents().history().undoText(), QStringLiteral("連番"));
    c->redoCommand();
    c->redoCommand();
    EXPECT_EQ(rows().title(1), QStringLiteral("変更"));
    EXPECT_EQ(rows().RowCount(), 87);
    EXPECT_FALSE(c->redoEnabled());
}

TEST_F(GridCommandsTest, CsvImportFillsTitlesFromTheSelectionThenNumbersFromRowOne)
{
    QList<std::pair<int, int>> selections;
    QObject::connect(c.get(), &AppController::gridSelectionChanged, [&](int top, int bottom) {
        selections.append({top, bottom});
    });
    // Ten lines from row 85: the grid grows to 95 rows; the second field is the title.
    QByteArray content;
    for (int i = 1; i <= 10; ++i)
        content += i == 4 ? QByteArray("only\r\n")
                          : "c" + QByteArray::number(i) + ",タイトル" + QByteArray::number(i) + ",x\r\n";
    const QString path = csvFile(content);
    c->setGridSelection(85, 86);
    SerialSettings serial;
    serial.header = QStringLiteral("A");
    serial.footer.clear();
    serial.width = 3;
    dialogs.expectOpen({}, path).expectCsvOptions(CsvOptions{CsvSeparator::Comma, 2}).expectSerial(serial);
    c->importCsvCommand();
    dialogs.expectDone();
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(dialogs.fileDialogs.back().filter.isEmpty());

    EXPECT_EQ(rows().RowCount(), 95);
    EXPECT_EQ(titles(84, 88), (QStringList{"", "タイトル1", "タイトル2", "タイトル3", "only"}));
    EXPECT_EQ(rows().number(85), QStringLiteral("85")); // below the first untitled row: the row number
    EXPECT_EQ(rows().number(1), QStringLiteral("A001"));
    EXPECT_EQ(rows().number(36), QStringLiteral("A036"));
    EXPECT_EQ(selections, (QList<std::pair<int, int>>{{1, 94}, {1, 1}}));
    EXPECT_TRUE(c->undoEnabled());

    // Undo brings the titles, the numbers and the row count of the earlier state back.
    c->undoCommand();
    EXPECT_EQ(rows().number(1), QStringLiteral("490000100013"));
    EXPECT_TRUE(rows().title(85).isEmpty());
    EXPECT_EQ(rows().RowCount(), 90);

    // With the serial dialog cancelled undo is on all the same, and the rows keep their row numbers.
    c->explicitRedraw();
    c->explicitRedraw();
    ASSERT_FALSE(c->undoEnabled());
    c->setGridSelection(1, 1);
    dialogs.expectOpen({}, csvFile("a\tb\r\n\r\nc\r\n"))
        .expectCsvOptions(CsvOptions{CsvSeparator::Tab, 0})
        .expectSerial(std::nullopt);
    c->importCsvCommand();
    EXPECT_EQ(titles(1, 3), (QStringList{"b", "", "c"}));
    EXPECT_EQ(rows().number(1), QStringLiteral("1"));
    EXPECT_TRUE(c->undoEnabled());
    c->undoCommand();
    EXPECT_EQ(titles(1, 3), (QStringList{"りんご（ふじ）", "みかん 1kg", "バナナ"}));

    // Cancelled at either dialog, or a file that does not exist: nothing at all.
    log.clear();
    dialogs.expectOpen({}, std::nullopt);
    c->importCsvCommand();
    dialogs.expectOpen({}, path).expectCsvOptions(std::nullopt);
    c->importCsvCommand();
    dialogs.expectOpen({}, home.path() + QStringLiteral("/none.csv")).expectCsvOptions(CsvOptions{});
    c->importCsvCommand();
    dialogs.expectDone();
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(GridCommandsTest, EnterRedrawsAndMakesATypedCellUndoable)
{
    QSignalSpy undo(c.get(), &AppController::undoEnabledChanged);
    type(3, DataGridModel::TitleColumn, QStringLiteral("入力"));
    EXPECT_TRUE(log.isEmpty()); // typing alone draws nothing
    c->gridEnterPressed();
    EXPECT_EQ(log, kRedraw);
    ASSERT_FALSE(undo.isEmpty());
    EXPECT_TRUE(undo.last().first().toBool());
    c->gridEnterPressed(); // nothing changed since: the history stays as it was
    EXPECT_TRUE(c->undoEnabled());

    // A loaded file longer than the grid grows the model with it.
    QByteArray longFile;
    for (int row = 1; row <= 150; ++row)
        longFile += "[DATA_LIST]=" + QByteArray::number(row) + ";t;1;\r\n";
    const QString path = home.path() + QStringLiteral("/long.lst");
    writeFileAtomically(path, longFile);
    c->LoadDataList(path);
    EXPECT_EQ(c->grid().rowCount(), 149);
}

} // namespace
} // namespace korbena::test
