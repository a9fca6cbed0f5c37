#include "session/PrinterCalibration.h"

#include "session/WindowSettings.h"
#include "sheet/PrintTarget.h"

#include <QStringList>

#include <cmath>

namespace korbena {

namespace {

const QString kSection = QStringLiteral("PrinterCalibration");

// A printer's name is the key: the characters the file's syntax gives a meaning
// are written as %XX.
QString keyOf(const QString& printer)
{
    QString key;
    for (const QChar c : printer) {
        if (c == u'%' || c == u'=' || c == u'[' || c == u']' || c == u';')
            key += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            key += c;
    }
    return key;
}

QString millimetres(long double value)
{
    return QString::number(static_cast<double>(value), 'f', 2);
}

} // namespace

std::optional<PrinterOffset> offsetForMeasuredShift(long double shiftX, long double shiftY)
{
    const auto sane = [](long double v) { return std::isfinite(v) && std::fabs(v) <= kLargestPrinterShift; };
    if (!sane(shiftX) || !sane(shiftY))
        return std::nullopt;
    return PrinterOffset{-shiftX, -shiftY};
}

std::optional<long double> readMillimetres(const QString& text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

PrinterOffset readPrinterOffset(const QString& iniPath, const QString& printer)
{
    const QStringList parts = IniFile::read(iniPath).value(kSection, keyOf(printer)).split(u';');
    if (parts.size() != 2)
        return {};
    const auto x = readMillimetres(parts[0]);
    const auto y = readMillimetres(parts[1]);
    // A hand-edited value beyond any printer's error is ignored rather than obeyed.
    if (!x || !y || std::fabs(*x) > kLargestPrinterShift || std::fabs(*y) > kLargestPrinterShift)
        return {};
    return {*x, *y};
}

void writePrinterOffset(const QString& iniPath, const QString& printer, const PrinterOffset& offset)
{
    IniFile ini = IniFile::readForUpdate(iniPath);
    ini.setValue(kSection, keyOf(printer), millimetres(offset.x) + u';' + millimetres(offset.y));
    ini.write(iniPath);
}

void applyPrinterCalibration(PrintOptions& options, const PrintTarget& target, const QString& iniPath)
{
    if (!target.IsPhysicalPrinter())
        return;
    // The printer's own error, measured on its calibration page.
    const PrinterOffset offset = readPrinterOffset(iniPath, target.PrinterName());
    options.shiftX = offset.lengthX();
    options.shiftY = offset.lengthY();
}

} // namespace korbena
