#pragma once

#include "document/DataList.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/SessionHooks.h"

#include <QObject>
#include <QString>

#include <optional>

namespace korbena {

class DocumentSession;
class PreviewState;

// The commands of the data grid "データ入力" and the selection they work on: the edit
// menu, the buttons under the grid, its context menu, the serial numbering and the
// CSV import.
class GridCommands : public QObject
{
    Q_OBJECT

public:
    GridCommands(Dialogs& dialogs, DocumentSession& documents, PreviewState& preview, SessionHooks& hooks,
                 QString dataFolder, QObject* parent = nullptr);

    // The rows the grid's selection spans (its Top and Bottom), in grid rows. The view
    // reports every change; the commands that move the selection themselves say so
    // with gridSelectionChanged. Both are kept within the shown data rows.
    void setGridSelection(int top, int bottom);
    int selectionTop() const;
    int selectionBottom() const;
    // A command moves the selection.
    void selectRows(int top, int bottom);

    void clearAllCommand();         // "全クリアー"
    void insertRowCommand();        // "1行割込", "セルの1行割込": as many rows as selected
    void deleteRowsCommand();       // "1行削除", "セルの1行削除": every selected row
    void appendRowCommand();        // "1行追加": a row, then a snapshot
    void appendRowQuietlyCommand(); // "セルの1行追加": a row only
    void appendRowsCommand();       // "指定行数追加", "セルの指定行数追加"
    void insertRowsCommand();       // "指定行数割込", "セルの指定行数割り込み"
    void fillTitlesCommand();
    void fillNumbersCommand();
    void serializeCommand();
    void importCsvCommand(); // the toolbar button "CSVファイル"
    void gridEnterPressed(); // Enter in the grid redraws

signals:
    void gridSelectionChanged(int top, int bottom);

private:
    void run(const std::function<void()>& command) { runCommand(m_dialogs, command); }
    void explicitRedraw() { m_hooks.explicitRedraw(); }
    void takeDataSnapshot();
    // The serial-number dialog, then the numbering from the selection's top row.
    void SerializeRows();
    // The row count prompt: the count, or nothing when cancelled or not a number.
    std::optional<int> promptRowCount();

    Dialogs& m_dialogs;
    DocumentSession& m_documents;
    PreviewState& m_preview;
    SessionHooks& m_hooks;
    QString m_dataFolder;
    DataGridModel& m_grid;
    const DataList& m_rows;

    int m_selectionTop = 1;
    int m_selectionBottom = 1;
};

} // namespace korbena
