#include "sheet/PrintJob.h"

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PaperList.h"
#include "sheet/PrintTarget.h"

#include <algorithm>
#include <climits>

namespace korbena {

QString copiesZeroMessage()
{
    return QStringLiteral("印刷の枚数指定が0です");
}

QString noCellsMessage()
{
    return QStringLiteral("1ページのラベル数が0です");
}

namespace {

PrintJobResult failed(PrintTarget& target, int pages)
{
    if (target.IsPrinting())
        target.EndDocument();
    QString text = target.ErrorString();
    if (text.isEmpty())
        text = QStringLiteral("印刷できませんでした");
    return {PrintOutcome::Failed, pages, text, {}, {}};
}

} // namespace

std::optional<PageSelection> PageSelection::parse(QStringView text)
{
    PageSelection selection;
    const auto page = [](QStringView part) -> std::optional<int> {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        return ok && n >= 1 ? std::optional(n) : std::nullopt;
    };
    for (const QStringView part : text.split(u',')) {
        const qsizetype dash = part.indexOf(u'-');
        const auto first = page(dash < 0 ? part : part.first(dash));
        const auto last = dash < 0 ? first : page(part.sliced(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        selection.m_ranges.emplace_back(*first, *last);
    }
    return selection;
}

PageSelection PageSelection::range(int first, int last)
{
    PageSelection selection;
    selection.m_ranges.emplace_back(std::max(1, first), std::max(1, last));
    return selection;
}

bool PageSelection::contains(int page) const
{
    return everyPage() || std::any_of(m_ranges.begin(), m_ranges.end(),
                                      [page](const auto& r) { return page >= r.first && page <= r.second; });
}

int PageSelection::highest() const
{
    int high = 0;
    for (const auto& r : m_ranges)
        high = std::max(high, r.second);
    return high;
}

int sheetPageCount(const DataList& rows, int cellsPerPage, int startLabel)
{
    int pages = 1;
    while (pages < INT_MAX && pageExists(rows, cellsPerPage, pages + 1, startLabel))
        ++pages;
    return pages;
}

QString missingPageMessage(int page, int lastPage)
{
    return QStringLiteral("指定したページはありません: %1（最後のページは %2）").arg(page).arg(lastPage);
}

PrintJobResult PrintJob(PrintTarget& target, const DataList& rows, int cellsPerPage,
                        const PrintOptions& options, int& currentPage, const PageDrawer& drawPage)
{
    if (options.copies == 0)
        return {PrintOutcome::Refused, 0, copiesZeroMessage(), {}, {}};
    if (cellsPerPage <= 0)
        return {PrintOutcome::Refused, 0, noCellsMessage(), {}, {}};
    const int lastPage = sheetPageCount(rows, cellsPerPage, options.startLabel);
    if (options.pages.highest() > lastPage)
        return {PrintOutcome::Refused, 0, missingPageMessage(options.pages.highest(), lastPage), {}, {}};

    PrintJobResult result;
    const long long sets = std::clamp(options.copies, 1LL, kMaxCopies);
    for (long long set = 0; set < sets; ++set) {
        for (int page = 1; page <= lastPage; ++page) {
            if (!options.pages.contains(page))
                continue;
            currentPage = page;
            if (result.pagesPrinted == 0 ? !target.BeginDocument() : !target.NewPage())
                return failed(target, result.pagesPrinted);
            Canvas* surface = target.canvas();
            if (!surface)
                return failed(target, result.pagesPrinted);
            PageResult drawn = drawPage(*surface, page);
            result.message = std::move(drawn.message);
            // A row is named once, however many sets print it.
            if (set == 0) {
                const std::vector<FailedRow> lacking = drawn.rowsWithoutBarcode();
                result.failedRows.insert(result.failedRows.end(), lacking.begin(), lacking.end());
            }
            if (result.imageError.isEmpty())
                result.imageError = std::move(drawn.imageError);
            ++result.pagesPrinted;
            currentPage = page + 1;
        }
    }
    if (!target.EndDocument())
        return failed(target, result.pagesPrinted);
    return result;
}

PageRequest printerPageRequest(const PrintTarget& target, const DeviceMetrics& metrics,
                               const PrintOptions& options, int page)
{
    PageRequest request;
    request.page = page;
    request.kind = SurfaceKind::Printer;
    request.dpiX = metrics.printerDpiX;
    request.dpiY = metrics.printerDpiY;
    request.zoomPercent = 100;
    request.startLabel = options.startLabel;
    if (target.IsPhysicalPrinter()) {
        request.shiftX = options.shiftX;
        request.shiftY = options.shiftY;
    }
    return request;
}

JobPaper setJobPaper(PrintTarget& target, const LabelStyle& style, int screenDpiX, int screenDpiY)
{
    JobPaper paper;
    paper.paperSet = ApplyPaperSettings(target, style.sheet.paper, style.sheet.orientation).has_value();
    paper.metrics = ReadDeviceMetrics(target, screenDpiX, screenDpiY);
    return paper;
}

PrintJobResult PrintJob(PrintTarget& target, PageComposer& composer, const LabelStyle& style,
                        const DataList& rows, const DeviceMetrics& metrics, const PrintOptions& options,
                        int& currentPage)
{
    const auto drawPage = [&](Canvas& page, int pageNumber) {
        PageRequest request = printerPageRequest(target, metrics, options, pageNumber);
        request.waitForImageFiles = false;
        return composer.compose(page, style, rows, metrics, request);
    };
    PrintJobResult result = PrintJob(target, rows, cellsPerPage(style), options, currentPage, drawPage);
    QString fileError = composer.finishImageFiles();
    if (result.imageError.isEmpty())
        result.imageError = std::move(fileError);
    return result;
}

} // namespace korbena
