#include "sheet/LabelExtents.h"

#include "platform/Fonts.h"
#include "sheet/LabelText.h"
#include "sheet/MatrixPlacement.h"
#include "sheet/PageComposer.h"
#include "sheet/PrintCheckReport.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"
#include "symbol/ModuleMatrix.h"

#include <QStringList>

#include <initializer_list>

namespace korbena {

namespace {

// Centred texts are measured at the screen's resolution, as the composer measures them
// when it has no screen to ask.
constexpr int kScreenDpi = 96;
// A device pixel either way is rounding, not a label running out.
constexpr int kTolerance = 1;

SheetLength mm(long double value)
{
    return SheetLength::fromMillimetres(value);
}

bool isMatrix(const LabelStyle& style)
{
    return style.symbol.symbology && isMatrixType(*style.symbol.symbology);
}

LabelTextContext printerContext(const LabelStyle& style, int dpi)
{
    LabelTextContext c;
    c.transform.scaleX = SheetScale::fromDpi(dpi);
    c.transform.scaleY = SheetScale::fromDpi(dpi);
    c.kind = SurfaceKind::Printer;
    c.screenDpiX = kScreenDpi;
    c.zoomPercent = 100;
    c.printerDpiY = dpi;
    c.centreBox = mm(style.placement.width);
    c.titleCentre = style.title.centred;
    c.numberCentre = style.number.centred;
    return c;
}

QRect textRect(const LabelTextContext& c, const QString& text, TextRole role, const TextBlock& block,
               SheetLength x, SheetLength y)
{
    const LabelFont font = labelFontOf(block);
    const FontSpec spec = labelFontSpec(c, font, clBlack);
    QRect r;
    for (const TextRun& run : labelTextRuns(c, text, role, font, x, y, writingKind(block), mm(block.pitch)))
        r |= QRect(run.at, QSize(textWidth(spec, run.text), textHeight(spec, run.text)));
    return r;
}

// A block's lines one below the other `lineGap` apart, each with its shadow where one
// is set, as the composer draws them.
QRect blockRect(const LabelTextContext& c, const TextBlock& block, TextRole role,
                std::initializer_list<const QString*> lines, SheetLength lineGap = {})
{
    const SheetLength x = mm(block.x);
    SheetLength y = mm(block.y);
    const SheetLength shadowX = mm(block.shadowX), shadowY = mm(block.shadowY);
    const bool shadow = shadowX != SheetLength() || shadowY != SheetLength();
    QRect r;
    for (const QString* line : lines) {
        if (shadow)
            r |= textRect(c, *line, role, block, x + shadowX, y + shadowY);
        r |= textRect(c, *line, role, block, x, y);
        y += lineGap;
    }
    return r;
}

QRect barcodeRect(const LabelStyle& style, const SheetTransform& transform, const LabelPicture& picture,
                  int dpi)
{
    if (picture.size.isEmpty())
        return {};
    ImageScaling scaling;
    scaling.kind = SurfaceKind::Printer;
    scaling.screenDpiX = kScreenDpi;
    scaling.screenDpiY = kScreenDpi;
    scaling.printerDpiX = dpi;
    scaling.printerDpiY = dpi;
    scaling.scaleX = transform.scaleX;
    scaling.scaleY = transform.scaleY;
    const SymbolPlacement& p = style.placement;
    const QPoint at = transform.toDevice(mm(p.x), mm(p.y));
    if (isMatrix(style))
        return matrixImageRect(scaling, picture.size, picture.unit, at, mm(p.width), mm(p.height), p.sizeMode,
                               labelModuleSize(style));
    const QSize size = labelImageSize(scaling, picture.size, mm(p.width), mm(p.height), p.sizeMode);
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    return {at, size};
}

bool outside(const QRect& r, const QRect& cell)
{
    if (r.isEmpty())
        return false;
    return r.left() < cell.left() - kTolerance || r.top() < cell.top() - kTolerance ||
           r.left() + r.width() > cell.left() + cell.width() + kTolerance ||
           r.top() + r.height() > cell.top() + cell.height() + kTolerance;
}

// The cell centred on what the style draws whatever the row: the barcode's box where
// the style sizes it, the texts' lines with one character.
LabelFrame centredFrame(const LabelStyle& style)
{
    const QString sample = QStringLiteral("0");
    const LabelExtents e = labelExtents(style, sample, sample, {QSize(1, 1), 1});
    const QRect box = e.barcode | e.title | e.number;
    const double perPixel = 25.4 / kExtentsDpi;
    const double width = static_cast<double>(style.sheet.pitchX);
    const double height = static_cast<double>(style.sheet.pitchY);
    const double centreX = (box.left() + box.width() / 2.0) * perPixel;
    const double centreY = (box.top() + box.height() / 2.0) * perPixel;
    return {centreX - width / 2, centreY - height / 2, width, height};
}

} // namespace

QString LabelElements::names() const
{
    QStringList names;
    if (barcode)
        names << QStringLiteral("バーコード");
    if (title)
        names << QStringLiteral("タイトル");
    if (number)
        names << QStringLiteral("番号");
    return names.join(u'、');
}

LabelExtents labelExtents(const LabelStyle& style, const QString& title, const QString& number,
                          const LabelPicture& picture, int dpi)
{
    const LabelTextContext c = printerContext(style, dpi);
    LabelExtents e;
    // As the cell pass draws them: the barcode of a titled row only, then the texts.
    if (!title.isEmpty())
        e.barcode = barcodeRect(style, c.transform, picture, dpi);
    if (style.title.printed && !title.isEmpty()) {
        const TitleLines lines = splitTitle(title);
        e.title = blockRect(c, style.title, TextRole::Title, {&lines.first, &lines.second},
                            mm(style.title.secondLineY));
    }
    if (style.number.printed && !labelCode(number).isEmpty()) {
        const QString shown = barcodeNumberText(style, number);
        e.number = blockRect(c, style.number, TextRole::BarcodeNumber, {&shown});
    }
    return e;
}

bool drawnSizeFollowsPicture(const LabelStyle& style)
{
    const SymbolPlacement& p = style.placement;
    return isMatrix(style) || p.sizeMode == 0 || p.width == 0 || p.height == 0;
}

LabelElements elementsOutside(const LabelStyle& style, const LabelFrame& frame, const QString& title,
                              const QString& number, const LabelPicture& picture)
{
    if (frame.width <= 0 || frame.height <= 0)
        return {};
    const SheetScale scale = SheetScale::fromDpi(kExtentsDpi);
    const int left = scale.toPixels(mm(frame.x));
    const int top = scale.toPixels(mm(frame.y));
    const QRect cell(left, top, scale.toPixels(mm(frame.x + frame.width)) - left,
                     scale.toPixels(mm(frame.y + frame.height)) - top);
    const LabelExtents e = labelExtents(style, title, number, picture);
    return {outside(e.barcode, cell), outside(e.title, cell), outside(e.number, cell)};
}

LabelFrame layoutFrame(const SheetLayout& layout, double offsetX, double offsetY)
{
    const SheetPoint first = firstLabelOnPrintableArea(layout, offsetX, offsetY);
    return {first.x, first.y, layout.pitchX, layout.pitchY};
}

std::optional<LabelFrame> stockLabelFrame(const LabelStyle& style, const std::vector<SheetLayout>& layouts,
                                          double offsetX, double offsetY)
{
    const double width = static_cast<double>(style.sheet.pitchX);
    const double height = static_cast<double>(style.sheet.pitchY);
    if (const auto first = firstLabelHolding(style, layouts, offsetX, offsetY))
        return LabelFrame{first->x, first->y, width, height};
    for (const SheetLayout& layout : layouts)
        if (sameSheetGrid(style, layout))
            return layoutFrame(layout, offsetX, offsetY);
    return std::nullopt;
}

LabelFrame labelFrameOf(const LabelStyle& style, const std::vector<SheetLayout>& layouts, double offsetX,
                        double offsetY)
{
    return stockLabelFrame(style, layouts, offsetX, offsetY).value_or(centredFrame(style));
}

bool layOutForStock(LabelStyle& style, const SheetLayout& layout, const std::vector<SheetLayout>& layouts,
                    double offsetX, double offsetY, bool fitContent)
{
    const LabelStyle before = style;
    const bool paperSet = applySheetLayout(
        style, layout, currentFirstLabel(before, layouts, offsetX, offsetY), offsetX, offsetY);
    if (fitContent) {
        LabelStyle fitted = before;
        fitLabelContent(fitted, labelFrameOf(before, layouts, offsetX, offsetY),
                        layoutFrame(layout, offsetX, offsetY));
        fitted.sheet = style.sheet;
        style = fitted;
    }
    return paperSet;
}

std::vector<RowOutside> rowsOutsideLabel(const LabelStyle& style, const DataList& rows,
                                         const LabelFrame& frame, int startLabel)
{
    std::vector<RowOutside> found;
    if (frame.width <= 0 || frame.height <= 0)
        return found;
    BarImage bar;
    configureMainWindowBarImage(bar);
    configureLabelSymbol(bar, style);
    // A barcode the style sizes is drawn at that size whatever its picture: no need to
    // render it (one that cannot be encoded is reported as such by the print).
    const bool render = drawnSizeFollowsPicture(style);
    for (const int k : printedRows(style, rows, startLabel)) {
        const QString title = rows.title(k);
        const QString number = rows.number(k);
        LabelPicture picture{{}, bar.Scale()};
        const QString code = labelCode(number);
        if (!title.isEmpty() && !code.isEmpty() && !render) {
            picture.size = QSize(1, 1);
        } else if (!title.isEmpty() && !code.isEmpty()) {
            bar.SetCode(code);
            if (const Bitmap* bitmap = bar.Picture().bitmap(); bitmap && !bitmap->Empty())
                picture.size = bitmap->image().size();
        }
        const LabelElements elements = elementsOutside(style, frame, title, number, picture);
        if (elements.any())
            found.push_back({k, elements});
    }
    return found;
}

} // namespace korbena
