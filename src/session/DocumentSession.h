#pragma once

#include "document/ChangeTracking.h"
#include "document/DataList.h"
#include "document/DocumentBaseline.h"
#include "document/LabelStyle.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/DocumentArguments.h"
#include "session/EditHistory.h"
#include "session/SessionHooks.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace korbena {

// The two documents of a session: the label style and the data list with its grid
// model, the files they came from, the change checks with their save questions, and
// the undo and redo history of both. Every other piece of the controller reads and
// edits the documents it holds; loading and saving, the questions and undo happen here.
class DocumentSession : public QObject
{
    Q_OBJECT

public:
    DocumentSession(Dialogs& dialogs, SessionHooks& hooks, QString dataFolder, QObject* parent = nullptr);

    // The documents. The style is edited in place by the setting commands, which say
    // so with their own styleChanged.
    const LabelStyle& style() const { return m_style; }
    LabelStyle& style() { return m_style; }
    void setStyle(const LabelStyle& style);
    const DataList& rows() const { return m_rows; }
    // Rows the last data file filled past the list: not printed, said on the message line.
    const std::vector<DataRow>& rowsPastList() const { return m_rowsPastList; }
    // The grid's item model over the data list: every change of the rows goes through
    // it, so the views stay in step.
    DataGridModel& grid() { return m_grid; }

    // The files in use.
    const QString& currentStyleFile() const { return m_styleFile; }
    const QString& currentDataFile() const { return m_dataFile; }
    // The files remembered from the last run, shown before anything is loaded.
    void setRememberedFiles(const QString& styleFile, const QString& dataFile);
    // The start-up load: a file the desktop passed, else the remembered one, else the
    // default of its kind; a file that no longer exists, or is refused, gives way to the
    // next. The open dialog is shown only when none of them exists.
    void startupLoad(const DocumentArguments& documents);

    // A file that is refused (not of the load's kind) or cannot be read changes nothing:
    // the file in use, the documents and the baseline stay as they were. A load or a
    // save makes what it read or wrote the baseline of the change checks.
    void LoadStyle(QString path);
    bool SaveStyle(QString path);
    void LoadDataList(QString path);
    bool SaveDataList(QString path);

    void openStyleCommand();
    void saveStyleCommand();
    void saveStyleAsCommand();
    void saveDefaultsCommand();
    void openDataCommand();
    void saveDataCommand();

    // The change checks, each with its save question; false when the answer
    // "キャンセル", or a save that failed or whose dialog was cancelled, stops what
    // asked (the close or the load).
    bool askToSaveData();
    bool askToSaveStyleBeforeLoad();
    bool askToSaveStyleAtClose();
    // Raises a notification that the change checks answer (a load or close request);
    // false when one of them stopped it.
    bool requestGoesOn(const QString& notification);

    // The style as its file was loaded, for the style comparison in memory.
    const ChangeTracking& changes() const { return m_changes; }
    // The answer to BeforePreviewRedraw, and the end of the commands that do not redraw.
    // The change checks compare with the baseline, so no copy of the rows is taken.
    void takeDataSnapshot();

    // ---- undo and redo: the history of the rows and the style ----
    EditHistory& history() { return m_history; }
    bool undoEnabled() const { return m_history.canUndo(); }
    bool redoEnabled() const { return m_history.canRedo(); }
    // A history with no steps: the end of start-up.
    void startNewHistory();
    // "取り消し" and "やり直し": a step back or forward, then a redraw.
    void undoCommand();
    void redoCommand();

signals:
    void notified(const QString& notification);
    void answered(const QString& step);
    void filesChanged();
    void styleChanged();
    void rowsChanged();
    void undoEnabledChanged(bool enabled);
    void redoEnabledChanged(bool enabled);
    void styleWindowKeys(const StyleFileExtras& extras);

private:
    void run(const std::function<void()>& command) { runCommand(m_dialogs, command); }
    void raise(const QString& notification) { m_hooks.raise(notification); }
    void explicitRedraw() { m_hooks.explicitRedraw(); }
    bool askToSaveStyle(const QString& question);
    bool answerSaveQuestion(const QString& question, const std::function<bool()>& save);
    void startupLoadOne(QString& current, const QString& argument, const QString& fallback,
                        void (DocumentSession::*load)(QString));
    void setStyleFile(const QString& path);
    void setDataFile(const QString& path);
    void historyChanged();
    void walkHistory(bool forward);
    FileDialogSpec styleDialog(bool save) const;
    FileDialogSpec dataDialog(bool save) const;

    Dialogs& m_dialogs;
    SessionHooks& m_hooks;
    QString m_dataFolder;

    LabelStyle m_style;
    DataList m_rows;
    std::vector<DataRow> m_rowsPastList;
    ChangeTracking m_changes;
    DocumentBaseline m_baseline;
    bool m_requestStopped = false;
    DataGridModel m_grid{m_rows};
    EditHistory m_history{m_grid, m_style};
    QString m_styleFile;
    QString m_dataFile;
};

} // namespace korbena
