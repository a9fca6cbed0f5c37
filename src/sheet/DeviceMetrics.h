#pragma once

namespace korbena {

class PrintTarget;

// What the printer reports of its page, in device pixels, as read from the device:
// resolution, the whole sheet of paper, where the printable area starts on it and
// how large that area is.
struct PrinterPage
{
    int dpiX = 0;
    int dpiY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;

    bool operator==(const PrinterPage&) const = default;
};

// The printer and screen as the sheet is laid out against them: resolutions in dots
// per inch, the printable area, its offset from the paper's corner and the paper,
// all in whole millimetres. Every field is 0 until the first ReadDeviceMetrics.
struct DeviceMetrics
{
    int printerDpiX = 0;
    int printerDpiY = 0;
    int screenDpiX = 0;
    int screenDpiY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int paperWidth = 0;
    int paperHeight = 0;

    bool operator==(const DeviceMetrics&) const = default;
};

// The metrics of a printer page and a screen; pixel lengths become whole millimetres
// rounded half to even. A page without a resolution gives 0 for its lengths.
DeviceMetrics ReadDeviceMetrics(const PrinterPage& printer, int screenDpiX, int screenDpiY);
// The same for the current paper of a print target.
DeviceMetrics ReadDeviceMetrics(const PrintTarget& printer, int screenDpiX, int screenDpiY);

// A length in device pixels as whole millimetres at the given resolution, rounded
// half to even; 0 for a resolution of 0 or less.
int PixelsToMillimetres(int pixels, int dpi);

} // namespace korbena
