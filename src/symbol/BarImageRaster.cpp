#include "symbol/BarImage.h"
#include "symbol/ModuleMatrix.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace korbena {

namespace {

int clampTo(std::int64_t value, int limit)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, limit));
}

// The part of a run that lies in [left, right) of the row, as columns of that span;
// the parts outside it go to `outside`.
void splitRun(const PixelRun& run, int left, int right, std::vector<QRgb>& span, QRgb colour,
              std::vector<PixelRun>& outside)
{
    const int begin = std::max(run.begin, left);
    const int end = std::min(run.end, right);
    if (begin >= end) {
        outside.push_back(run);
        return;
    }
    std::fill(span.begin() + (begin - left), span.begin() + (end - left), colour);
    if (run.begin < begin)
        outside.push_back({run.begin, begin});
    if (end < run.end)
        outside.push_back({end, run.end});
}

} // namespace

// The picture of a bar symbol is one row repeated down the bar length: the bars
// are found once as runs of columns, one row with background and bars is built, and
// copied into every bar row. That replaces a painter's fill per bar per row, which
// made drawing the symbol cost more than encoding it many times over.
bool BarImage::RasterBars(Bitmap& bitmap, const std::optional<Rect>& background, const SymbolLayout& layout,
                          const ElementPattern& pattern) const
{
    if (FBarType == cbarCUSTOMER || isMatrixType(FBarType) || bitmap.pixelFormat() != PixelFormat::pf32bit ||
        bitmap.image().format() != QImage::Format_RGB32)
        return false;
    const int width = bitmap.Width();
    const int height = bitmap.Height();

    // The bars as runs of columns, clipped to the bitmap; customer bars of four
    // heights and matrix modules are drawn by the painter.
    const std::int64_t barLeft = static_cast<std::int64_t>(FBarLeft) + layout.spaceLeft;
    std::vector<PixelRun> runs;
    runs.reserve(static_cast<std::size_t>(pattern.size() / 2 + 1));
    std::int64_t x = layout.barOffset;
    for (const QChar c : pattern) {
        const int digit = c.unicode() - u'0';
        const std::int64_t w = elementPixelWidth(digit, FScale, FElementRatio, FBarType);
        if (digit % 2 != 0 && w > 0) {
            const PixelRun run{clampTo(barLeft + x, width), clampTo(barLeft + x + w, width)};
            if (run.begin < run.end)
                runs.push_back(run);
        }
        x += w;
    }
    const std::int64_t barTop = static_cast<std::int64_t>(FBarTop) + layout.spaceUp;
    const int top = clampTo(barTop, height);
    const int bottom = clampTo(barTop + layout.barLength, height);
    const QRgb bar = toQColor(FBarColor).rgba();

    if (!background) {
        bitmap.FillRuns(runs, top, bottom, bar);
        return true;
    }
    const int left = clampTo(background->left, width);
    const int right = clampTo(background->right, width);
    const int backTop = clampTo(background->top, height);
    const int backBottom = clampTo(background->bottom, height);
    if (left >= right || backTop >= backBottom) {
        bitmap.FillRuns(runs, top, bottom, bar);
        return true;
    }

    // Rows of background only, above and below the bars.
    std::vector<QRgb> row(static_cast<std::size_t>(right - left), toQColor(FBackColor).rgba());
    bitmap.StampRows(left, backTop, std::min(backBottom, top), row);
    bitmap.StampRows(left, std::max(backTop, bottom), backBottom, row);

    // Rows of background and bars; bars reaching out of the background rectangle
    // (never for the layouts the component makes) are filled beside it.
    std::vector<PixelRun> outside;
    for (const PixelRun& run : runs)
        splitRun(run, left, right, row, bar, outside);
    const int bandTop = std::max(backTop, top);
    const int bandBottom = std::min(backBottom, bottom);
    bitmap.StampRows(left, bandTop, bandBottom, row);
    bitmap.FillRuns(outside, bandTop, bandBottom, bar);
    // Bar rows beyond the background rectangle.
    bitmap.FillRuns(runs, top, std::min(bottom, backTop), bar);
    bitmap.FillRuns(runs, std::max(top, backBottom), bottom, bar);
    return true;
}

} // namespace korbena
