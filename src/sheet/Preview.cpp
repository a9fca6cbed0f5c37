#include "sheet/Preview.h"

#include "document/DataList.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"

#include <algorithm>
#include <climits>

namespace korbena {

namespace {

// Before the printer has been read the screen is taken as the usual 96 dpi.
int screenDpi(int dpi)
{
    return dpi > 0 ? dpi : 96;
}

// mm x dpi / 25.4 x zoom = mm x dpi x per cent / 2540, exactly.
__int128 scaledNumerator(int mm, int dpi, int zoomPercent)
{
    return static_cast<__int128>(mm) * dpi * zoomPercent;
}

int heldPixels(std::int64_t pixels)
{
    return static_cast<int>(std::clamp<std::int64_t>(pixels, -kDeviceLimit, kDeviceLimit));
}

int roundedPixels(int mm, int dpi, int zoomPercent)
{
    return heldPixels(divideRoundHalfEven(scaledNumerator(mm, dpi, zoomPercent), 2540));
}

int truncatedPixels(int mm, int dpi, int zoomPercent)
{
    return heldPixels(static_cast<std::int64_t>(scaledNumerator(mm, dpi, zoomPercent) / 2540));
}

// A preview image is held within 16384 pixels a side and 64 million pixels in all
// (256 MiB); a larger sheet shows its top-left part. A0 at 200 per cent fits.
constexpr int kMaxPreviewSide = 16384;
constexpr std::int64_t kMaxPreviewPixels = std::int64_t{1} << 26;

QSize boundedImageSize(QSize size)
{
    const int width = std::clamp(size.width(), 1, kMaxPreviewSide);
    int height = std::clamp(size.height(), 1, kMaxPreviewSide);
    height = static_cast<int>(std::min<std::int64_t>(height, kMaxPreviewPixels / width));
    return {width, height};
}

} // namespace

int clampZoom(int percent)
{
    return std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
}

int previewDpi(int screenDpi, int zoomPercent)
{
    return static_cast<int>(static_cast<std::int64_t>(screenDpi) * zoomPercent / 100);
}

PreviewGeometry previewGeometry(const DeviceMetrics& metrics, int zoomPercent)
{
    PreviewGeometry g;
    const int zoom = clampZoom(zoomPercent);
    const int dpiX = screenDpi(metrics.screenDpiX);
    const int dpiY = screenDpi(metrics.screenDpiY);
    g.zoomPercent = zoom;
    g.dpiX = previewDpi(dpiX, zoom);
    g.dpiY = previewDpi(dpiY, zoom);
    g.sheet = {roundedPixels(metrics.paperWidth, dpiX, zoom), roundedPixels(metrics.paperHeight, dpiY, zoom)};
    g.pageSurface =
        QRect(roundedPixels(metrics.offsetX, dpiX, zoom), roundedPixels(metrics.offsetY, dpiY, zoom),
              truncatedPixels(metrics.printableWidth, dpiX, zoom),
              truncatedPixels(metrics.printableHeight, dpiY, zoom));
    g.printable = {roundedPixels(metrics.printableWidth, dpiX, zoom),
                   roundedPixels(metrics.printableHeight, dpiY, zoom)};
    return g;
}

std::optional<int> previousPage(int currentPage)
{
    if (currentPage <= 1)
        return std::nullopt;
    return currentPage - 1;
}

std::optional<int> nextPage(const DataList& rows, int cellsPerPage, int currentPage, int startLabel)
{
    const int page = std::max(1, currentPage);
    if (page == INT_MAX || !pageExists(rows, cellsPerPage, page + 1, startLabel))
        return std::nullopt;
    return page + 1;
}

PreviewPage PageComposer::composePreview(const LabelStyle& style, const DataList& rows,
                                         const DeviceMetrics& metrics, int page, int zoomPercent,
                                         int startLabel, const CellOutlines& outlines)
{
    const PreviewGeometry g = previewGeometry(metrics, zoomPercent);
    PreviewPage preview;
    preview.image = QImage(boundedImageSize(g.sheet), QImage::Format_RGB32);
    preview.image.fill(toQColor(kSheetColor));

    Canvas canvas(&preview.image);
    // The page surface: its own origin at the printable area's corner, and nothing
    // drawn past its edges.
    canvas.painter().translate(g.pageSurface.topLeft());
    canvas.painter().setClipRect(QRect(QPoint(0, 0), g.pageSurface.size()));
    const Rect printable{0, 0, g.printable.width(), g.printable.height()};
    canvas.SetBrushColor(clWhite);
    canvas.FillRect(printable);
    canvas.SetBrushColor(clBlack);
    canvas.FrameRect(printable);

    PageRequest request;
    request.page = page;
    request.kind = SurfaceKind::Preview;
    request.dpiX = g.dpiX;
    request.dpiY = g.dpiY;
    request.zoomPercent = g.zoomPercent;
    request.startLabel = startLabel;
    request.outlines = outlines;
    preview.result = compose(canvas, style, rows, metrics, request);
    return preview;
}

} // namespace korbena
