#pragma once

#include "document/ChangeTracking.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/DocumentArguments.h"
#include "session/DocumentSession.h"
#include "session/GridCommands.h"
#include "session/ImportCommands.h"
#include "session/PreviewState.h"
#include "session/PrintCommands.h"
#include "session/SessionHooks.h"
#include "session/StyleCommands.h"
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

// The program without its windows: a façade over the pieces that hold the state and
// run the commands (the document session, the preview, the print, style, grid and
// import commands), which owns the one symbol component and the page composer they
// share, starts and closes the program and runs the small commands of the help menu.
// Modal questions go through Dialogs, the desktop through Desktop; views follow the
// signals, which the pieces raise and the façade passes on as they come.
//
// The notifications are raised with notified() and answered here in their fixed order
// across the pieces, each answer reporting itself with answered(), so an observer
// sees the sequence.
class AppController : public QObject, private SessionHooks
{
    Q_OBJECT

public:
    AppController(Dialogs& dialogs, Desktop& desktop, QString dataFolder, QString installFolder,
                  QObject* parent = nullptr);
    ~AppController() override;

    // The pieces, for the views that want one whole.
    DocumentSession& documents() { return *m_documents; }
    PreviewState& preview() { return *m_preview; }
    PrintCommands& printing() { return *m_print; }
    StyleCommands& styleCommands() { return *m_styleCommands; }
    GridCommands& gridCommands() { return *m_gridCommands; }
    ImportCommands& importCommands() { return *m_import; }

    // The printer the sheet is laid out against and printed on. `systemPrinter` is
    // false for the PDF stand-in used when no printer is installed.
    void setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter);
    PrintTarget* printer() const { return m_print->printer(); }
    bool hasSystemPrinter() const { return m_print->hasSystemPrinter(); }
    // The printer chosen last time (the INI file's "Printer"), empty for the system's default.
    const QString& rememberedPrinter() const { return m_settings.printer; }
    void setScreenDpi(int x, int y) { m_print->setScreenDpi(x, y); }

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
    // window hands over its geometry first with setWindowGeometry(). False when a
    // question was cancelled or its save did not happen: the program stays open and
    // nothing is written.
    bool closeSequence();

    const WindowSettings& settings() const { return m_settings; }
    void setWindowGeometry(int top, int left, int width, int height);
    void setSplitter(int left) { m_settings.splitter = left; }
    void setColumnWidths(int title, int number);
    QString settingsFile() const;

    // Files and documents.
    void LoadStyle(QString path) { m_documents->LoadStyle(std::move(path)); }
    bool SaveStyle(QString path) { return m_documents->SaveStyle(std::move(path)); }
    void LoadDataList(QString path) { m_documents->LoadDataList(std::move(path)); }
    bool SaveDataList(QString path) { return m_documents->SaveDataList(std::move(path)); }

    // The commands of the menus and buttons.
    void openStyleCommand() { m_documents->openStyleCommand(); }
    void saveStyleCommand() { m_documents->saveStyleCommand(); }
    void saveStyleAsCommand() { m_documents->saveStyleAsCommand(); }
    void saveDefaultsCommand() { m_documents->saveDefaultsCommand(); }
    void openDataCommand() { m_documents->openDataCommand(); }
    void saveDataCommand() { m_documents->saveDataCommand(); }
    void undoCommand() { m_documents->undoCommand(); } // "取り消し", Ctrl+Z
    void redoCommand() { m_documents->redoCommand(); } // "やり直し", Ctrl+Y and Ctrl+Shift+Z
    void printCommand() { m_print->printCommand(); }
    void printDialogCommand() { m_print->printDialogCommand(); } // "印刷…"
    void exportPdfCommand() { m_print->exportPdfCommand(); }
    void printerSetupCommand() { m_print->printerSetupCommand(); } // the toolbar button "用紙設定"
    void pageSetupCommand() { m_print->pageSetupCommand(); }       // the menu item "用紙設定(&T)"
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
    void RedrawPreview() override;
    void explicitRedraw() override { m_preview->explicitRedraw(); }
    // The page surface asks to be painted: a redraw unless one is running.
    void paintRequested() { m_preview->paintRequested(); }
    bool paintGuard() const { return m_preview->paintGuard(); }
    int zoom() const { return m_preview->zoom(); }
    void setZoom(int percent) { m_preview->setZoom(percent); } // the slider: a change redraws
    void zoomIn() { m_preview->zoomIn(); }
    void zoomOut() { m_preview->zoomOut(); }
    void previousPageCommand() { m_preview->previousPageCommand(); }
    void nextPageCommand() { m_preview->nextPageCommand(); }
    void firstPageCommand() { m_preview->firstPageCommand(); }
    void lastPageCommand() { m_preview->lastPageCommand(); }
    int pageCount() const { return m_preview->pageCount(); }
    int currentPage() const { return m_preview->currentPage(); }
    const QImage& previewImage() const { return m_preview->previewImage(); }
    const QString& messageLine() const { return m_preview->messageLine(); }

    // State the views show.
    const LabelStyle& style() const { return m_documents->style(); }
    void setStyle(const LabelStyle& style) { m_documents->setStyle(style); }
    const DataList& rows() const { return m_documents->rows(); }
    const ChangeTracking& changes() const { return m_documents->changes(); }
    const DeviceMetrics& metrics() const { return m_print->metrics(); }
    const QString& currentStyleFile() const { return m_documents->currentStyleFile(); }
    const QString& currentDataFile() const { return m_documents->currentDataFile(); }
    const QString& dataFolder() const { return m_dataFolder; }
    const QString& installFolder() const { return m_installFolder; }
    const QString& paperName() const { return m_print->paperName(); }
    const SymbologyRules& symbologyRules() const { return m_styleCommands->symbologyRules(); }
    bool undoEnabled() const { return m_documents->undoEnabled(); }
    bool redoEnabled() const { return m_documents->redoEnabled(); }
    long long copies() const { return m_print->copies(); }
    void setCopies(long long copies) { m_print->setCopies(copies); }
    BarImage& symbol() { return *m_symbol; }

    // A numeric field's text that does not read as a number, in the error box; the
    // field keeps it as typed and the style its last number.
    void inputErrorCommand(const QString& message) { m_dialogs.error(message, {}); }

    // The setting tabs' controls (StyleCommands; the rules are StyleEditing's).
    void editStyleField(StyleField field, const StyleValue& value)
    {
        m_styleCommands->editStyleField(field, value);
    }
    void nudgeCommand(StyleField field, NudgeArrow arrow, Qt::KeyboardModifiers modifiers)
    {
        m_styleCommands->nudgeCommand(field, arrow, modifiers);
    }
    bool enterKeyCommand(std::optional<StyleField> field) { return m_styleCommands->enterKeyCommand(field); }
    void fontCommand(TextRole role) { m_styleCommands->fontCommand(role); }
    void textColorCommand(TextRole role) { m_styleCommands->textColorCommand(role); }
    void shadowColorCommand(TextRole role) { m_styleCommands->shadowColorCommand(role); }
    void orientationCommand(int orientation) { m_styleCommands->orientationCommand(orientation); }

    // ---- the data grid "データ入力" (GridCommands) ----
    DataGridModel& grid() { return m_documents->grid(); }
    void setGridSelection(int top, int bottom) { m_gridCommands->setGridSelection(top, bottom); }
    int selectionTop() const { return m_gridCommands->selectionTop(); }
    int selectionBottom() const { return m_gridCommands->selectionBottom(); }
    void clearAllCommand() { m_gridCommands->clearAllCommand(); }
    void insertRowCommand() { m_gridCommands->insertRowCommand(); }
    void deleteRowsCommand() { m_gridCommands->deleteRowsCommand(); }
    void appendRowCommand() { m_gridCommands->appendRowCommand(); }
    void appendRowQuietlyCommand() { m_gridCommands->appendRowQuietlyCommand(); }
    void appendRowsCommand() { m_gridCommands->appendRowsCommand(); }
    void insertRowsCommand() { m_gridCommands->insertRowsCommand(); }
    void fillTitlesCommand() { m_gridCommands->fillTitlesCommand(); }
    void fillNumbersCommand() { m_gridCommands->fillNumbersCommand(); }
    void serializeCommand() { m_gridCommands->serializeCommand(); }
    void importCsvCommand() { m_gridCommands->importCsvCommand(); }
    void gridEnterPressed() { m_gridCommands->gridEnterPressed(); }

    // ---- lists and label stock from outside (ImportCommands) ----
    CellArea pasteCellsCommand(const QString& text, int row, int column)
    {
        return m_import->pasteCellsCommand(text, row, column);
    }
    QString copyCellsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const
    {
        return m_import->copyCellsText(firstRow, lastRow, firstColumn, lastColumn);
    }
    void detailedCsvImportCommand() { m_import->detailedCsvImportCommand(); }
    void halfWidthNumbersCommand() { m_import->halfWidthNumbersCommand(); }
    void sheetCatalogueCommand() { m_import->sheetCatalogueCommand(); }
    void applySheetLayoutCommand(const SheetLayout& layout,
                                 ImportCommands::ContentFit fit = ImportCommands::ContentFit::Keep)
    {
        m_import->applySheetLayoutCommand(layout, fit);
    }
    void setCellOutlines(bool shown) { m_import->setCellOutlines(shown); }
    bool cellOutlines() const { return m_import->cellOutlines(); }
    void setTemplateFolders(const QStringList& folders) { m_import->setTemplateFolders(folders); }
    const std::vector<SheetLayout>& sheetLayouts() { return m_import->sheetLayouts(); }

    // ---- printing that wastes no label stock (PrintCommands) ----
    using PrintChecker = PrintCommands::PrintChecker;
    void setPrintChecker(PrintChecker checker) { m_print->setPrintChecker(std::move(checker)); }
    int startLabel() const override { return m_print->startLabel(); }
    void setStartLabel(int label) { m_print->setStartLabel(label); }
    void printCheckCommand() { m_print->printCheckCommand(); }
    void calibrationCommand() { m_print->calibrationCommand(); }

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
    // A dialog chose another printer, which is remembered for the next start.
    void printerChanged(const QString& name);
    void undoEnabledChanged(bool enabled);
    void redoEnabledChanged(bool enabled);
    void versionLineChanged(const QString& line);
    void styleWindowKeys(const StyleFileExtras& extras);
    void textEditorShortcutRequested();
    // A command moved the grid's selection.
    void gridSelectionChanged(int top, int bottom);

private:
    // The web page at `url`, or the installed manual when the build has no address.
    void openWebPageOrManual(const QString& url);
    void raise(const QString& notification) override;
    void answerStyleLoaded();
    void answerMainWindowShown();
    // An undo or redo put style fields back: the printer's paper and the symbology's
    // choices follow them.
    void styleRestored(bool paperChanged);
    // The pieces' signals, passed on as the façade's own.
    void forwardSignals();

    Dialogs& m_dialogs;
    Desktop& m_desktop;
    QString m_dataFolder;
    QString m_installFolder;

    std::unique_ptr<BarImage> m_symbol;
    std::unique_ptr<PageComposer> m_composer;
    std::unique_ptr<DocumentSession> m_documents;
    std::unique_ptr<PreviewState> m_preview;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<StyleCommands> m_styleCommands;
    std::unique_ptr<GridCommands> m_gridCommands;
    std::unique_ptr<ImportCommands> m_import;

    WindowSettings m_settings;
    DocumentArguments m_startDocuments;
};

} // namespace korbena
