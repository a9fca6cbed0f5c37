// Lists and label stock from outside: cells pasted from a spreadsheet and copied back,
// the detailed CSV import, the full-width clean-up of barcode numbers and the sheet
// catalogue. Each changes the rows through the grid model, which records the change
// as one step of the history, and ends with an explicit redraw.
#include "session/ImportCommands.h"

#include "document/DetailedCsvImport.h"
#include "document/HalfWidth.h"
#include "document/Tsv.h"
#include "platform/Folders.h"
#include "session/DocumentSession.h"
#include "session/PrintCommands.h"
#include "sheet/LabelExtents.h"

#include <QFileInfo>

#include <cmath>

namespace korbena {

namespace {

const QString kCsvTitle = QStringLiteral("CSVファイルを選択してください");
const QString kCsvFilter = QStringLiteral(
    "CSV・表計算ファイル(csv,txt,xlsx,ods)|*.csv;*.txt;*.xlsx;*.ods|CSVファイル(csv,txt)|*.csv;*.txt|"
    "表計算ファイル(xlsx,ods)|*.xlsx;*.ods|すべてのファイル|*.*");
const QString kNothingImported = QStringLiteral("取り込む行がありません。");
const QString kHalfWidthDone = QStringLiteral("%1行のバーコード番号を半角に変換しました。");
const QString kHalfWidthNone = QStringLiteral("半角に変換するバーコード番号はありませんでした。");
const QString kPaperMissing =
    QStringLiteral("用紙一覧に %1×%2mm の用紙がありません。用紙の設定はそのままです。");
const QString kFitContent = QStringLiteral("ラベルの内容を新しいラベルの大きさに合わせますか？");

bool sameGrid(const LabelStyle& style, const SheetLayout& layout)
{
    const auto near = [](Extended a, double b) { return std::abs(static_cast<double>(a) - b) < 0.001; };
    return static_cast<long long>(style.sheet.across) == layout.across &&
           static_cast<long long>(style.sheet.down) == layout.down &&
           near(style.sheet.pitchX, layout.pitchX) && near(style.sheet.pitchY, layout.pitchY);
}

bool sameLabelSize(const LabelStyle& style, const SheetLayout& layout)
{
    const auto near = [](Extended a, double b) { return std::abs(static_cast<double>(a) - b) < 0.001; };
    return near(style.sheet.pitchX, layout.pitchX) && near(style.sheet.pitchY, layout.pitchY);
}

} // namespace

ImportCommands::ImportCommands(Dialogs& dialogs, DocumentSession& documents, GridCommands& gridCommands,
                               PrintCommands& print, SessionHooks& hooks, QString dataFolder)
    : m_dialogs(dialogs), m_documents(documents), m_gridCommands(gridCommands), m_print(print),
      m_hooks(hooks), m_dataFolder(std::move(dataFolder)), m_grid(documents.grid()), m_rows(documents.rows()),
      m_style(documents.style()), m_metrics(print.metrics())
{
    // The check before printing finds the labels' cells among the same stocks.
    print.setSheetLayouts([this]() -> const std::vector<SheetLayout>& { return sheetLayouts(); });
}

void ImportCommands::setStyle(const LabelStyle& style)
{
    m_documents.setStyle(style);
}

CellArea ImportCommands::pasteCellsCommand(const QString& text, int row, int column)
{
    CellArea area;
    run([&] {
        area = m_grid.pasteBlock(row, column, parseTsv(text));
        if (!area.isEmpty())
            explicitRedraw();
    });
    return area;
}

QString ImportCommands::copyCellsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const
{
    return writeTsv(copyCells(m_rows, firstRow, lastRow, firstColumn, lastColumn));
}

void ImportCommands::detailedCsvImportCommand()
{
    run([&] {
        const auto path =
            m_dialogs.openFile({m_dataFolder + u'/' + kListDataFolder, kCsvTitle, {}, kCsvFilter, false});
        if (!path || path->isEmpty())
            return;
        // A file that cannot be read is said before any question about its columns.
        readCsvTable(*path, {}, 0);
        DetailedCsvSettings initial = m_detailedCsv;
        initial.startRow = selectionTop();
        const auto settings = m_dialogs.detailedCsvImport(*path, initial);
        if (!settings)
            return;
        m_detailedCsv = *settings;
        // Read and checked whole before any row changes, so a bad file changes nothing.
        CsvRows rows = csvRows(readCsvTable(*path, settings->format), settings->columns);
        if (rows.rows.empty()) {
            m_dialogs.information(kNothingImported);
            return;
        }
        if (rows.serialNumbering) {
            const auto serial = m_dialogs.serialNumbers();
            if (!serial)
                return;
            // Every imported row is numbered, titled or not; a number too wide stays empty.
            std::int64_t n = serial->start;
            for (QStringList& row : rows.rows) {
                if (auto text = serialNumberText(*serial, n))
                    row[kNumberColumn] = std::move(*text);
                if (__builtin_add_overflow(n, 1, &n))
                    break;
            }
        }
        const EditHistory::Group step(m_documents.history(), QStringLiteral("CSV取込"));
        const CellArea area = m_grid.pasteBlock(settings->startRow, kTitleColumn, rows.rows);
        selectRows(area.firstRow, area.lastRow);
        explicitRedraw();
    });
}

void ImportCommands::halfWidthNumbersCommand()
{
    run([&] {
        int top = selectionTop(), bottom = selectionBottom();
        if (top == bottom) { // one cell selected: the whole list
            top = 1;
            bottom = m_rows.RowCount() - 1;
        }
        const int changed = m_grid.halfWidthNumbers(top, bottom);
        if (changed > 0)
            explicitRedraw();
        m_dialogs.information(changed > 0 ? kHalfWidthDone.arg(changed) : kHalfWidthNone);
    });
}

void ImportCommands::setTemplateFolders(const QStringList& folders)
{
    m_templateFolders = folders;
    m_catalogue.reset();
}

const std::vector<SheetLayout>& ImportCommands::sheetLayouts()
{
    if (!m_catalogue)
        m_catalogue = m_templateFolders ? loadSheetCatalogue(*m_templateFolders) : loadSheetCatalogue();
    return m_catalogue->layouts;
}

void ImportCommands::sheetCatalogueCommand()
{
    run([&] {
        if (const auto chosen = m_dialogs.chooseSheetLayout(sheetLayouts()))
            applySheetLayoutCommand(*chosen, ContentFit::Ask);
    });
}

void ImportCommands::applySheetLayoutCommand(const SheetLayout& layout, ContentFit fit)
{
    run([&] {
        const double offsetX = m_metrics.offsetX, offsetY = m_metrics.offsetY;
        const LabelStyle before = m_style;
        LabelStyle style = m_style;
        const bool paperSet =
            layOutForStock(style, layout, sheetLayouts(), offsetX, offsetY, fit == ContentFit::Fit);
        m_sheetLayout = layout;
        setStyle(style);
        if (paperSet) {
            m_print.applyStylePaper();
            m_print.readDeviceMetrics();
        }
        explicitRedraw();
        if (!paperSet)
            m_dialogs.information(kPaperMissing.arg(layout.paperWidth).arg(layout.paperHeight));
        // Asked with the new sheet on the preview, and only where the label's size changes.
        if (fit == ContentFit::Ask && !sameLabelSize(before, layout) && m_dialogs.ask(kFitContent)) {
            style = before;
            layOutForStock(style, layout, sheetLayouts(), offsetX, offsetY, true);
            setStyle(style);
            explicitRedraw();
        }
        // The layout and the fitting of its content are one step of the history.
        m_documents.history().recordStyle(QStringLiteral("ラベル用紙適用"), before);
    });
}

void ImportCommands::setCellOutlines(bool shown)
{
    if (shown == m_cellOutlines)
        return;
    m_cellOutlines = shown;
    explicitRedraw();
}

CellOutlines ImportCommands::previewOutlines() const
{
    CellOutlines outlines;
    outlines.shown = m_cellOutlines;
    // The labels themselves while the style is still laid out for the stock last chosen;
    // otherwise the cells' pitch.
    if (m_cellOutlines && m_sheetLayout && sameGrid(m_style, *m_sheetLayout)) {
        const SheetPoint first =
            firstLabelOnPrintableArea(*m_sheetLayout, m_metrics.offsetX, m_metrics.offsetY);
        outlines.labelKnown = true;
        outlines.labelX = SheetLength::fromMillimetres(first.x);
        outlines.labelY = SheetLength::fromMillimetres(first.y);
        outlines.labelWidth = SheetLength::fromMillimetres(m_sheetLayout->labelWidth);
        outlines.labelHeight = SheetLength::fromMillimetres(m_sheetLayout->labelHeight);
    }
    return outlines;
}

} // namespace korbena
