#include "cli/PrintCommand.h"

#include "cli/CalibrateCommand.h"
#include "cli/CommandLine.h"
#include "document/DataFile.h"
#include "print/PrinterTarget.h"
#include "session/PrinterCalibration.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/LabelExtents.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintCheckReport.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"
#include "sheet/SheetDocuments.h"

#include <QPrinterInfo>

#include <limits>
#include <memory>

namespace korbena::cli {

const char* const kPrintUsage =
    "usage: korbena-cli print [--style FILE] [--data FILE] [--out FILE.pdf | --printer NAME] [--copies N]\n"
    "                         [--pages 3-5,9] [--start-label K]\n"
    "       without --style and --data the default style and data list of the working folder are used\n"
    "       --copies N: N collated sets (0 to 999); --pages: only these pages of each set;\n"
    "       --start-label K: the rows start at label K of the first sheet (1 to the labels a sheet holds)\n"
    "exit status: 0 printed, every row with a number got its barcode; 1 the files could not be read\n"
    "       or the job was refused or failed; 2 bad arguments; 3 printed, but the labels of the rows\n"
    "       named on stderr lack the barcode: their number cannot be encoded, or they have no title.\n"
    "       Rows whose barcode, title or number runs outside their label (the stock's label of the\n"
    "       style's grid, as \"template\" lists them) are named on stderr as a warning\n";

namespace {

struct Options
{
    QString style, data, out, printer;
    PrintOptions job;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.emptyValues = true;
    rules.withValue = [&o](const QString& name, const QString& value) -> std::optional<QString> {
        if (name == u"--style") {
            o.style = value;
        } else if (name == u"--data") {
            o.data = value;
        } else if (name == u"--out") {
            o.out = value;
        } else if (name == u"--printer") {
            o.printer = value;
        } else if (name == u"--copies") {
            const auto copies = parseInt(value, 0, static_cast<int>(kMaxCopies));
            if (!copies)
                return QStringLiteral("bad value for --copies: '%1' (0 to %2)").arg(value).arg(kMaxCopies);
            o.job.copies = *copies;
        } else if (name == u"--pages") {
            const auto pages = PageSelection::parse(value);
            if (!pages)
                return QStringLiteral("bad value for --pages: '%1' (pages as 3-5,9)").arg(value);
            o.job.pages = *pages;
        } else if (name == u"--start-label") {
            const auto start = parseInt(value, 1, std::numeric_limits<int>::max());
            if (!start)
                return badValue(name, value);
            o.job.startLabel = *start;
        } else {
            return unknownOption(name);
        }
        return value.isEmpty() ? std::optional<QString>(needsValue(name)) : std::nullopt;
    };
    if (auto fault = readOptions(args, rules))
        return fault;
    if (!o.out.isEmpty() && !o.printer.isEmpty())
        return QStringLiteral("--out and --printer exclude each other");
    return std::nullopt;
}

int usage(std::FILE* err, const QString& message)
{
    return usageFault(err, "print", message, kPrintUsage);
}

QString labelFaultText(LabelFault fault)
{
    switch (fault) {
    case LabelFault::NotEncodable:
        break;
    case LabelFault::NoTitle:
        return QStringLiteral("文字列がありません（バーコードは印刷されません）");
    case LabelFault::OffPaper:
        return QStringLiteral("ラベルが印刷範囲の外にあります");
    }
    return QStringLiteral("バーコード番号にエラーがあります");
}

} // namespace

bool reportLabelProblems(std::FILE* err, const char* command, const std::vector<FailedRow>& failedRows,
                         const QString& imageError)
{
    const QString prefix = QStringLiteral("korbena-cli %1: ").arg(QLatin1String(command));
    // The labels are whole whatever became of their image files: a note, not an error.
    if (!imageError.isEmpty())
        writeLine(err, prefix + QStringLiteral("ラベル画像ファイルを書き込めません: ") + imageError);
    constexpr std::size_t kListed = 20;
    for (std::size_t i = 0; i < failedRows.size() && i < kListed; ++i)
        writeLine(err, QStringLiteral("行 %1: %2: %3")
                           .arg(failedRows[i].row)
                           .arg(labelFaultText(failedRows[i].fault), failedRows[i].number));
    if (failedRows.size() > kListed)
        writeLine(
            err,
            QStringLiteral("ほか %1 行のバーコードを生成できませんでした").arg(failedRows.size() - kListed));
    return failedRows.empty();
}

bool reportUnshownRows(std::FILE* err, const char* command, const SheetDocuments& docs)
{
    const QString prefix = QStringLiteral("korbena-cli %1: ").arg(QLatin1String(command));
    for (const DataRow& row : docs.unshownRows)
        writeLine(err, prefix + unshownRowMessage(row, docs.rows));
    return docs.unshownRows.empty();
}

std::optional<SheetDocuments> loadDocuments(const QString& styleFile, const QString& dataFile, std::FILE* err)
{
    QString error;
    auto docs = loadSheetDocuments(styleFile, dataFile, error);
    if (!docs)
        writeLine(err, QStringLiteral("korbena-cli: ") + error);
    return docs;
}

int runPrint(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options options;
    if (const auto fault = parse(args, options))
        return usage(err, *fault);

    std::unique_ptr<PrintTarget> target;
    QString destination;
    if (!options.out.isEmpty()) {
        target = std::make_unique<PdfFileTarget>(options.out);
        destination = options.out;
    } else {
        const QPrinterInfo info = options.printer.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                            : QPrinterInfo::printerInfo(options.printer);
        if (info.isNull()) {
            if (options.printer.isEmpty())
                return usage(err, QStringLiteral("no printer is installed; print to a PDF file with --out"));
            writeLine(err, QStringLiteral("korbena-cli print: no printer named '%1'").arg(options.printer));
            return 1;
        }
        destination = info.printerName();
        target = std::make_unique<PrinterTarget>(info);
    }
    applyPrinterCalibration(options.job, *target, settingsFilePath());

    auto docs = loadDocuments(options.style, options.data, err);
    if (!docs)
        return 1;
    const int cells = cellsPerPage(docs->style);
    if (cells > 0 && options.job.startLabel > cells)
        return usage(err, QStringLiteral("--start-label %1 is beyond the %2 labels of a sheet")
                              .arg(options.job.startLabel)
                              .arg(cells));

    const JobPaper paper = setJobPaper(*target, docs->style, screenDpiX(), screenDpiY());
    if (!paper.paperSet)
        writeLine(err, QStringLiteral("korbena-cli print: the printer keeps its own paper"));
    const DeviceMetrics& metrics = paper.metrics;

    PageComposer composer(docs->dataFolder);
    int currentPage = 1;
    const PrintJobResult result =
        PrintJob(*target, composer, docs->style, docs->rows, metrics, options.job, currentPage);
    switch (result.outcome) {
    case PrintOutcome::Refused:
        writeLine(err, QStringLiteral("korbena-cli print: ") + result.message);
        return 1;
    case PrintOutcome::Failed:
        writeLine(err, QStringLiteral("korbena-cli print: ") + result.message);
        return 1;
    case PrintOutcome::Printed:
        break;
    }
    const LabelFrame frame =
        stockLabelFrame(docs->style, loadSheetCatalogue().layouts, metrics.offsetX, metrics.offsetY)
            .value_or(LabelFrame{});
    for (const RowOutside& row : rowsOutsideLabel(docs->style, docs->rows, frame, options.job.startLabel))
        writeLine(
            err,
            QStringLiteral("korbena-cli print: 行 %1: %2").arg(row.row).arg(outsideLabelText(row.elements)));
    const bool shown = reportUnshownRows(err, "print", *docs);
    const bool complete = reportLabelProblems(err, "print", result.failedRows, result.imageError) && shown;
    writeLine(out, QStringLiteral("%1 page(s) printed to %2").arg(result.pagesPrinted).arg(destination));
    return complete ? 0 : kExitLabelsWithoutBarcode;
}

} // namespace korbena::cli
