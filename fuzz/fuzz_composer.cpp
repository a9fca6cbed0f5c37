// A label style and a data list made from the fuzz bytes (any lengths, counts,
// offsets and pitches, not-a-number, infinities, negative and huge values, empty or
// odd fonts and sizes, any page, zoom and resolution) composed as a preview page and
// as a printer page: no crash, no sanitizer report, and every file the composer
// leaves lies in DataFolder/barimage and is named barcode_NNN.bmp.
#include "FuzzSupport.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <memory>

namespace {

using namespace korbena;

// The folders of every run: DataFolder, InstallFolder (with a stand-in image for the
// fallback) and nothing else under the root.
struct Folders
{
    QTemporaryDir root;
    QString data = root.filePath(QStringLiteral("data"));
    QString install = root.filePath(QStringLiteral("install"));

    Folders()
    {
        QDir().mkpath(install + QStringLiteral("/barimage"));
        QImage standIn(30, 10, QImage::Format_RGB32);
        standIn.fill(Qt::black);
        standIn.save(install + QStringLiteral("/barimage/barcode_000.bmp"), "BMP");
    }
};

Folders& folders()
{
    static Folders f;
    return f;
}

Extended number(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return std::numeric_limits<Extended>::quiet_NaN();
    case 1:
        return std::numeric_limits<Extended>::infinity();
    case 2:
        return -std::numeric_limits<Extended>::infinity();
    case 3:
        return std::numeric_limits<Extended>::max();
    case 4:
        return -std::numeric_limits<Extended>::max();
    case 5:
        return in.ConsumeFloatingPoint<double>();
    case 6:
        return in.ConsumeIntegralInRange(-100000, 100000) / 10000.0L;
    default:
        return in.ConsumeIntegralInRange(-400, 400) / 10.0L;
    }
}

QString text(FuzzedDataProvider& in, std::size_t max)
{
    const std::string bytes = in.ConsumeRandomLengthString(max);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString pointSize(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return text(in, 12);
    return QString::number(in.ConsumeIntegralInRange(-2000, 2000));
}

LabelStyle style(FuzzedDataProvider& in)
{
    LabelStyle s;
    for (Extended* field :
         {&s.placement.x,       &s.placement.y,  &s.placement.width, &s.placement.height, &s.sheet.across,
          &s.sheet.down,        &s.sheet.pitchX, &s.sheet.pitchY,    &s.sheet.offsetX,    &s.sheet.offsetY,
          &s.title.x,           &s.title.y,      &s.title.shadowX,   &s.title.shadowY,    &s.title.pitch,
          &s.title.secondLineY, &s.number.x,     &s.number.y,        &s.number.shadowX,   &s.number.shadowY,
          &s.number.pitch})
        *field = number(in);
    s.placement.sizeMode = in.ConsumeIntegral<std::int32_t>();
    s.title.fontName = text(in, 16);
    s.title.fontStyle = in.PickValueInArray({QString(), QStringLiteral("太字"), QStringLiteral("斜体"),
                                             QStringLiteral("太字斜体"), QStringLiteral("x")});
    s.title.fontSize = pointSize(in);
    s.title.color = in.ConsumeIntegral<TColor>();
    s.title.shadowColor = in.ConsumeIntegral<TColor>();
    setStyleValue(s, StyleField::TitleVertical, in.ConsumeIntegralInRange(-1, 2));
    s.title.printed = in.ConsumeBool();
    s.title.centred = in.ConsumeBool();
    s.number.fontName = text(in, 16);
    s.number.fontStyle = text(in, 8);
    s.number.fontSize = pointSize(in);
    s.number.color = in.ConsumeIntegral<TColor>();
    s.number.shadowColor = in.ConsumeIntegral<TColor>();
    setStyleValue(s, StyleField::NumberVertical, in.ConsumeIntegralInRange(-1, 2));
    s.number.printed = in.ConsumeBool();
    s.number.centred = in.ConsumeBool();
    setStyleValue(s, StyleField::Symbology, in.ConsumeIntegralInRange(-2, 13));
    s.symbol.startChar = text(in, 2);
    s.symbol.stopChar = text(in, 2);
    setStyleValue(s, StyleField::CheckDigit, in.ConsumeIntegralInRange(-1, 2));
    return s;
}

DataList dataRows(FuzzedDataProvider& in)
{
    DataList rows;
    rows.SetRowCount(in.ConsumeIntegralInRange<long long>(-5, 3000));
    const int writes = in.ConsumeIntegralInRange(0, 80);
    for (int w = 0; w < writes; ++w) {
        const int row = in.ConsumeIntegralInRange(-2, 3000);
        rows.setTitle(row, text(in, 80));
        rows.setNumber(row, text(in, 24));
    }
    return rows;
}

DeviceMetrics metrics(FuzzedDataProvider& in)
{
    // Sized so that a preview stays within tens of megabytes; the composer's own
    // bounds are exercised by the printer page's resolutions.
    DeviceMetrics m;
    m.screenDpiX = in.ConsumeIntegralInRange(-10, 120);
    m.screenDpiY = in.ConsumeIntegralInRange(-10, 120);
    m.printerDpiX = in.ConsumeIntegral<int>();
    m.printerDpiY = in.ConsumeIntegral<int>();
    m.paperWidth = in.ConsumeIntegralInRange(-100, 420);
    m.paperHeight = in.ConsumeIntegralInRange(-100, 420);
    m.offsetX = in.ConsumeIntegralInRange(-100, 420);
    m.offsetY = in.ConsumeIntegralInRange(-100, 420);
    m.printableWidth = in.ConsumeIntegralInRange(-100, 420);
    m.printableHeight = in.ConsumeIntegralInRange(-100, 420);
    return m;
}

// Every file under the root is the stand-in or a label image in DataFolder/barimage.
void checkWrittenFiles(const Folders& f)
{
    static const QRegularExpression labelImage(QStringLiteral("^barcode_[0-9]{3,}\\.bmp$"));
    QDirIterator it(f.root.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (file.absoluteFilePath() == f.install + QStringLiteral("/barimage/barcode_000.bmp"))
            continue;
        if (file.absolutePath() != f.data + QStringLiteral("/barimage") ||
            !labelImage.match(file.fileName()).hasMatch())
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korbena::fuzz::application();
    Folders& f = folders();
    FuzzedDataProvider in(data, size);
    const LabelStyle s = style(in);
    const DataList rows = dataRows(in);
    const DeviceMetrics m = metrics(in);
    const int page = in.ConsumeIntegral<int>();
    const int zoom = in.ConsumeIntegral<int>();
    const int dpiX = in.ConsumeIntegral<int>();
    const int dpiY = in.ConsumeIntegral<int>();

    PageComposer composer(f.data);
    const PreviewPage preview = composer.composePreview(s, rows, m, page, zoom);
    if (preview.image.isNull() || preview.result.page < 1)
        __builtin_trap();

    QImage paper(320, 240, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        Canvas canvas(&paper);
        const PageResult printed =
            composer.compose(canvas, s, rows, m, {page, SurfaceKind::Printer, dpiX, dpiY, 100});
        if (printed.cellsPerPage < 0 || printed.cellsDrawn > printed.cellsPerPage)
            __builtin_trap();
    }
    checkWrittenFiles(f);
    return 0;
}
