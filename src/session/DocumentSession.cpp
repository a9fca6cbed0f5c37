// The documents of a session: the style and data files, their change checks and save
// questions, and the undo and redo history.
#include "session/DocumentSession.h"

#include "document/DataFile.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFileInfo>

namespace korbena {

namespace {

const QString kDataQuestion = QStringLiteral("バーコードデータが変更されました。保存しますか？");
const QString kStyleQuestionBeforeLoad = QStringLiteral("スタイルが変更されました。保存しますか？？");
const QString kStyleQuestionAtClose = QStringLiteral("スタイルが変更されました。保存しますか？");
const QString kStyleSaved = QStringLiteral("Korbena\r\n登録しました");
const QString kDataSaved = QStringLiteral("Korbena\r\nデータを登録しました");

bool isExistingFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

DocumentSession::DocumentSession(Dialogs& dialogs, SessionHooks& hooks, QString dataFolder, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_hooks(hooks), m_dataFolder(std::move(dataFolder))
{
    m_grid.setHistory(&m_history);
    connect(&m_history, &EditHistory::historyChanged, this, &DocumentSession::historyChanged);
}

void DocumentSession::setRememberedFiles(const QString& styleFile, const QString& dataFile)
{
    m_styleFile = styleFile;
    m_dataFile = dataFile;
    emit filesChanged();
}

void DocumentSession::startupLoad(const DocumentArguments& documents)
{
    if (!documents.error.isEmpty())
        m_dialogs.information(documents.error);
    if (!documents.styleFile.isEmpty())
        m_styleFile = documents.styleFile;
    if (!documents.dataFile.isEmpty())
        m_dataFile = documents.dataFile;
    if (!isExistingFile(m_styleFile))
        m_styleFile = DefaultStyleFile(m_dataFolder);
    if (!isExistingFile(m_dataFile))
        m_dataFile = DefaultDataFile(m_dataFolder);
    run([&] { LoadStyle(m_styleFile); });
    run([&] { LoadDataList(m_dataFile); });
}

// ---- the change checks ----

void DocumentSession::askToSaveData()
{
    if (m_changes.DataChanged() && m_dialogs.confirm(kDataQuestion))
        SaveDataList(m_dataFile);
    emit answered(QStringLiteral("DataChangeCheck"));
}

void DocumentSession::askToSaveStyleBeforeLoad()
{
    askToSaveStyle(kStyleQuestionBeforeLoad);
}

void DocumentSession::askToSaveStyleAtClose()
{
    askToSaveStyle(kStyleQuestionAtClose);
}

void DocumentSession::askToSaveStyle(const QString& question)
{
    if (m_changes.StyleChanged(m_style) && m_dialogs.confirm(question))
        SaveStyle(m_styleFile);
    emit answered(QStringLiteral("StyleChangeCheck"));
}

// ---- undo and redo ----

void DocumentSession::takeDataSnapshot()
{
    m_changes.TakeDataSnapshot(m_rows);
    // The history is untouched; the views only hear its state again.
    emit undoEnabledChanged(undoEnabled());
    emit answered(QStringLiteral("TakeDataSnapshot"));
}

void DocumentSession::startNewHistory()
{
    m_history.clear();
}

void DocumentSession::historyChanged()
{
    emit undoEnabledChanged(undoEnabled());
    emit redoEnabledChanged(redoEnabled());
}

void DocumentSession::undoCommand()
{
    walkHistory(false);
}

void DocumentSession::redoCommand()
{
    walkHistory(true);
}

void DocumentSession::walkHistory(bool forward)
{
    run([&] {
        if (forward ? !m_history.canRedo() : !m_history.canUndo())
            return;
        if (forward)
            m_history.redo();
        else
            m_history.undo();
        emit rowsChanged();
        historyChanged();
        explicitRedraw();
    });
}

// ---- style and data files ----

FileDialogSpec DocumentSession::styleDialog(bool save) const
{
    return {m_dataFolder + u'/' + kStyleFolder,
            save ? QStringLiteral("Korbena") : QStringLiteral("データファイルを選択してください"),
            QStringLiteral("kbz"), QStringLiteral("Korbena(KBZ)|*.kbz|すべてのファイル|*.*"), save};
}

FileDialogSpec DocumentSession::dataDialog(bool save) const
{
    // The lists live in listdata; made when missing, or the dialog would open wherever
    // the last one did (the style folder).
    const QString folder = m_dataFolder + u'/' + kListDataFolder;
    if (save)
        QDir().mkpath(folder);
    return {folder,
            save ? QStringLiteral("Korbena") : QStringLiteral("バーコードデータファイルを選択してください"),
            QStringLiteral("lst"), QStringLiteral("バーコードデータ(lst)|*.lst|すべてのファイル|*.*"), save};
}

void DocumentSession::LoadStyle(QString path)
{
    m_style.displayKey = 3;
    if (!isExistingFile(path))
        path.clear();
    m_styleFile = path;
    emit filesChanged();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(styleDialog(false));
        if (!chosen)
            return;
        path = *chosen;
        m_styleFile = path;
        emit filesChanged();
    }
    if (QFileInfo(path).isFile()) {
        const QStringList lines = readStyleFile(path);
        m_changes.styleLoaded(lines);
        m_history.clear();
        StyleFileExtras extras;
        try {
            applyStyleLines(lines, m_style, extras, path);
        } catch (const Error&) {
            emit styleChanged();
            throw;
        }
        emit styleChanged();
        if (extras != StyleFileExtras{})
            emit styleWindowKeys(extras);
    }
    raise(QStringLiteral("StyleLoaded"));
}

bool DocumentSession::SaveStyle(QString path)
{
    if (path.isEmpty()) {
        const auto chosen = m_dialogs.saveFile(styleDialog(true));
        if (!chosen)
            return false;
        path = *chosen;
    }
    m_styleFile = path;
    emit filesChanged();
    WriteStyleFile(path, m_style);
    m_history.setClean();
    return true;
}

void DocumentSession::LoadDataList(QString path)
{
    m_style.displayKey = 3;
    if (!isExistingFile(path))
        path.clear();
    m_dataFile = path;
    emit filesChanged();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(dataDialog(false));
        if (!chosen)
            return;
        path = *chosen;
        m_dataFile = path;
        emit filesChanged();
    }
    const QStringList lines = readDataFile(path);
    emit notified(QStringLiteral("DataListLoaded"));
    m_changes.dataListLoaded(lines);
    m_history.clear();
    emit answered(QStringLiteral("tempdata"));
    try {
        m_rowsPastList = m_grid.applyDataLines(lines, path);
    } catch (const Error&) {
        emit rowsChanged();
        throw;
    }
    emit rowsChanged();
}

bool DocumentSession::SaveDataList(QString path)
{
    if (path.isEmpty()) {
        const auto chosen = m_dialogs.saveFile(dataDialog(true));
        if (!chosen)
            return false;
        path = *chosen;
    }
    m_dataFile = path;
    emit filesChanged();
    writeDataFile(path, m_rows);
    m_history.setClean();
    if (path != DefaultDataFile(m_dataFolder))
        m_dialogs.information(kDataSaved);
    return true;
}

void DocumentSession::setStyle(const LabelStyle& style)
{
    m_style = style;
    emit styleChanged();
}

// ---- commands ----

void DocumentSession::openStyleCommand()
{
    run([&] {
        raise(QStringLiteral("StyleLoadRequested"));
        LoadStyle({});
    });
}

void DocumentSession::saveStyleCommand()
{
    run([&] {
        if (SaveStyle(m_styleFile))
            m_dialogs.information(kStyleSaved);
    });
}

void DocumentSession::saveStyleAsCommand()
{
    run([&] {
        if (SaveStyle({}))
            m_dialogs.information(kStyleSaved);
    });
}

void DocumentSession::saveDefaultsCommand()
{
    run([&] {
        SaveStyle(DefaultStyleFile(m_dataFolder));
        SaveDataList(DefaultDataFile(m_dataFolder));
    });
}

void DocumentSession::openDataCommand()
{
    run([&] {
        raise(QStringLiteral("DataLoadRequested"));
        LoadDataList({});
    });
}

void DocumentSession::saveDataCommand()
{
    run([&] { SaveDataList({}); });
}

} // namespace korbena
