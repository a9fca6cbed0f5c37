#include "cli/PreviewCommand.h"

#include "cli/CommandLine.h"
#include "cli/PrintCommand.h"
#include "platform/AtomicFile.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace korbena::cli {

const char* const kPreviewUsage =
    "usage: korbena-cli preview [--style FILE] [--data FILE] [--page N] [--zoom PERCENT] [--start-label K]\n"
    "                           --out FILE.png\n"
    "       PERCENT from 5 to 200 (default 120); without --style and --data the default style and data\n"
    "       list of the working folder are used\n"
    "exit status: 0 written, every row of the page with a number got its barcode; 1 the files could\n"
    "       not be read or the picture not written; 2 bad arguments; 3 written, but the labels of the\n"
    "       rows named on stderr lack the barcode: their number cannot be encoded, or they have no title\n";

namespace {

struct Options
{
    QString style, data, out;
    int page = 1;
    int zoom = 120;
    int startLabel = 1;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.emptyValues = true;
    rules.withValue = [&o](const QString& name, const QString& value) -> std::optional<QString> {
        const auto number = [&](int& field, int low, int high) -> std::optional<QString> {
            const auto n = parseInt(value, low, high);
            if (!n)
                return badValue(name, value);
            field = *n;
            return std::nullopt;
        };
        std::optional<QString> fault;
        if (name == u"--style")
            o.style = value;
        else if (name == u"--data")
            o.data = value;
        else if (name == u"--out")
            o.out = value;
        else if (name == u"--page")
            fault = number(o.page, 1, DataList::kMaxRowCount);
        else if (name == u"--start-label")
            fault = number(o.startLabel, 1, DataList::kMaxRowCount);
        else if (name == u"--zoom")
            fault = number(o.zoom, 5, 200);
        else
            return unknownOption(name);
        if (!fault && value.isEmpty())
            return needsValue(name);
        return fault;
    };
    if (auto fault = readOptions(args, rules))
        return fault;
    if (o.out.isEmpty())
        return QStringLiteral("--out FILE.png is needed");
    return std::nullopt;
}

} // namespace

int runPreview(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options options;
    if (const auto fault = parse(args, options))
        return usageFault(err, "preview", *fault, kPreviewUsage);
    auto docs = loadDocuments(options.style, options.data, err);
    if (!docs)
        return 1;

    // The sheet as it would print to a PDF file: the style's paper, no margins. The
    // target only lends its page geometry; no file is written.
    PdfFileTarget paper(QDir(docs->dataFolder).filePath(QStringLiteral("preview.pdf")));
    ApplyPaperSettings(paper, docs->style.sheet.paper, docs->style.sheet.orientation);
    const DeviceMetrics metrics = ReadDeviceMetrics(paper, screenDpiX(), screenDpiY());

    // What print refuses, preview refuses alike.
    const int cells = cellsPerPage(docs->style);
    if (cells > 0 && options.startLabel > cells) {
        writeLine(err,
                  QStringLiteral("korbena-cli preview: --start-label %1 is beyond the %2 labels of a sheet")
                      .arg(options.startLabel)
                      .arg(cells));
        std::fputs(kPreviewUsage, err);
        return 2;
    }
    if (cells > 0) {
        const int lastPage = sheetPageCount(docs->rows, cells, options.startLabel);
        if (options.page > lastPage) {
            writeLine(err,
                      QStringLiteral("korbena-cli preview: ") + missingPageMessage(options.page, lastPage));
            return 1;
        }
    }
    PageComposer composer(docs->dataFolder);
    const PreviewPage preview = composer.composePreview(docs->style, docs->rows, metrics, options.page,
                                                        options.zoom, options.startLabel);

    QString reason = QStringLiteral("nothing to draw");
    const bool written = !preview.image.isNull() && QDir().mkpath(QFileInfo(options.out).absolutePath()) &&
                         writeImageAtomically(options.out, preview.image, "PNG", reason);
    if (!written) {
        writeLine(err, QStringLiteral("korbena-cli preview: cannot write %1: %2").arg(options.out, reason));
        return 1;
    }
    const bool shown = reportUnshownRows(err, "preview", *docs);
    const bool complete =
        reportLabelProblems(err, "preview", preview.result.rowsWithoutBarcode(), preview.result.imageError) &&
        shown;
    writeLine(out, QStringLiteral("page %1 of the sheet at %2%, %3 x %4 pixels, written to %5")
                       .arg(preview.result.page)
                       .arg(options.zoom)
                       .arg(preview.image.width())
                       .arg(preview.image.height())
                       .arg(options.out));
    return complete ? 0 : kExitLabelsWithoutBarcode;
}

} // namespace korbena::cli
