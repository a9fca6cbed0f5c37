#pragma once

#include "sheet/SheetLength.h"

#include <QString>

namespace korbena {

class Canvas;
class PrintTarget;
struct DeviceMetrics;

// Where the calibration page puts its crosshair: this many millimetres right of and
// below the corner of the printable area.
inline constexpr int kCalibrationMarkMillimetres = 20;

// Draws the calibration page on `canvas`, whose origin is the printable area's
// corner at the printer's resolution of `metrics`: a crosshair at a known place,
// millimetre rulers running right and down from it, and the text telling the user
// where, from the paper's edges, the crosshair's centre should be.
void drawCalibrationPage(Canvas& canvas, const DeviceMetrics& metrics);

// The crosshair's intended place from the paper's left and top edges, in millimetres.
struct CalibrationMark
{
    int fromLeft = 0;
    int fromTop = 0;
};
CalibrationMark calibrationMark(const DeviceMetrics& metrics);

// Prints the calibration page as one document on `target`. Returns the target's
// error, empty when the page was printed.
QString printCalibrationPage(PrintTarget& target, const DeviceMetrics& metrics);

} // namespace korbena
