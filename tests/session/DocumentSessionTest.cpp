// The document session on its own, its calls into the rest of the controller recorded:
// the boundary the preview, the commands and a later undo history build on.
#include "session/DocumentSession.h"

#include "ScriptedDialogs.h"
#include "document/DataFile.h"
#include "platform/Folders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// The controller's side of the session: every notification and redraw it is asked
// for, in one log with the session's own signals.
class RecordingHooks : public SessionHooks
{
public:
    explicit RecordingHooks(QStringList& log) : m_log(log) {}
    void raise(const QString& notification) override { m_log << QStringLiteral("raise ") + notification; }
    void RedrawPreview() override { m_log << QStringLiteral("RedrawPreview"); }
    void explicitRedraw() override { m_log << QStringLiteral("explicitRedraw"); }
    int startLabel() const override { return 1; }

private:
    QStringList& m_log;
};

class DocumentSessionTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QString data = home.path() + QStringLiteral("/data");
    ScriptedDialogs dialogs;
    QStringList log;
    RecordingHooks hooks{log};
    DocumentSession session{dialogs, hooks, data};

    void SetUp() override
    {
        ASSERT_TRUE(PrepareDataFolder(data, kResources));
        QObject* s = &session;
        QObject::connect(&session, &DocumentSession::notified, s, [this](const QString& n) { log << n; });
        QObject::connect(&session, &DocumentSession::answered, s, [this](const QString& a) { log << a; });
        QObject::connect(&session, &DocumentSession::filesChanged, s, [this] { log << "files"; });
        QObject::connect(&session, &DocumentSession::styleChanged, s, [this] { log << "style"; });
        QObject::connect(&session, &DocumentSession::rowsChanged, s, [this] { log << "rows"; });
        QObject::connect(&session, &DocumentSession::undoEnabledChanged, s,
                         [this](bool on) { log << (on ? "undo on" : "undo off"); });
    }
};

TEST_F(DocumentSessionTest, LoadsAndSavesBothDocumentsAndLeavesTheRestToTheController)
{
    session.LoadStyle(DefaultStyleFile(data));
    // The paper, the metrics, the redraw and the rules answer StyleLoaded elsewhere.
    EXPECT_EQ(log, (QStringList{"files", "style", "raise StyleLoaded"}));
    EXPECT_EQ(session.currentStyleFile(), DefaultStyleFile(data));

    log.clear();
    session.LoadDataList(DefaultDataFile(data));
    EXPECT_EQ(log, (QStringList{"files", "DataListLoaded", "tempdata", "rows"}));
    EXPECT_EQ(session.rows().number(1), QStringLiteral("490000100013"));

    // Saved under a new name: said, and the file is the one in use.
    log.clear();
    const QString copy = home.path() + QStringLiteral("/copy.lst");
    dialogs.expectSave(QStringLiteral("Korbena"), copy)
        .expectInformation(QStringLiteral("Korbena\r\nデータを登録しました"));
    session.saveDataCommand();
    dialogs.expectDone();
    EXPECT_EQ(log, (QStringList{"files"}));
    EXPECT_EQ(session.currentDataFile(), copy);
    // Every grid row is written, the file's rows first.
    const QStringList original = readDataFile(DefaultDataFile(data));
    EXPECT_EQ(readDataFile(copy).mid(0, original.size()), original);

    // A file chosen for the style goes through the load request first; cancelled, the
    // style file in use stays.
    log.clear();
    dialogs.expectOpen(QStringLiteral("データファイルを選択してください"), std::nullopt);
    session.openStyleCommand();
    dialogs.expectDone();
    EXPECT_EQ(log, (QStringList{"raise StyleLoadRequested"}));
    EXPECT_EQ(session.currentStyleFile(), DefaultStyleFile(data));
}

TEST_F(DocumentSessionTest, AnEditBecomesUndoableAtTheSnapshotAndUndoAsksForARedraw)
{
    session.LoadDataList(DefaultDataFile(data));
    const QString before = session.rows().title(1);
    session.takeDataSnapshot(); // the grid's blank rows beyond the file's lines
    session.takeDataSnapshot();
    EXPECT_FALSE(session.undoEnabled()); // nothing changed since the last snapshot

    session.grid().setData(session.grid().index(0, DataGridModel::TitleColumn), QStringLiteral("変更した"));
    log.clear();
    session.takeDataSnapshot();
    EXPECT_EQ(log, (QStringList{"undo on", "TakeDataSnapshot"}));

    // The change check sees the edit; Cancel keeps the list unsaved.
    log.clear();
    dialogs.expectConfirm(QStringLiteral("バーコードデータが変更されました。保存しますか？"), false);
    session.askToSaveData();
    dialogs.expectDone();
    EXPECT_EQ(log, (QStringList{"DataChangeCheck"}));

    log.clear();
    session.undoCommand();
    EXPECT_EQ(session.rows().title(1), before);
    // The views hear of the rows and the undo command's state before the redraw.
    EXPECT_EQ(log, (QStringList{"rows", session.undoEnabled() ? "undo on" : "undo off", "explicitRedraw"}));

    log.clear();
    session.startNewHistory();
    EXPECT_EQ(log, (QStringList{"undo off"}));
    EXPECT_FALSE(session.undoEnabled());
}

// Each file dialog opens in the folder of its kind: the lists in listdata, made for the
// save when missing, and the styles in style.
TEST_F(DocumentSessionTest, EachFileDialogOpensInTheFolderOfItsKind)
{
    session.LoadStyle(DefaultStyleFile(data));
    session.LoadDataList(DefaultDataFile(data));
    const QString lists = data + QStringLiteral("/listdata");
    QDir(lists).removeRecursively();
    ASSERT_FALSE(QDir(lists).exists());

    dialogs.expectSave(QStringLiteral("Korbena"), std::nullopt);
    session.saveDataCommand();
    dialogs.expectSave(QStringLiteral("Korbena"), std::nullopt);
    session.saveStyleAsCommand();
    dialogs.expectOpen(QStringLiteral("バーコードデータファイルを選択してください"), std::nullopt);
    session.openDataCommand();
    dialogs.expectOpen(QStringLiteral("データファイルを選択してください"), std::nullopt);
    session.openStyleCommand();
    dialogs.expectDone();

    ASSERT_EQ(dialogs.fileDialogs.size(), 4u);
    EXPECT_EQ(dialogs.fileDialogs[0].folder, lists);
    EXPECT_EQ(dialogs.fileDialogs[0].defaultSuffix, QStringLiteral("lst"));
    EXPECT_TRUE(QDir(lists).exists());
    EXPECT_EQ(dialogs.fileDialogs[1].folder, data + QStringLiteral("/style"));
    EXPECT_EQ(dialogs.fileDialogs[1].defaultSuffix, QStringLiteral("kbz"));
    EXPECT_EQ(dialogs.fileDialogs[2].folder, lists);
    EXPECT_EQ(dialogs.fileDialogs[3].folder, data + QStringLiteral("/style"));
}

} // namespace
} // namespace korbena::test
