#include "cli/BarcodeCommand.h"

#include "cli/CommandLine.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"
#include "symbol/Gs1.h"
#include "symbol/MainBarImage.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace korbena::cli {

const char* const kBarcodeUsage =
    "usage: korbena-cli barcode --type T --code TEXT [--cd on|off] [--start C] [--stop C] [--auto on|off]\n"
    "       [--scale N] [--ratio R] [--height H] [--text on|off] [--match on|off] [--angle A]\n"
    "       [--mirror on|off] [--frame F] [--out FILE.png|FILE.bmp|FILE.svg] [--json]\n"
    "       [--ecc L|M|Q|H] [--shape square|rect] [--gs1 on|off]\n"
    "       T: JAN UPC CODE-39 NW-7 ITF CTF IATA MATRIX NEC CUSTOMER CODE-128 CODE-93\n"
    "          QR DATAMATRIX PDF417 GS1-128\n"
    "       --ecc: QR error correction (default M); --shape: DataMatrix square or rectangular;\n"
    "       --gs1: QR or DataMatrix data is a GS1 string \"(01)04912345678904(10)LOT1\"\n"
    "       (GS1-128 data always is); --scale is the module size in pixels\n"
    "exit status: 0 a symbol was drawn (and written); 1 the code cannot be encoded or the picture\n"
    "       not written; 2 bad arguments\n";

namespace {

struct Options
{
    std::optional<TBarTypes> type;
    std::optional<QString> code;
    std::optional<bool> cd, automatic, text, match, mirror;
    std::optional<QChar> start, stop;
    std::optional<int> scale, ratio, height, angle, frame;
    QString out;
    bool json = false;
    MatrixOptions matrix;
};

bool isSvg(const QString& path)
{
    return QFileInfo(path).suffix().toLower() == u"svg";
}

std::optional<bool> parseOnOff(const QString& value)
{
    if (value == u"on")
        return true;
    if (value == u"off")
        return false;
    return std::nullopt;
}

// Reads one option with its value into the options; false when the value is bad.
std::optional<bool> readOption(const QString& name, const QString& value, Options& o)
{
    auto onOff = [&](std::optional<bool>& field) {
        field = parseOnOff(value);
        return field.has_value();
    };
    auto number = [&](std::optional<int>& field, int low, int high) {
        field = parseInt(value, low, high);
        return field.has_value();
    };
    auto letter = [&](std::optional<QChar>& field) {
        if (value.size() != 1)
            return false;
        field = value[0];
        return true;
    };
    if (name == u"--type") {
        o.type = barTypeFromName(value);
        return o.type.has_value();
    }
    if (name == u"--code") {
        o.code = value;
        return true;
    }
    if (name == u"--out") {
        o.out = value;
        const QString suffix = QFileInfo(value).suffix().toLower();
        return suffix == u"png" || suffix == u"bmp" || suffix == u"svg";
    }
    if (name == u"--angle")
        return number(o.angle, 0, 270) && *o.angle % 90 == 0;
    if (name == u"--ecc") {
        const int level = static_cast<int>(QStringLiteral("LMQH").indexOf(value));
        o.matrix.errorCorrection = static_cast<QrErrorCorrection>(std::max(0, level));
        return value.size() == 1 && level >= 0;
    }
    if (name == u"--shape") {
        o.matrix.shape = value == u"rect" ? DataMatrixShape::Rectangle : DataMatrixShape::Square;
        return value == u"square" || value == u"rect";
    }
    if (name == u"--gs1") {
        std::optional<bool> gs1;
        const bool ok = onOff(gs1);
        o.matrix.gs1 = gs1.value_or(false);
        return ok;
    }
    if (name == u"--start" || name == u"--stop")
        return letter(name == u"--start" ? o.start : o.stop);
    const std::pair<const char16_t*, std::optional<bool>*> switches[] = {
        {u"--cd", &o.cd},       {u"--auto", &o.automatic}, {u"--text", &o.text},
        {u"--match", &o.match}, {u"--mirror", &o.mirror},
    };
    for (const auto& [option, field] : switches) {
        if (name == option)
            return onOff(*field);
    }
    struct Range
    {
        const char16_t* option;
        std::optional<int>* field;
        int low, high;
    };
    const Range numbers[] = {
        {u"--scale", &o.scale, 1, 10},
        {u"--ratio", &o.ratio, 20, 30},
        {u"--height", &o.height, 0, 10000},
        {u"--frame", &o.frame, 0, 100},
    };
    for (const Range& range : numbers) {
        if (name == range.option)
            return number(*range.field, range.low, range.high);
    }
    return std::nullopt;
}

// Parses the arguments; on a fault returns the message to print before the usage.
std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.emptyValues = true;
    rules.alone = [&o](const QString& name, std::optional<QString>&) {
        o.json = o.json || name == u"--json";
        return name == u"--json";
    };
    rules.withValue = [&o](const QString& name, const QString& value) -> std::optional<QString> {
        const std::optional<bool> ok = readOption(name, value, o);
        if (!ok)
            return QStringLiteral("unknown option %1").arg(name);
        return *ok ? std::nullopt : std::optional<QString>(badValue(name, value));
    };
    if (auto fault = readOptions(args, rules))
        return fault;
    if (!o.type)
        return QStringLiteral("--type is required");
    if (!o.code)
        return QStringLiteral("--code is required");
    // A vector picture is sized to the symbol, which only Match does.
    if (isSvg(o.out) && o.match == false)
        return QStringLiteral("--out FILE.svg needs --match on");
    return std::nullopt;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString& error)
{
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileError& e) {
        error = e.message();
        return false;
    }
    return true;
}

bool writePicture(const BarImage& bar, const QString& path, QString& error)
{
    if (isSvg(path)) {
        const Metafile* metafile = bar.Picture().metafile();
        if (metafile == nullptr) {
            error = QStringLiteral("no vector picture to write");
            return false;
        }
        return writeFile(path, metafile->svg, error);
    }
    const Bitmap* bitmap = bar.Picture().bitmap();
    if (bitmap == nullptr || bitmap->Empty()) {
        error = QStringLiteral("no picture to write");
        return false;
    }
    if (QFileInfo(path).suffix().toLower() == u"bmp")
        return bitmap->SaveToFile(path, &error);
    return writeImageAtomically(path, bitmap->image(), "PNG", error);
}

} // namespace

int runBarcode(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options o;
    if (const auto fault = parse(args, o))
        return usageFault(err, "barcode", *fault, kBarcodeUsage);

    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetBarEnabled(false);
    bar.SetBarType(*o.type);
    if (o.cd)
        bar.SetCD(*o.cd);
    if (o.start)
        bar.SetStartChar(*o.start);
    if (o.stop)
        bar.SetStopChar(*o.stop);
    if (o.automatic)
        bar.SetAutomatic(*o.automatic);
    if (o.scale)
        bar.SetScale(*o.scale);
    if (o.ratio)
        bar.SetElementRatio(*o.ratio);
    if (o.height)
        bar.SetBarHeight(*o.height);
    if (o.text)
        bar.SetSymbolDisp(*o.text);
    if (o.match)
        bar.SetMatch(*o.match);
    if (o.angle)
        bar.SetAngle(*o.angle);
    if (o.mirror)
        bar.SetReverse(*o.mirror);
    if (o.frame)
        bar.SetBarFrame(*o.frame);
    bar.SetMatrixSettings(o.matrix);
    if (isSvg(o.out))
        bar.SetBarPicture(picEMF); // after Match: without it the picture stays a bitmap
    bar.SetCode(*o.code);
    bar.SetBarEnabled(true);

    if (o.json) {
        // A code that cannot be encoded leaves the component's earlier results in
        // place; they belong to no request of this command, so none is reported.
        const bool shown = bar.BarDisped();
        const QJsonObject json{
            {QStringLiteral("pattern"), shown ? bar.LastPattern() : QString()},
            {QStringLiteral("workSymbol"), shown ? bar.WorkSymbol() : QString()},
            {QStringLiteral("symbol"), shown ? bar.Symbol() : QString()},
            {QStringLiteral("cdn"), shown ? bar.CDN() : -1},
            {QStringLiteral("cdc"), shown ? bar.CDC() : QString()},
            {QStringLiteral("barWidth"), shown ? bar.BarWidth() : 0},
            {QStringLiteral("barHeight"), shown ? bar.BarHeight() : 0},
            {QStringLiteral("width"), shown ? bar.Width() : 0},
            {QStringLiteral("height"), shown ? bar.Height() : 0},
            {QStringLiteral("displayed"), shown},
        };
        std::fprintf(out, "%s\n", QJsonDocument(json).toJson(QJsonDocument::Compact).constData());
    }

    if (!bar.BarDisped()) {
        // A full JAN or UPC number with a wrong check digit: the right digit is said too.
        const QString fault = checkDigitFault(*o.type, *o.code);
        writeLine(err, QStringLiteral("korbena-cli barcode: cannot encode %1 code '%2'")
                               .arg(barTypeName(*o.type), *o.code) +
                           (fault.isEmpty() ? QString() : QStringLiteral(": ") + fault));
        // A GS1 string says which identifier is wrong.
        if (*o.type == cbarGS1_128 || (o.matrix.gs1 && (*o.type == cbarQR || *o.type == cbarDATAMATRIX)))
            if (const QString problem = gs1Problem(*o.code); !problem.isEmpty())
                writeLine(err, QStringLiteral("korbena-cli barcode: ") + problem);
        return 1;
    }
    if (!o.out.isEmpty()) {
        QString error;
        if (!writePicture(bar, o.out, error)) {
            writeLine(err, QStringLiteral("korbena-cli barcode: cannot write %1: %2").arg(o.out, error));
            return 1;
        }
    }
    return 0;
}

} // namespace korbena::cli
