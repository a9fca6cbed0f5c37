// The printing commands that spare label stock: the start label of a partly used
// sheet, the check before printing with its half-width clean-up, and the printer's
// calibration.
#include "document/DataFile.h"
#include "document/HalfWidth.h"
#include "session/AppController.h"
#include "session/PrinterCalibration.h"
#include "sheet/CalibrationPage.h"
#include "sheet/PrintTarget.h"

namespace korbena {

namespace {

const QString kCalibrationCaption = QStringLiteral("印刷位置の補正");
const QString kNoPrinter = QStringLiteral("プリンターがインストールされていません");

} // namespace

int AppController::startLabel() const
{
    return heldStartLabel(m_startLabel, cellsPerPage(m_style));
}

void AppController::setStartLabel(int label)
{
    if (label == m_startLabel)
        return;
    m_startLabel = label;
    // The first page changes its rows; a later page shown may no longer exist.
    m_currentPage = 1;
    explicitRedraw();
}

int AppController::pageCountToPrint() const
{
    const int cells = cellsPerPage(m_style);
    return cells > 0 ? sheetPageCount(m_rows, cells, startLabel()) : 0;
}

void AppController::convertAllNumbersToHalfWidth()
{
    run([&] {
        // Through the grid's model, so the views show every changed number; the redraw's
        // snapshot makes the whole conversion one undoable step.
        if (m_grid.halfWidthNumbers(1, m_rows.RowCount() - 1) > 0)
            explicitRedraw();
    });
}

Dialogs::PrintCheckChoice AppController::runPrintCheck(Dialogs::PrintCheckMode mode)
{
    for (;;) {
        const PrintCheckReport report = m_printChecker(
            m_style, m_rows, PrintCheckOptions{startLabel(), unshownRows(m_rowsPastList, m_rows)});
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

bool AppController::checkBeforePrinting()
{
    if (!m_printChecker)
        return true;
    return runPrintCheck(Dialogs::PrintCheckMode::BeforePrinting) == Dialogs::PrintCheckChoice::Print;
}

void AppController::printCheckCommand()
{
    run([&] {
        if (m_printChecker)
            runPrintCheck(Dialogs::PrintCheckMode::OnDemand);
    });
}

void AppController::calibrationCommand()
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
        writePrinterOffset(settingsFile(), printer, *offset);
        m_dialogs.information(QStringLiteral("印刷位置の補正を保存しました\r\n%1: X %2 mm, Y %3 mm")
                                  .arg(printer)
                                  .arg(static_cast<double>(offset->x), 0, 'f', 2)
                                  .arg(static_cast<double>(offset->y), 0, 'f', 2));
    });
}

} // namespace korbena
