#pragma once

#include "sheet/PrintJob.h"
#include "sheet/SheetLength.h"

#include <QString>

#include <optional>

namespace korbena {

class PrintTarget;

// A printer's correction in millimetres, right and down positive: what every page
// printed on it is moved by, on top of the style's whole-page adjustment.
struct PrinterOffset
{
    long double x = 0;
    long double y = 0;

    SheetLength lengthX() const { return SheetLength::fromMillimetres(x); }
    SheetLength lengthY() const { return SheetLength::fromMillimetres(y); }
    bool operator==(const PrinterOffset&) const = default;
};

// A measured shift larger than this is a mistake in measuring, not a printer's error.
inline constexpr long double kLargestPrinterShift = 50;

// The correction that undoes a shift measured on the calibration page (the printed
// crosshair's place less its intended place, right and down positive); nothing for
// a shift beyond kLargestPrinterShift or not a number.
std::optional<PrinterOffset> offsetForMeasuredShift(long double shiftX, long double shiftY);

// Reads "12.5" or "-0,8" (a decimal comma as typed on some keyboards) as millimetres.
std::optional<long double> readMillimetres(const QString& text);

// The stored correction of `printer` in the settings file; zero when none is stored.
PrinterOffset readPrinterOffset(const QString& iniPath, const QString& printer);
// Stores the correction of `printer`, keeping everything else in the file. Throws FileError.
void writePrinterOffset(const QString& iniPath, const QString& printer, const PrinterOffset& offset);

// The job's calibration shift: the stored correction of the target's printer when it is
// a physical printer, none for a file.
void applyPrinterCalibration(PrintOptions& options, const PrintTarget& target, const QString& iniPath);

} // namespace korbena
