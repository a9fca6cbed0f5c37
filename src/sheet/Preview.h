#pragma once

#include "platform/Color.h"

#include <QRect>
#include <QSize>

#include <optional>

namespace korbena {

class DataList;
struct DeviceMetrics;

// The zoom slider's range and its steps.
inline constexpr int kMinZoomPercent = 5;
inline constexpr int kMaxZoomPercent = 200;
inline constexpr int kStartZoomPercent = 120;
inline constexpr int kZoomStepPercent = 10;

// The sheet panel's blue-grey.
inline constexpr TColor kSheetColor = rgbColor(128, 128, 192);

// A zoom held within 5 to 200 per cent, as the slider holds it.
int clampZoom(int percent);

// The preview's resolution Dp = trunc(screen dpi x zoom); 96 dpi at 120 per cent
// gives 115.
int previewDpi(int screenDpi, int zoomPercent);

// Where the preview puts the sheet and the printable area at a zoom, in screen
// pixels: the sheet panel sized to the paper, the page surface placed and sized as
// the printable area, and the white rectangle on the page surface.
struct PreviewGeometry
{
    int zoomPercent = 100;
    int dpiX = 96; // Dp X and Y: the labels are composed at this resolution
    int dpiY = 96;
    QSize sheet;       // round(paper x screen dpi / 25.4 x zoom)
    QRect pageSurface; // left and top rounded, width and height truncated
    QSize printable;   // the white area from (0, 0): rounded, so it may pass the surface by a pixel
};

PreviewGeometry previewGeometry(const DeviceMetrics& metrics, int zoomPercent);

// The page button "←": the page before, or nothing (a beep) on page 1.
std::optional<int> previousPage(int currentPage);

// The page button "→": the next page when its first row, N x current + 1, has a
// barcode number, or nothing (a beep).
std::optional<int> nextPage(const DataList& rows, int cellsPerPage, int currentPage, int startLabel = 1);

} // namespace korbena
