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
    startupLoadOne(m_styleFile, documents.styleFile, DefaultStyleFile(m_dataFolder),
                   &DocumentSession::LoadStyle);
    startupLoadOne(m_dataFile, documents.dataFile, DefaultDataFile(m_dataFolder),
                   &DocumentSession::LoadDataList);
}

// `current` holds the remembered file; nothing is in use until a load takes one, so a
// refused file is never the one a later save writes over.
void DocumentSession::startupLoadOne(QString& current, const QString& argument, const QString& fallback,
                                     void (DocumentSession::*load)(QString))
{
    QStringList candidates{argument, current, fallback};
    candidates.removeAll(QString());
    candidates.removeDuplicates();
    current.clear();
    emit filesChanged();
    bool found = false;
    for (const QString& path : std::as_const(candidates)) {
        if (!isExistingFile(path))
            continue;
        found = true;
        run([&] { (this->*load)(path); });
        if (current == path)
            return;
    }
    if (!found)
        run([&] { (this->*load)({}); }); // the open dialog
}

// ---- the change checks ----

bool DocumentSession::requestGoesOn(const QString& notification)
{
    m_requestStopped = false;
    raise(notification);
    return !m_requestStopped;
}

bool DocumentSession::askToSaveData()
{
    const bool goOn = !m_baseline.rowsChanged(m_rows) ||
                      answerSaveQuestion(kDataQuestion, [&] { return SaveDataList(m_dataFile); });
    emit answered(QStringLiteral("DataChangeCheck"));
    return goOn;
}

bool DocumentSession::askToSaveStyleBeforeLoad()
{
    return askToSaveStyle(kStyleQuestionBeforeLoad);
}

bool DocumentSession::askToSaveStyleAtClose()
{
    return askToSaveStyle(kStyleQuestionAtClose);
}

bool DocumentSession::askToSaveStyle(const QString& question)
{
    const bool goOn = !m_baseline.styleChanged(m_style) ||
                      answerSaveQuestion(question, [&] { return SaveStyle(m_styleFile); });
    emit answered(QStringLiteral("StyleChangeCheck"));
    return goOn;
}

// A save that fails, or whose dialog is cancelled, stops the close or the load as
// "キャンセル" does: the changes are still only in the window.
bool DocumentSession::answerSaveQuestion(const QString& question, const std::function<bool()>& save)
{
    bool goOn = false;
    switch (m_dialogs.askToSave(question)) {
    case Dialogs::SaveAnswer::Save:
        runCommand(m_dialogs, [&] { goOn = save(); });
        break;
    case Dialogs::SaveAnswer::Discard:
        goOn = true;
        break;
    case Dialogs::SaveAnswer::Cancel:
        break;
    }
    if (!goOn)
        m_requestStopped = true;
    return goOn;
}

// ---- undo and redo ----

void DocumentSession::takeDataSnapshot()
{
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

void DocumentSession::setStyleFile(const QString& path)
{
    m_styleFile = path;
    emit filesChanged();
}

void DocumentSession::setDataFile(const QString& path)
{
    m_dataFile = path;
    emit filesChanged();
}

// The file in use changes only once the chosen file has been read as a style: a
// cancelled dialog or a refused file leaves the style, its file and the status bar.
void DocumentSession::LoadStyle(QString path)
{
    if (!isExistingFile(path))
        path.clear();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(styleDialog(false));
        if (!chosen)
            return;
        path = *chosen;
    }
    if (!QFileInfo::exists(path)) {
        // A new name: the style stays as it is, not yet saved under it.
        m_style.displayKey = 3;
        setStyleFile(path);
        m_baseline.forgetStyle();
        raise(QStringLiteral("StyleLoaded"));
        return;
    }
    const QStringList lines = readStyleFile(path);
    m_style.displayKey = 3;
    setStyleFile(path);
    m_baseline.forgetStyle(); // until the whole file is applied
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
    raise(QStringLiteral("StyleLoaded"));
    // After the printer's paper and the symbology's rules: that is the style as loaded.
    m_baseline.takeStyle(m_style);
}

// The file in use changes only once it has been written: a failed save leaves the
// previous file named, untouched.
bool DocumentSession::SaveStyle(QString path)
{
    if (path.isEmpty()) {
        const auto chosen = m_dialogs.saveFile(styleDialog(true));
        if (!chosen)
            return false;
        path = *chosen;
    }
    WriteStyleFile(path, m_style);
    setStyleFile(path);
    m_baseline.takeStyle(m_style);
    m_history.setClean();
    return true;
}

// Cancelling the open dialog leaves no list file in use; a file that is refused or
// cannot be read changes nothing.
void DocumentSession::LoadDataList(QString path)
{
    if (!isExistingFile(path))
        path.clear();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(dataDialog(false));
        if (!chosen) {
            setDataFile({});
            return;
        }
        path = *chosen;
    }
    const QStringList lines = readDataFile(path);
    if (lines.size() > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage, path); // before the grid takes a single row
    m_style.displayKey = 3;
    setDataFile(path);
    emit notified(QStringLiteral("DataListLoaded"));
    m_history.clear();
    emit answered(QStringLiteral("tempdata"));
    m_baseline.forgetRows();
    try {
        m_rowsPastList = m_grid.applyDataLines(lines, path);
    } catch (const Error&) {
        emit rowsChanged();
        throw;
    }
    m_baseline.takeRows(m_rows);
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
    writeDataFile(path, m_rows);
    setDataFile(path);
    m_baseline.takeRows(m_rows);
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
        if (requestGoesOn(QStringLiteral("StyleLoadRequested")))
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
        if (requestGoesOn(QStringLiteral("DataLoadRequested")))
            LoadDataList({});
    });
}

void DocumentSession::saveDataCommand()
{
    run([&] { SaveDataList({}); });
}

} // namespace korbena
