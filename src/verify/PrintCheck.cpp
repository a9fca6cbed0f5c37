#include "verify/PrintCheck.h"

#include "sheet/PageComposer.h"
#include "sheet/PrintJob.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"
#include "symbol/Gs1.h"
#include "symbol/MainBarImage.h"
#include "verify/ExpectedReading.h"
#include "verify/SymbolReader.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

namespace korbena {

namespace {

// The quiet zone a reader needs beside the bars, in modules: ten is what ISO/IEC
// 15417, 16388 and 16390 ask, and more than EAN/UPC's seven to eleven.
constexpr int kQuietZoneModules = 10;
// The bar length the check draws, in pixels.
constexpr int kBarLength = 8;

// A CODE-128 text shows its symbology identifier when it marks GS1 or AI data.
QString shown(const QString& text, const QString& identifier)
{
    QString out = visibleText(text);
    if (!identifier.isEmpty() && identifier != u"]C0")
        out.prepend(identifier);
    return out;
}

// Draws a row's code and reads the symbol back; nothing when it reads as the row's number.
std::optional<RowVerdict> drawAndRead(BarImage& bar, SymbolReader& reader, int quietZone, const QString& code,
                                      RowCheck& check)
{
    bar.SetCode(code);
    const Bitmap* bitmap = bar.Picture().bitmap();
    if (!bitmap || bitmap->Empty()) {
        check.fault = checkDigitFault(bar.BarType(), code);
        if (carriesGs1(bar.BarType(), bar.MatrixSettings()))
            check.detail = gs1Problem(code);
        return RowVerdict::NotEncodable;
    }
    // The label of a row without a title gets no barcode, so there is nothing to read.
    if (check.title.isEmpty())
        return RowVerdict::NoTitle;
    const ExpectedReading expected = expectedReading(bar);
    if (expected.kind != ExpectedReading::Kind::Readable)
        return expected.kind == ExpectedReading::Kind::UnreadableType ? RowVerdict::TypeNotChecked
                                                                      : RowVerdict::DataNotChecked;
    check.expected = shown(expected.text, expected.identifier);
    const std::optional<Reading> reading = reader.read(bitmap->image(), expected.format, quietZone);
    if (!reading)
        return RowVerdict::Unreadable;
    if (reading->text != expected.text ||
        (!expected.identifier.isEmpty() && reading->identifier != expected.identifier)) {
        check.read = shown(reading->text, expected.identifier.isEmpty() ? QString() : reading->identifier);
        return RowVerdict::Mismatch;
    }
    return std::nullopt;
}

// The elements of a row's label that run outside its cell. The barcode's size comes
// from the style where it sets both lengths; otherwise from the symbol drawn at the
// height the composer draws it, not the check's short bars.
LabelElements outsideOfLabel(const LabelStyle& style, const LabelFrame& frame, const RowCheck& check,
                             const BarImage& bar, std::unique_ptr<BarImage>& tall)
{
    if (frame.width <= 0 || frame.height <= 0)
        return {};
    LabelPicture picture{{}, bar.Scale()};
    const QString code = labelCode(check.number);
    const Bitmap* bitmap = bar.Picture().bitmap();
    if (!code.isEmpty() && check.verdict != RowVerdict::NotEncodable && bitmap && !bitmap->Empty()) {
        picture.size = bitmap->image().size();
        if (drawnSizeFollowsPicture(style)) {
            if (!tall) {
                tall = std::make_unique<BarImage>();
                configureMainWindowBarImage(*tall);
                configureLabelSymbol(*tall, style);
            }
            tall->SetCode(code);
            const Bitmap* drawn = tall->Picture().bitmap();
            picture.size = drawn ? drawn->image().size() : QSize();
        }
    }
    return elementsOutside(style, frame, check.title, check.number, picture);
}

} // namespace

PrintCheckReport verifyRows(const LabelStyle& style, const DataList& rows, const PrintCheckOptions& options)
{
    PrintCheckReport report;
    BarImage bar;
    configureMainWindowBarImage(bar);
    configureLabelSymbol(bar, style);
    // Short bars draw a twelfth of the pixels; across the bars, where a reader looks,
    // the symbol is the printed one to the pixel.
    bar.SetBarHeight(kBarLength);
    report.symbology = barTypeName(bar.BarType());
    if (cellsPerPage(style) <= 0) {
        report.refusal = noCellsMessage();
        return report;
    }
    const int cells = cellsPerPage(style);
    const std::int64_t blanks = heldStartLabel(options.startLabel, cells) - 1;
    const LabelPlaces places(style, options.area);
    SymbolReader reader;
    const int quietZone = kQuietZoneModules * std::max(1, bar.Scale());
    std::unique_ptr<BarImage> tall;
    for (const int k : printedRows(style, rows, options.startLabel)) {
        RowCheck check;
        check.row = k;
        check.title = rows.title(k);
        check.number = rows.number(k);
        check.fullWidth = containsFullWidth(check.number);
        ++report.checked;
        if (!places.cellOnPage((k - 1 + blanks) % cells)) {
            check.verdict = RowVerdict::OffPaper;
            report.problems.push_back(std::move(check));
            continue;
        }
        const QString code = labelCode(check.number);
        const std::optional<RowVerdict> verdict =
            code.isEmpty() ? RowVerdict::NoNumber : drawAndRead(bar, reader, quietZone, code, check);
        check.verdict = verdict.value_or(RowVerdict::Verified);
        check.outside = outsideOfLabel(style, options.label, check, bar, tall);
        if (!verdict)
            ++report.verified;
        if (!verdict && check.outside.any())
            check.verdict = RowVerdict::Outside;
        if (check.verdict != RowVerdict::Verified)
            report.problems.push_back(std::move(check));
    }
    for (const DataRow& row : options.unshownRows) {
        ++report.checked;
        RowCheck check;
        check.row = row.row;
        check.title = row.title;
        check.number = row.number;
        check.verdict = RowVerdict::NotPrinted;
        report.problems.push_back(std::move(check));
    }
    return report;
}

} // namespace korbena
