#pragma once

#include "document/ChangeTracking.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/DocumentArguments.h"
#include "session/StyleEditing.h"
#include "session/WindowSettings.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/LabelText.h"
#include "sheet/PageComposer.h"
#include "sheet/PrintCheckReport.h"
#include "sheet/SheetCatalogue.h"
#include "sheet/SymbologyRules.h"
#include "symbol/CheckDigits.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace korbena {

class BarImage;
class PrintTarget;

// The program without its windows: it owns the style, the data list, the change
// tracking with its snapshots, the one symbol component, the device metrics, the
// current page and the two current files, and runs every command. Modal questions
// go through Dialogs, the desktop through Desktop; views follow the signals.
//
// The notifications are raised with notified() and answered in their fixed order,
// each answer reporting itself with answered(), so an observer sees the sequence.
class AppController : public QObject
{
    Q_OBJECT

public:
    AppController(Dialogs& dialogs, Desktop& desktop, QString dataFolder, QString installFolder,
                  QObject* parent = nullptr);
    ~AppController() override;

    // The printer the sheet is laid out against and printed on. `systemPrinter` is
    // false for the PDF stand-in used when no printer is installed.
    void setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter);
    PrintTarget* printer() const { return m_printer.get(); }
    bool hasSystemPrinter() const { return m_systemPrinter; }
    void setScreenDpi(int x, int y);

    // Creation of the main window: prepares the working folder and reads the window
    // settings. The window then takes the geometry from settings().
    void prepare();
    // The window's first showing: the last (or default) style and data list, then
    // MainWindowShown.
    void startupLoad();
    // The file the desktop passed when it started the program: it is opened instead of
    // the remembered one of its kind. An argument that cannot be used is told at start-up.
    void setStartDocuments(const DocumentArguments& documents);
    // The close sequence: the save questions, then the settings are written. The
    // window hands over its geometry first with setWindowGeometry().
    void closeSequence();

    const WindowSettings& settings() const { return m_settings; }
    void setWindowGeometry(int top, int left, int width, int height);
    void setSplitter(int left) { m_settings.splitter = left; }
    void setColumnWidths(int title, int number);
    QString settingsFile() const;

    // Files and documents.
    void LoadStyle(QString path);
    bool SaveStyle(QString path);
    void LoadDataList(QString path);
    bool SaveDataList(QString path);

    // The commands of the menus and buttons.
    void openStyleCommand();
    void saveStyleCommand();
    void saveStyleAsCommand();
    void saveDefaultsCommand();
    void openDataCommand();
    void saveDataCommand();
    void undoCommand();
    void printCommand();
    void exportPdfCommand();
    void printerSetupCommand(); // the toolbar button "用紙設定"
    void pageSetupCommand();    // the menu item "用紙設定(&T)"
    void checkDigitCommand(CheckCalculator calculator);
    void onlineHelpCommand();
    void offlineHelpCommand();
    void installFolderCommand();
    // "メモ帳を起動": with Shift held the item gets its shortcut instead
    // (textEditorShortcutRequested) and nothing starts.
    void textEditorCommand(bool shiftHeld);
    void screenResolutionCommand();
    void homePageCommand();

    // The preview.
    void RedrawPreview();
    void explicitRedraw();
    // The page surface asks to be painted: a redraw unless one is running.
    void paintRequested();
    bool paintGuard() const { return m_paintGuard; }
    int zoom() const { return m_zoom; }
    void setZoom(int percent); // the slider: a change redraws
    void zoomIn();
    void zoomOut();
    void previousPageCommand();
    void nextPageCommand();
    int currentPage() const { return m_currentPage; }
    const QImage& previewImage() const { return m_preview; }
    const QString& messageLine() const { return m_message; }

    // State the views show.
    const LabelStyle& style() const { return m_style; }
    void setStyle(const LabelStyle& style);
    const DataList& rows() const { return m_rows; }
    const ChangeTracking& changes() const { return m_changes; }
    const DeviceMetrics& metrics() const { return m_metrics; }
    const QString& currentStyleFile() const { return m_styleFile; }
    const QString& currentDataFile() const { return m_dataFile; }
    const QString& dataFolder() const { return m_dataFolder; }
    const QString& installFolder() const { return m_installFolder; }
    const QString& paperName() const { return m_paperName; }
    const SymbologyRules& symbologyRules() const { return m_rules; }
    bool undoEnabled() const { return m_changes.undoEnabled(); }
    long long copies() const { return m_copies; }
    void setCopies(long long copies) { m_copies = copies; }
    BarImage& symbol() { return *m_symbol; }

    // The setting tabs' controls (AppControllerStyle.cpp; the rules are StyleEditing's).
    // An edit of one field, by its style-file key: a switch then redraws at once, the
    // orientation runs its paper command, the symbology its rules without a redraw;
    // any other field shows at the next redraw.
    void editStyleField(QStringView key, const StyleValue& value);
    // One of the 32 arrow buttons ("PictButton20"), with the keys held while clicking.
    void nudgeCommand(QStringView button, Qt::KeyboardModifiers modifiers);
    // Enter in a numeric field ("ix", "xcopy"): true when the field must not see the key.
    bool enterKeyCommand(QStringView control);
    // The button "選択" of a font group: the font dialog, then a redraw either way.
    void fontCommand(TextRole role);
    // A click on a text colour or shadow colour swatch: the colour dialog, no redraw.
    void textColorCommand(TextRole role);
    void shadowColorCommand(TextRole role);
    // A click on the orientation group "用紙向き" (0 portrait, 1 landscape).
    void orientationCommand(int orientation);

    // ---- the data grid "データ入力" ----
    // The grid's item model over the data list: every change of the rows goes through
    // it, so the views stay in step.
    DataGridModel& grid() { return m_grid; }
    // The rows the grid's selection spans (its Top and Bottom), in grid rows. The view
    // reports every change; the commands that move the selection themselves say so
    // with gridSelectionChanged. Both are kept within the shown data rows.
    void setGridSelection(int top, int bottom);
    int selectionTop() const;
    int selectionBottom() const;
    // The row commands of the edit menu, the buttons under the grid and its context menu.
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

    // ---- lists and label stock from outside (ImportCommands.cpp) ----
    // Ctrl+V: a clipboard text of tab-separated cells pasted with its top-left cell at
    // grid row `row`, data column `column`, rows added as needed; one undoable step.
    // Returns where it wrote, for the view to select.
    CellArea pasteCellsCommand(const QString& text, int row, int column);
    // Ctrl+C: the cells of the rows and data columns given, as tab-separated text.
    QString copyCellsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const;
    void detailedCsvImportCommand(); // "CSV取込(詳細)…"
    void halfWidthNumbersCommand();  // "バーコード番号を半角に変換"
    void sheetCatalogueCommand();    // "用紙テンプレート…"
    // Lays the style out for a label stock, the elements kept in place within the label.
    void applySheetLayoutCommand(const SheetLayout& layout);
    // The view option "ラベルの枠を表示": label outlines on the preview, never printed.
    void setCellOutlines(bool shown);
    bool cellOutlines() const { return m_cellOutlines; }
    // The label stocks: the generic layouts and the templates installed on the system,
    // read at first use; tests name the template folders.
    void setTemplateFolders(const QStringList& folders);
    const std::vector<SheetLayout>& sheetLayouts();

signals:
    void notified(const QString& notification);
    void answered(const QString& step);

    void previewChanged();
    void zoomChanged(int percent);
    void messageChanged(const QString& text);
    void filesChanged();
    void styleChanged();
    void rowsChanged();
    void paperChanged(const QString& name);
    void undoEnabledChanged(bool enabled);
    void versionLineChanged(const QString& line);
    void styleWindowKeys(const StyleFileExtras& extras);
    void textEditorShortcutRequested();
    // A command moved the grid's selection.
    void gridSelectionChanged(int top, int bottom);

private:
    // Runs a command; an error it does not handle itself ends it with an error box.
    void run(const std::function<void()>& command);
    void raise(const QString& notification);
    void answerStyleLoaded();
    void askToSaveData();
    void askToSaveStyle(const QString& question);
    FileDialogSpec styleDialog(bool save) const;
    FileDialogSpec dataDialog(bool save) const;
    void setUndoEnabled(bool enabled);
    void printTo(PrintTarget& target, const DeviceMetrics& metrics, const PageSelection& pages = {});
    void setMessage(const QString& text);

    Dialogs& m_dialogs;
    Desktop& m_desktop;
    QString m_dataFolder;
    QString m_installFolder;

    LabelStyle m_style;
    DataList m_rows;
    ChangeTracking m_changes;
    std::unique_ptr<BarImage> m_symbol;
    std::unique_ptr<PageComposer> m_composer;
    std::unique_ptr<PrintTarget> m_printer;
    bool m_systemPrinter = false;
    DeviceMetrics m_metrics;
    SymbologyRules m_rules;
    WindowSettings m_settings;

    int m_screenDpiX = 96;
    int m_screenDpiY = 96;
    int m_currentPage = 1;
    int m_zoom = 100;
    bool m_paintGuard = true;
    long long m_copies = 1;
    DocumentArguments m_startDocuments;
    QString m_styleFile;
    QString m_dataFile;
    QString m_paperName;
    QString m_message;
    // Rows the last data file filled past the list: not printed, said on the message line.
    std::vector<DataRow> m_rowsPastList;
    QImage m_preview;

    // ---- the data grid ----
    void takeDataSnapshot();
    // The serial-number dialog, then the numbering from the selection's top row.
    void SerializeRows();
    // The row count prompt: the count, or nothing when cancelled or not a number.
    std::optional<int> promptRowCount();
    void selectRows(int top, int bottom);

    DataGridModel m_grid{m_rows};
    int m_selectionTop = 1;
    int m_selectionBottom = 1;

    // ---- lists and label stock from outside ----
    CellOutlines previewOutlines() const;
    DetailedCsvSettings m_detailedCsv;
    std::optional<QStringList> m_templateFolders;
    std::optional<SheetCatalogue> m_catalogue;
    std::optional<SheetLayout> m_sheetLayout; // the stock last applied
    bool m_cellOutlines = false;
    // ---- printing that wastes no label stock (PrintCommands.cpp) ----
public:
    // The check before printing reads every symbol back with a reader the core does not
    // link: the window hands it in (verifyRows). Without one nothing is checked.
    using PrintChecker =
        std::function<PrintCheckReport(const LabelStyle&, const DataList&, const PrintCheckOptions&)>;
    void setPrintChecker(PrintChecker checker) { m_printChecker = std::move(checker); }
    // "開始位置": the label of the first sheet the rows start at, for a partly used
    // sheet. Held for this run only, within 1 to the labels of a sheet; setting it
    // redraws, the used cells hatched.
    int startLabel() const;
    void setStartLabel(int label);
    void printCheckCommand();  // "印刷前チェック"
    void calibrationCommand(); // "印刷位置の補正…"

private:
    // Before a print: true to go on, after the dialog when rows fail.
    bool checkBeforePrinting();
    // The check, then its dialog again after each conversion; the last answer.
    Dialogs::PrintCheckChoice runPrintCheck(Dialogs::PrintCheckMode mode);
    // The check's offer: every number of the list, without a question.
    void convertAllNumbersToHalfWidth();
    int pageCountToPrint() const;

    PrintChecker m_printChecker;
    int m_startLabel = 1;
};

} // namespace korbena
