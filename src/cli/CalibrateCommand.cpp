#include "cli/CalibrateCommand.h"

#include "platform/Error.h"
#include "platform/Folders.h"
#include "print/PrinterTarget.h"
#include "session/PrinterCalibration.h"
#include "session/WindowSettings.h"
#include "sheet/CalibrationPage.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/SheetDocuments.h"

#include <QPrinterInfo>

#include <memory>
#include <optional>

namespace korbena::cli {

const char* const kCalibrateUsage =
    "usage: korbena-cli calibrate --printer NAME [--out page.pdf]\n"
    "       korbena-cli calibrate --printer NAME --measured-shift X,Y\n"
    "       prints the calibration page on the printer, or with --out writes it to a PDF file on A4\n"
    "       paper, to print from elsewhere without scaling. Measure where the crosshair's\n"
    "       centre landed and give the shift in millimetres (measured less intended, right and down\n"
    "       positive, up to 50 mm): every later print --printer NAME is moved back by it.\n"
    "exit status: 0 done; 1 the printer, the page or the settings file failed; 2 bad arguments\n";

namespace {

constexpr int kA4PaperCode = 9;

void writeLine(std::FILE* stream, const QString& text)
{
    // Every byte, a NUL in a title included.
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

struct Options
{
    QString printer, out;
    std::optional<PrinterOffset> offset;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (i + 1 >= args.size() || args[i + 1].isEmpty())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString& value = args[++i];
        if (name == u"--printer") {
            o.printer = value;
        } else if (name == u"--out") {
            o.out = value;
        } else if (name == u"--measured-shift") {
            const QStringList parts = value.split(u',');
            const auto x = parts.size() == 2 ? readMillimetres(parts[0]) : std::nullopt;
            const auto y = parts.size() == 2 ? readMillimetres(parts[1]) : std::nullopt;
            o.offset = x && y ? offsetForMeasuredShift(*x, *y) : std::nullopt;
            if (!o.offset)
                return QStringLiteral("bad value for --measured-shift: '%1' (X,Y in mm, up to 50)")
                    .arg(value);
        } else {
            return QStringLiteral("unknown option '%1'").arg(name);
        }
    }
    if (o.printer.isEmpty())
        return QStringLiteral("--printer NAME is needed");
    if (o.offset && !o.out.isEmpty())
        return QStringLiteral("--out and --measured-shift exclude each other");
    return std::nullopt;
}

} // namespace

QString settingsFilePath()
{
    return DataFolder() + QStringLiteral("/conf/") + QString::fromUtf16(kSettingsFileName);
}

int runCalibrate(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options o;
    if (const auto fault = parse(args, o)) {
        writeLine(err, QStringLiteral("korbena-cli calibrate: ") + *fault);
        std::fputs(kCalibrateUsage, err);
        return 2;
    }
    if (o.offset) {
        try {
            PrepareDataFolder(DataFolder(), InstallFolder());
            writePrinterOffset(settingsFilePath(), o.printer, *o.offset);
        } catch (const Error& e) {
            writeLine(err, QStringLiteral("korbena-cli calibrate: ") + e.message() + u' ' + e.detail());
            return 1;
        }
        writeLine(out, QStringLiteral("印刷位置の補正を保存しました: %1 X %2 mm, Y %3 mm")
                           .arg(o.printer)
                           .arg(static_cast<double>(o.offset->x), 0, 'f', 2)
                           .arg(static_cast<double>(o.offset->y), 0, 'f', 2));
        return 0;
    }

    const QPrinterInfo info = QPrinterInfo::printerInfo(o.printer);
    std::unique_ptr<PrintTarget> target;
    if (!o.out.isEmpty()) {
        target = std::make_unique<PdfFileTarget>(o.out);
        target->SetPaper(kA4PaperCode, PaperOrientation::Portrait);
    } else {
        if (info.isNull()) {
            writeLine(err, QStringLiteral("korbena-cli calibrate: no printer named '%1'").arg(o.printer));
            return 1;
        }
        target = std::make_unique<PrinterTarget>(info);
    }
    const DeviceMetrics metrics = ReadDeviceMetrics(*target, screenDpiX(), screenDpiY());
    const QString error = printCalibrationPage(*target, metrics);
    if (!error.isEmpty()) {
        writeLine(err, QStringLiteral("korbena-cli calibrate: ") + error);
        return 1;
    }
    const CalibrationMark mark = calibrationMark(metrics);
    writeLine(out,
              QStringLiteral("calibration page written to %1: the crosshair's centre belongs %2 mm from the "
                             "paper's left edge and %3 mm from its top edge")
                  .arg(o.out.isEmpty() ? o.printer : o.out)
                  .arg(mark.fromLeft)
                  .arg(mark.fromTop));
    return 0;
}

} // namespace korbena::cli
