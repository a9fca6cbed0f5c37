#pragma once

#include "document/DataList.h"
#include "document/DetailedCsvImport.h"
#include "document/LabelStyle.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/GridCommands.h"
#include "session/SessionHooks.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/SheetCatalogue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace korbena {

class DocumentSession;
class PrintCommands;

// Lists and label stock from outside: cells pasted from a spreadsheet and copied back,
// the detailed CSV import, the full-width clean-up of barcode numbers, the sheet
// catalogue with the stock last applied, and the label outlines it lets the preview draw.
class ImportCommands
{
public:
    ImportCommands(Dialogs& dialogs, DocumentSession& documents, GridCommands& gridCommands,
                   PrintCommands& print, SessionHooks& hooks, QString dataFolder);

    // Ctrl+V: a clipboard text of tab-separated cells pasted with its top-left cell at
    // grid row `row`, data column `column`, rows added as needed; one undoable step.
    // Returns where it wrote, for the view to select.
    CellArea pasteCellsCommand(const QString& text, int row, int column);
    // Ctrl+C: the cells of the rows and data columns given, as tab-separated text.
    QString copyCellsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const;
    void detailedCsvImportCommand(); // "CSV取込(詳細)…"
    void halfWidthNumbersCommand();  // "バーコード番号を半角に変換"
    void sheetCatalogueCommand();    // "用紙テンプレート…"
    // Lays the style out for a label stock, the elements kept in place within the label;
    // their positions and sizes scaled to the new label's size with ContentFit::Fit, or
    // when the user says so to the question after the layout with ContentFit::Ask.
    enum class ContentFit { Keep, Fit, Ask };
    void applySheetLayoutCommand(const SheetLayout& layout, ContentFit fit = ContentFit::Keep);
    // The view option "ラベルの枠を表示": label outlines on the preview, never printed.
    void setCellOutlines(bool shown);
    bool cellOutlines() const { return m_cellOutlines; }
    // What the preview outlines: the labels of the stock last applied, or the cells.
    CellOutlines previewOutlines() const;
    // The label stocks: the generic layouts and the templates installed on the system,
    // read at first use; tests name the template folders.
    void setTemplateFolders(const QStringList& folders);
    const std::vector<SheetLayout>& sheetLayouts();

private:
    void run(const std::function<void()>& command) { runCommand(m_dialogs, command); }
    void explicitRedraw() { m_hooks.explicitRedraw(); }
    int selectionTop() const { return m_gridCommands.selectionTop(); }
    int selectionBottom() const { return m_gridCommands.selectionBottom(); }
    void selectRows(int top, int bottom) { m_gridCommands.selectRows(top, bottom); }
    void setStyle(const LabelStyle& style);

    Dialogs& m_dialogs;
    DocumentSession& m_documents;
    GridCommands& m_gridCommands;
    PrintCommands& m_print;
    SessionHooks& m_hooks;
    QString m_dataFolder;
    DataGridModel& m_grid;
    const DataList& m_rows;
    const LabelStyle& m_style;
    const DeviceMetrics& m_metrics;

    DetailedCsvSettings m_detailedCsv;
    std::optional<QStringList> m_templateFolders;
    std::optional<SheetCatalogue> m_catalogue;
    std::optional<SheetLayout> m_sheetLayout; // the stock last applied
    bool m_cellOutlines = false;
};

} // namespace korbena
