#include "cli/BarcodeCommand.h"

#include "symbol/BarImage.h"
#include "symbol/Gs1.h"
#include "symbol/MainBarImage.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

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

std::optional<int> parseInt(const QString& value, int low, int high)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

// Parses the arguments; on a fault returns the message to print before the usage.
std::optional<QString> parse(const QStringList& args, Options& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == u"--json") {
            o.json = true;
            continue;
        }
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString& value = args[++i];
        auto bad = [&] { return QStringLiteral("bad value for %1: '%2'").arg(name, value); };
        auto onOff = [&](std::optional<bool>& field) -> bool {
            field = parseOnOff(value);
            return field.has_value();
        };
        auto number = [&](std::optional<int>& field, int low, int high) -> bool {
            field = parseInt(value, low, high);
            return field.has_value();
        };
        auto letter = [&](std::optional<QChar>& field) -> bool {
            if (value.size() != 1)
                return false;
            field = value[0];
            return true;
        };
        bool ok = true;
        if (name == u"--type") {
            o.type = barTypeFromName(value);
            ok = o.type.has_value();
        } else if (name == u"--code") {
            o.code = value;
        } else if (name == u"--cd") {
            ok = onOff(o.cd);
        } else if (name == u"--start") {
            ok = letter(o.start);
        } else if (name == u"--stop") {
            ok = letter(o.stop);
        } else if (name == u"--auto") {
            ok = onOff(o.automatic);
        } else if (name == u"--scale") {
            ok = number(o.scale, 1, 10);
        } else if (name == u"--ratio") {
            ok = number(o.ratio, 20, 30);
        } else if (name == u"--height") {
            ok = number(o.height, 0, 10000);
        } else if (name == u"--text") {
            ok = onOff(o.text);
        } else if (name == u"--match") {
            ok = onOff(o.match);
        } else if (name == u"--angle") {
            ok = number(o.angle, 0, 270) && *o.angle % 90 == 0;
        } else if (name == u"--mirror") {
            ok = onOff(o.mirror);
        } else if (name == u"--frame") {
            ok = number(o.frame, 0, 100);
        } else if (name == u"--ecc") {
            const int level = QStringLiteral("LMQH").indexOf(value);
            ok = value.size() == 1 && level >= 0;
            o.matrix.errorCorrection = static_cast<QrErrorCorrection>(std::max(0, level));
        } else if (name == u"--shape") {
            ok = value == u"square" || value == u"rect";
            o.matrix.shape = value == u"rect" ? DataMatrixShape::Rectangle : DataMatrixShape::Square;
        } else if (name == u"--gs1") {
            std::optional<bool> gs1;
            ok = onOff(gs1);
            o.matrix.gs1 = gs1.value_or(false);
        } else if (name == u"--out") {
            o.out = value;
            const QString suffix = QFileInfo(value).suffix().toLower();
            ok = suffix == u"png" || suffix == u"bmp" || suffix == u"svg";
        } else {
            return QStringLiteral("unknown option %1").arg(name);
        }
        if (!ok)
            return bad();
    }
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !bitmap->image().save(&file, "PNG") || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int runBarcode(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options o;
    if (const auto fault = parse(args, o)) {
        std::fprintf(err, "korbena-cli barcode: %s\n%s", qPrintable(*fault), kBarcodeUsage);
        return 2;
    }

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
        std::fprintf(err, "korbena-cli barcode: cannot encode %s code '%s'\n",
                     qPrintable(barTypeName(*o.type)), qPrintable(*o.code));
        // A GS1 string says which identifier is wrong.
        if (*o.type == cbarGS1_128 || (o.matrix.gs1 && (*o.type == cbarQR || *o.type == cbarDATAMATRIX)))
            if (const QString problem = gs1Problem(*o.code); !problem.isEmpty())
                std::fprintf(err, "korbena-cli barcode: %s\n", qPrintable(problem));
        return 1;
    }
    if (!o.out.isEmpty()) {
        QString error;
        if (!writePicture(bar, o.out, error)) {
            std::fprintf(err, "korbena-cli barcode: cannot write %s: %s\n", qPrintable(o.out),
                         qPrintable(error));
            return 1;
        }
    }
    return 0;
}

} // namespace korbena::cli
