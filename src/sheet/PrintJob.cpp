#include "sheet/PrintJob.h"

#include "document/DataList.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PrintTarget.h"

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

PrintJobResult PrintJob(PrintTarget& target, const DataList& rows, int cellsPerPage, long long copies,
                        int& currentPage, const PageDrawer& drawPage)
{
    if (copies == 0)
        return {PrintOutcome::Refused, 0, copiesZeroMessage(), {}, {}};
    if (cellsPerPage <= 0)
        return {PrintOutcome::Refused, 0, noCellsMessage(), {}, {}};

    PrintJobResult result;
    currentPage = 1;
    for (;;) {
        if (currentPage == 1 && !target.BeginDocument())
            return failed(target, 0);
        Canvas* page = target.canvas();
        if (!page)
            return failed(target, result.pagesPrinted);
        PageResult drawn = drawPage(*page, currentPage);
        result.message = std::move(drawn.message);
        result.failedRows.insert(result.failedRows.end(), drawn.failedRows.begin(), drawn.failedRows.end());
        if (result.imageError.isEmpty())
            result.imageError = std::move(drawn.imageError);
        ++result.pagesPrinted;
        ++currentPage;
        if (!pageExists(rows, cellsPerPage, currentPage)) {
            if (!target.EndDocument())
                return failed(target, result.pagesPrinted);
            return result;
        }
        if (!target.NewPage())
            return failed(target, result.pagesPrinted);
    }
}

PrintJobResult PrintJob(PrintTarget& target, PageComposer& composer, const LabelStyle& style,
                        const DataList& rows, const DeviceMetrics& metrics, long long copies,
                        int& currentPage)
{
    const auto drawPage = [&](Canvas& page, int pageNumber) {
        PageRequest request;
        request.page = pageNumber;
        request.kind = SurfaceKind::Printer;
        request.dpiX = metrics.printerDpiX;
        request.dpiY = metrics.printerDpiY;
        request.zoomPercent = 100;
        return composer.compose(page, style, rows, metrics, request);
    };
    return PrintJob(target, rows, cellsPerPage(style), copies, currentPage, drawPage);
}

} // namespace korbena
