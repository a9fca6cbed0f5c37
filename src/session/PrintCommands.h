#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "session/DataGridModel.h"
#include "session/Dialogs.h"
#include "session/PreviewState.h"
#include "session/SessionHooks.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/PrintCheckReport.h"
#include "sheet/SheetCatalogue.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace korbena {

class PageSelection;
class PrintTarget;

// The printer and everything printed on it: the paper set from the style, the device
// metrics the sheet is laid out against, the copies, the start label of a partly used
// sheet, the check before printing, the printer's calibration and the print itself.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    // The check before printing reads every symbol back with a reader the core does not
    // link: the window hands it in (verifyRows). Without one nothing is checked.
    using PrintChecker =
        std::function<PrintCheckReport(const LabelStyle&, const DataList&, const PrintCheckOptions&)>;

    PrintCommands(Dialogs& dialogs, LabelStyle& style, const DataList& rows,
                  const std::vector<DataRow>& rowsPastList, DataGridModel& grid, PreviewState& preview,
                  PageComposer& composer, SessionHooks& hooks, QString dataFolder, QString settingsFile,
                  QObject* parent = nullptr);
    ~PrintCommands() override;

    // The printer the sheet is laid out against and printed on. `systemPrinter` is
    // false for the PDF stand-in used when no printer is installed.
    void setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter);
    PrintTarget* printer() const { return m_printer.get(); }
    bool hasSystemPrinter() const { return m_systemPrinter; }
    void setScreenDpi(int x, int y);

    const DeviceMetrics& metrics() const { return m_metrics; }
    const QString& paperName() const { return m_paperName; }
    long long copies() const { return m_copies; }
    void setCopies(long long copies) { m_copies = copies; }

    // The style's paper and orientation made the printer's settings; the paper field
    // follows when the printer takes them.
    void applyStylePaper();
    void readDeviceMetrics();
    // The printer's paper and orientation taken into the style.
    void takePrinterPaper();

    // "印刷実行" and Ctrl+P: after the check, every page on the current printer, as many
    // sets as "印刷枚数" says, with no dialog of the system's in between.
    void printCommand();
    // "印刷…": the system print dialog first, for a page range, another printer or
    // another number of sets (for this job only).
    void printDialogCommand();
    void exportPdfCommand();
    void printerSetupCommand(); // the toolbar button "用紙設定"
    void pageSetupCommand();    // the menu item "用紙設定(&T)"

    void setPrintChecker(PrintChecker checker) { m_printChecker = std::move(checker); }
    // The label stocks the check finds the labels' cells among (the sheet catalogue);
    // without them, the generic layouts.
    using SheetLayouts = std::function<const std::vector<SheetLayout>&()>;
    void setSheetLayouts(SheetLayouts layouts) { m_sheetLayouts = std::move(layouts); }
    // "開始位置": the label of the first sheet the rows start at, for a partly used
    // sheet. Held for this run only, within 1 to the labels of a sheet; setting it
    // redraws, the used cells hatched.
    int startLabel() const;
    void setStartLabel(int label);
    void printCheckCommand();  // "印刷前チェック"
    void calibrationCommand(); // "印刷位置の補正…"

signals:
    void paperChanged(const QString& name);
    void styleChanged();
    // A dialog chose another printer; the metrics, the paper and the preview follow.
    void printerChanged(const QString& name);

private:
    void run(const std::function<void()>& command) { runCommand(m_dialogs, command); }
    void RedrawPreview() { m_hooks.RedrawPreview(); }
    void explicitRedraw() { m_hooks.explicitRedraw(); }
    void setMessage(const QString& text) { m_preview.setMessage(text); }
    void printTo(PrintTarget& target, const DeviceMetrics& metrics, const PageSelection& pages,
                 long long copies);
    // What every print starts with: the preview at 100 per cent, the copy count and the
    // printer there, and the check. False when the job goes no further here.
    bool prepareToPrint();
    // The printer's own settings (paper, orientation, which printer) become the sheet's:
    // metrics, the style's paper, the paper name, then the preview.
    void takePrinterSettings();
    // Said when a dialog left another printer than `before` on the target.
    void notePrinterChange(const QString& before);
    // Before a print: true to go on, after the dialog when rows fail.
    bool checkBeforePrinting();
    // The check, then its dialog again after each conversion; the last answer.
    Dialogs::PrintCheckChoice runPrintCheck(Dialogs::PrintCheckMode mode);
    // The check's offer: every number of the list, without a question.
    void convertAllNumbersToHalfWidth();
    int pageCountToPrint() const;

    Dialogs& m_dialogs;
    LabelStyle& m_style;
    const DataList& m_rows;
    const std::vector<DataRow>& m_rowsPastList;
    DataGridModel& m_grid;
    PreviewState& m_preview;
    PageComposer& m_composer;
    SessionHooks& m_hooks;
    QString m_dataFolder;
    QString m_settingsFile;

    std::unique_ptr<PrintTarget> m_printer;
    bool m_systemPrinter = false;
    int m_screenDpiX = 96;
    int m_screenDpiY = 96;
    DeviceMetrics m_metrics;
    QString m_paperName;
    long long m_copies = 1;
    PrintChecker m_printChecker;
    SheetLayouts m_sheetLayouts;
    int m_startLabel = 1;
};

} // namespace korbena
