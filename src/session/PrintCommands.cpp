// The printer and its paper, the print itself, and the printing commands that spare
// label stock: the start label of a partly used sheet, the check before printing with
// its half-width clean-up, and the printer's calibration.
#include "session/PrintCommands.h"

#include "document/DataFile.h"
#include "document/HalfWidth.h"
#include "session/PrinterCalibration.h"
#include "sheet/CalibrationPage.h"
#include "sheet/LabelExtents.h"
#include "sheet/PaperList.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"
#include "sheet/SheetDocuments.h"

#include <algorithm>
#include <climits>

namespace korbena {

namespace {

// Thrown out of a page drawer when the user cancels a job between two pages.
struct PrintCancelled
{
};

const QString kCalibrationCaption = QStringLiteral("印刷位置の補正");
const QString kNoPrinter = QStringLiteral("プリンターがインストールされていません");
const QString kNoPrinterPdfInstead =
    QStringLiteral("プリンターがインストールされていません。PDFファイルに出力します。");

} // namespace

PrintCommands::PrintCommands(Dialogs& dialogs, LabelStyle& style, const DataList& rows,
                             const std::vector<DataRow>& rowsPastList, DataGridModel& grid,
                             PreviewState& preview, PageComposer& composer, SessionHooks& hooks,
                             QString dataFolder, QString settingsFile, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_style(style), m_rows(rows), m_rowsPastList(rowsPastList),
      m_grid(grid), m_preview(preview), m_composer(composer), m_hooks(hooks),
      m_dataFolder(std::move(dataFolder)), m_settingsFile(std::move(settingsFile)),
      m_screenDpiX(screenDpiX()), m_screenDpiY(screenDpiY())
{
    // Until the window finds a printer, the sheet is laid out as a PDF file of the style's paper.
    m_printer = std::make_unique<PdfFileTarget>(m_dataFolder + QStringLiteral("/preview.pdf"));
}

PrintCommands::~PrintCommands() = default;

int PrintCommands::startLabel() const
{
    return heldStartLabel(m_startLabel, cellsPerPage(m_style));
}

void PrintCommands::setStartLabel(int label)
{
    if (label == m_startLabel)
        return;
    m_startLabel = label;
    // The first page changes its rows; a later page shown may no longer exist.
    m_preview.setCurrentPage(1);
    explicitRedraw();
}

int PrintCommands::pageCountToPrint() const
{
    const int cells = cellsPerPage(m_style);
    return cells > 0 ? sheetPageCount(m_rows, cells, startLabel()) : 0;
}

void PrintCommands::convertAllNumbersToHalfWidth()
{
    run([&] {
        // Through the grid's model, so the views show every changed number; the redraw's
        // snapshot makes the whole conversion one undoable step.
        if (m_grid.halfWidthNumbers(1, m_rows.RowCount() - 1) > 0)
            explicitRedraw();
    });
}

Dialogs::PrintCheckChoice PrintCommands::runPrintCheck(Dialogs::PrintCheckMode mode)
{
    for (;;) {
        PrintCheckOptions options;
        options.startLabel = startLabel();
        options.area = printableAreaOf(m_metrics);
        options.unshownRows = unshownRows(m_rowsPastList, m_rows);
        static const std::vector<SheetLayout> generic = builtInLayouts();
        options.label = stockLabelFrame(m_style, m_sheetLayouts ? m_sheetLayouts() : generic,
                                        m_metrics.offsetX, m_metrics.offsetY)
                            .value_or(LabelFrame{});
        const PrintCheckReport report = m_printChecker(m_style, m_rows, options);
        if (mode == Dialogs::PrintCheckMode::BeforePrinting && report.passed())
            return Dialogs::PrintCheckChoice::Print;
        // Offered only where the clean-up changes something, so it never comes back unchanged.
        const bool fullWidth =
            std::any_of(report.problems.begin(), report.problems.end(),
                        [](const RowCheck& row) { return hasFullWidthNumberChars(row.number); });
        const auto choice = m_dialogs.printCheck(report, mode, fullWidth);
        if (choice != Dialogs::PrintCheckChoice::ConvertToHalfWidth)
            return choice;
        convertAllNumbersToHalfWidth();
    }
}

bool PrintCommands::checkBeforePrinting()
{
    if (!m_printChecker)
        return true;
    return runPrintCheck(Dialogs::PrintCheckMode::BeforePrinting) == Dialogs::PrintCheckChoice::Print;
}

void PrintCommands::printCheckCommand()
{
    run([&] {
        if (m_printChecker)
            runPrintCheck(Dialogs::PrintCheckMode::OnDemand);
    });
}

void PrintCommands::calibrationCommand()
{
    run([&] {
        if (!m_systemPrinter || !m_printer->IsPhysicalPrinter()) {
            m_dialogs.information(kNoPrinter);
            return;
        }
        const QString printer = m_printer->PrinterName();
        const DeviceMetrics metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
        const QString error = printCalibrationPage(*m_printer, metrics);
        if (!error.isEmpty()) {
            m_dialogs.error(error, printer);
            return;
        }
        const CalibrationMark mark = calibrationMark(metrics);
        const QString where =
            QStringLiteral("十字の中心は用紙の左端から %1 mm、上端から %2 mm の位置です。\r\n")
                .arg(mark.fromLeft)
                .arg(mark.fromTop);
        const auto x = m_dialogs.inputText(kCalibrationCaption,
                                           where + QStringLiteral("印刷された十字の横のずれ (mm、右が正):"),
                                           QStringLiteral("0"));
        if (!x)
            return;
        const auto y = m_dialogs.inputText(kCalibrationCaption,
                                           where + QStringLiteral("印刷された十字の縦のずれ (mm、下が正):"),
                                           QStringLiteral("0"));
        if (!y)
            return;
        const auto shiftX = readMillimetres(*x), shiftY = readMillimetres(*y);
        const auto offset = shiftX && shiftY ? offsetForMeasuredShift(*shiftX, *shiftY) : std::nullopt;
        if (!offset) {
            m_dialogs.information(
                QStringLiteral("ずれは %1 mm までの数値で入力してください。補正は変更していません")
                    .arg(static_cast<int>(kLargestPrinterShift)));
            return;
        }
        writePrinterOffset(m_settingsFile, printer, *offset);
        m_dialogs.information(QStringLiteral("印刷位置の補正を保存しました\r\n%1: X %2 mm, Y %3 mm")
                                  .arg(printer)
                                  .arg(static_cast<double>(offset->x), 0, 'f', 2)
                                  .arg(static_cast<double>(offset->y), 0, 'f', 2));
    });
}

// ---- the printer and its paper ----

void PrintCommands::setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter)
{
    if (!printer)
        return;
    m_printer = std::move(printer);
    m_systemPrinter = systemPrinter;
}

void PrintCommands::setScreenDpi(int x, int y)
{
    m_screenDpiX = x;
    m_screenDpiY = y;
}

void PrintCommands::applyStylePaper()
{
    if (const auto name = ApplyPaperSettings(*m_printer, m_style.sheet.paper, m_style.sheet.orientation)) {
        m_paperName = *name;
        emit paperChanged(m_paperName);
    }
}

void PrintCommands::readDeviceMetrics()
{
    m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
}

void PrintCommands::takePrinterPaper()
{
    const PrinterPaper paper = ReadPrinterPaper(*m_printer);
    m_style.sheet.paper = paper.entry;
    m_style.sheet.orientation = paper.orientation;
    m_paperName = PaperName(paper.entry);
    emit paperChanged(m_paperName);
}

// ---- printing ----

bool PrintCommands::prepareToPrint()
{
    if (m_preview.zoom() != 100)
        m_preview.setZoom(100);
    else
        explicitRedraw();
    if (m_copies == 0) {
        m_dialogs.information(copiesZeroMessage());
        return false;
    }
    // With no printer installed the pages go to a PDF file, as "PDFに出力…" writes them;
    // said first, so the save dialog does not come as a surprise.
    if (!m_systemPrinter) {
        m_dialogs.information(kNoPrinterPdfInstead);
        exportPdfCommand();
        return false;
    }
    return checkBeforePrinting();
}

void PrintCommands::printCommand()
{
    run([&] {
        if (prepareToPrint())
            printTo(*m_printer, m_metrics, {}, m_copies);
    });
}

void PrintCommands::printDialogCommand()
{
    run([&] {
        if (!prepareToPrint())
            return;
        const QString before = m_printer->PrinterName();
        const auto choice = m_dialogs.printDialog(*m_printer, pageCountToPrint(), m_preview.currentPage(),
                                                  std::clamp(m_copies, 1LL, kMaxCopies));
        const bool otherPrinter = m_printer->PrinterName() != before;
        if (otherPrinter) {
            // The sheet is laid out against the printer it is printed on, and checked there.
            takePrinterSettings();
            notePrinterChange(before);
        }
        if (!choice || (otherPrinter && !checkBeforePrinting()))
            return;
        printTo(*m_printer, m_metrics, choice->pages, choice->copies);
    });
}

void PrintCommands::exportPdfCommand()
{
    run([&] {
        if (!checkBeforePrinting())
            return;
        const auto path = m_dialogs.saveFile({m_dataFolder, QStringLiteral("Korbena"), QStringLiteral("pdf"),
                                              QStringLiteral("PDF(pdf)|*.pdf|すべてのファイル|*.*"), true});
        if (!path)
            return;
        // The style's paper without margins, the same pages "korbena-cli print --out" writes.
        PdfFileTarget target(*path);
        printTo(target, setJobPaper(target, m_style, m_screenDpiX, m_screenDpiY).metrics, {}, m_copies);
    });
}

void PrintCommands::printTo(PrintTarget& target, const DeviceMetrics& metrics, const PageSelection& pages,
                            long long copies)
{
    // A redraw still asked for would otherwise run inside the job's progress dialog,
    // between two pages, and move the page counter the job shares with the preview.
    m_preview.redrawIfPending();
    const int cells = cellsPerPage(m_style);
    PrintOptions options;
    options.copies = copies;
    options.pages = pages;
    options.startLabel = startLabel();
    applyPrinterCalibration(options, target, m_settingsFile);
    // The pages of one set times the sets: what the progress counts.
    int pagesPerSet = 0;
    if (cells > 0) {
        const int pageCount = sheetPageCount(m_rows, cells, options.startLabel);
        for (int page = 1; page <= pageCount; ++page)
            pagesPerSet += options.pages.contains(page) ? 1 : 0;
    }
    const long long total = pagesPerSet * std::clamp(options.copies, 1LL, kMaxCopies);
    const int totalPages = static_cast<int>(std::min<long long>(total, INT_MAX));
    const bool showProgress = totalPages > 1;
    int drawn = 0;
    const auto drawPage = [&](Canvas& page, int number) {
        ++drawn;
        if (drawn == 1 && showProgress && !m_dialogs.printProgress(1, totalPages))
            throw PrintCancelled{};
        PageRequest request = printerPageRequest(target, metrics, options, number);
        request.waitForImageFiles = false; // waited for once, after the last page
        PageResult result = m_composer.compose(page, m_style, m_rows, metrics, request);
        // Asked between two pages, so a cancelled job ends with whole pages only.
        if (showProgress && drawn < totalPages && !m_dialogs.printProgress(drawn + 1, totalPages))
            throw PrintCancelled{};
        return result;
    };
    PrintJobResult result;
    try {
        result = PrintJob(target, m_rows, cells, options, m_preview.pageCounter(), drawPage);
    } catch (const PrintCancelled&) {
        if (target.IsPrinting())
            target.EndDocument();
        m_composer.finishImageFiles();
        m_dialogs.endPrintProgress();
        return;
    }
    if (QString fileError = m_composer.finishImageFiles(); result.imageError.isEmpty())
        result.imageError = std::move(fileError);
    if (showProgress)
        m_dialogs.endPrintProgress();
    switch (result.outcome) {
    case PrintOutcome::Refused:
        m_dialogs.information(result.message);
        break;
    case PrintOutcome::Failed:
        m_dialogs.error(result.message, {});
        break;
    case PrintOutcome::Printed:
        setMessage(result.message);
        break;
    }
}

void PrintCommands::printerSetupCommand()
{
    run([&] {
        const QString before = m_printer->PrinterName();
        m_dialogs.printerSetup(*m_printer);
        takePrinterSettings();
        notePrinterChange(before);
    });
}

void PrintCommands::takePrinterSettings()
{
    m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
    const PrinterPaper paper = ReadPrinterPaper(*m_printer);
    m_style.sheet.paper = paper.entry;
    m_style.sheet.orientation = paper.orientation;
    if (const auto name = ApplyPaperSettings(*m_printer, paper.entry, paper.orientation))
        m_paperName = *name;
    emit paperChanged(m_paperName);
    emit styleChanged();
    RedrawPreview();
}

void PrintCommands::notePrinterChange(const QString& before)
{
    const QString name = m_printer->PrinterName();
    if (m_systemPrinter && name != before)
        emit printerChanged(name);
}

void PrintCommands::pageSetupCommand()
{
    run([&] {
        const QString before = m_printer->PrinterName();
        m_dialogs.printerSetup(*m_printer);
        m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
        // Another printer has its own paper: the sheet takes it as the toolbar's button does.
        if (m_printer->PrinterName() != before) {
            takePrinterSettings();
            notePrinterChange(before);
            return;
        }
        RedrawPreview();
    });
}

} // namespace korbena
