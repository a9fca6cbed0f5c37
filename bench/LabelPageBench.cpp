// The parts of a printed label page besides the symbol itself, each against the way
// it was done before:
// - the label image files: 6,500 symbol pictures (a print of 100 pages of 65 labels)
//   into the 65 files of a page, each written in turn as the composer once did
//   (removing the old file first, or renaming over it), or handed to the writer
//   thread and waited for once at the end; "caller_us/label" is what the composer
//   spends, "files/label" how many files were written for each picture;
// - a 65-label page of symbol pictures into a PDF, whole or as their repeated first
//   row;
// - the title and number texts of a 65-label page into a PDF, centred, with the
//   fonts looked up per text or kept for the page.
#include "platform/Canvas.h"
#include "sheet/LabelImageWriter.h"
#include "sheet/LabelText.h"
#include "sheet/PrintTarget.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace korbena;

constexpr int kLabelsPerPage = 65;

// A one-bit 500 x 105 picture of bars, different for every `seed`, every row alike.
QImage barPicture(int seed)
{
    QImage picture(500, 105, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(1);
    unsigned state = 2654435761u * static_cast<unsigned>(seed + 1);
    for (int x = 50; x < 450; x += 5) {
        state = state * 1103515245u + 12345u;
        if ((state >> 16) & 1)
            for (int y = 0; y < picture.height(); ++y)
                for (int dx = 0; dx < 5; ++dx)
                    picture.setPixel(x + dx, y, 0);
    }
    return picture;
}

std::vector<QImage> pictures(int count)
{
    std::vector<QImage> all;
    for (int i = 0; i < count; ++i)
        all.push_back(barPicture(i));
    return all;
}

// Argument: 0 each file written in turn, the old file removed first; 1 the same,
// renamed over the old file; 2 handed to the writer, waited for at the end.
void BM_LabelImageFiles(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    constexpr int kLabels = 6500;
    const std::vector<QImage> distinct = pictures(997);
    QTemporaryDir folder;
    AtomicWriteOptions options = LabelImageWriter::labelImageWriteOptions();
    options.removeTargetFirst = mode != 1;
    LabelImageWriter writer(options);
    double callerSeconds = 0;
    long long files = 0;
    for (auto _ : state) {
        const long long before = writer.filesDone();
        QElapsedTimer caller;
        caller.start();
        for (int i = 0; i < kLabels; ++i) {
            const QString path = folder.filePath(
                QStringLiteral("barcode_%1.bmp").arg(i % kLabelsPerPage, 3, 10, QLatin1Char('0')));
            const QImage& picture = distinct[static_cast<std::size_t>(i) % distinct.size()];
            QString error;
            if (mode == 2)
                writer.write(path, picture);
            else if (writeImageAtomically(path, picture, "BMP", error, options))
                ++files;
            else
                state.SkipWithError("a file could not be written");
        }
        callerSeconds += static_cast<double>(caller.nsecsElapsed()) / 1e9;
        if (!writer.finish().isEmpty())
            state.SkipWithError("a file could not be written");
        files += writer.filesDone() - before;
    }
    const double labels = static_cast<double>(state.iterations()) * kLabels;
    state.counters["labels/s"] = benchmark::Counter(labels, benchmark::Counter::kIsRate);
    state.counters["caller_us/label"] = callerSeconds * 1e6 / labels;
    state.counters["files/label"] = static_cast<double>(files) / labels;
}
BENCHMARK(BM_LabelImageFiles)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument: 0 the whole picture, 1 its first row stretched to the height (what the
// canvas does with a picture whose rows repeat).
void BM_PdfLabelPictures(benchmark::State& state)
{
    const bool firstRow = state.range(0) == 1;
    const std::vector<QImage> page = pictures(kLabelsPerPage);
    QTemporaryDir folder;
    for (auto _ : state) {
        PdfFileTarget pdf(folder.filePath(QStringLiteral("pictures.pdf")));
        if (!pdf.BeginDocument()) {
            state.SkipWithError("no PDF");
            return;
        }
        Canvas& canvas = *pdf.canvas();
        canvas.painter().setRenderHint(QPainter::LosslessImageRendering, true);
        for (int i = 0; i < kLabelsPerPage; ++i) {
            const QRect at(100 + (i % 5) * 960, 300 + (i / 5) * 500, 756, 260);
            if (firstRow)
                canvas.StretchDraw({at.left(), at.top(), at.right() + 1, at.bottom() + 1}, page[i]);
            else
                canvas.painter().drawImage(at, page[i]);
        }
        pdf.EndDocument();
    }
    state.counters["labels/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kLabelsPerPage,
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfLabelPictures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Argument: 0 every centred text looks its font up, 1 the page keeps its fonts.
void BM_PdfLabelTexts(benchmark::State& state)
{
    const bool kept = state.range(0) == 1;
    QTemporaryDir folder;
    LabelTextContext context;
    context.kind = SurfaceKind::Printer;
    context.transform.scaleX = context.transform.scaleY = SheetScale::fromDpi(600);
    context.centreBox = SheetLength::fromMillimetres(32);
    context.titleCentre = context.numberCentre = true;
    const LabelFont title{QStringLiteral("ＭＳ Ｐゴシック"), 6, {true, false}};
    const LabelFont number{QStringLiteral("ＭＳ ゴシック"), 6, {}};
    int serial = 0;
    for (auto _ : state) {
        PdfFileTarget pdf(folder.filePath(QStringLiteral("texts.pdf")));
        if (!pdf.BeginDocument()) {
            state.SkipWithError("no PDF");
            return;
        }
        context.measure = kept ? std::make_shared<TextMeasure>() : nullptr;
        for (int i = 0; i < kLabelsPerPage; ++i, ++serial) {
            const SheetLength x = SheetLength::fromMillimetres(7.8 + (i % 5) * 40.6);
            const SheetLength y = SheetLength::fromMillimetres(11.9 + (i / 5) * 21.2);
            DrawLabelText(*pdf.canvas(), context, QStringLiteral("Label %1").arg(serial), TextRole::Title,
                          title, clBlack, x, y, 0, {});
            DrawLabelText(*pdf.canvas(), context, QString::number(4900000000000LL + serial),
                          TextRole::BarcodeNumber, number, clBlack, x, y + SheetLength::fromMillimetres(14.6),
                          0, {});
        }
        pdf.EndDocument();
    }
    state.counters["labels/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kLabelsPerPage,
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfLabelTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
