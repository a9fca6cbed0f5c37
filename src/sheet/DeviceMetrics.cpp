#include "sheet/DeviceMetrics.h"

#include "sheet/PrintTarget.h"

#include <cstdint>
#include <cstdlib>

namespace korbena {

int PixelsToMillimetres(int pixels, int dpi)
{
    if (dpi <= 0)
        return 0;
    // pixels ÷ (dpi ÷ 25.4) in whole numbers, so that a length of exactly half a
    // millimetre rounds to the even neighbour rather than by the luck of the floats.
    const std::int64_t num = static_cast<std::int64_t>(std::llabs(pixels)) * 254;
    const std::int64_t den = static_cast<std::int64_t>(dpi) * 10;
    std::int64_t whole = num / den;
    const std::int64_t twiceRest = (num % den) * 2;
    if (twiceRest > den || (twiceRest == den && whole % 2 != 0))
        ++whole;
    return static_cast<int>(pixels < 0 ? -whole : whole);
}

DeviceMetrics ReadDeviceMetrics(const PrinterPage& printer, int screenDpiX, int screenDpiY)
{
    DeviceMetrics m;
    m.printerDpiX = printer.dpiX;
    m.printerDpiY = printer.dpiY;
    m.offsetX = PixelsToMillimetres(printer.physicalOffsetX, printer.dpiX);
    m.offsetY = PixelsToMillimetres(printer.physicalOffsetY, printer.dpiY);
    m.paperWidth = PixelsToMillimetres(printer.physicalWidth, printer.dpiX);
    m.paperHeight = PixelsToMillimetres(printer.physicalHeight, printer.dpiY);
    m.printableWidth = PixelsToMillimetres(printer.printableWidth, printer.dpiX);
    m.printableHeight = PixelsToMillimetres(printer.printableHeight, printer.dpiY);
    m.screenDpiX = screenDpiX;
    m.screenDpiY = screenDpiY;
    return m;
}

DeviceMetrics ReadDeviceMetrics(const PrintTarget& printer, int screenDpiX, int screenDpiY)
{
    return ReadDeviceMetrics(printer.Page(), screenDpiX, screenDpiY);
}

} // namespace korbena
