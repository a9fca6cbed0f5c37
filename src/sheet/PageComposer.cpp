#include "sheet/PageComposer.h"

#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/MatrixPlacement.h"
#include "symbol/BarImage.h"
#include "symbol/CheckDigits.h"
#include "symbol/Encoders.h"
#include "symbol/MainBarImage.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

namespace korbena {

namespace {

constexpr int kTitleLineUnits = 30;
// Beyond this many cells without rows, their old files are found by listing the
// folder rather than by trying every name.
constexpr std::int64_t kTailRemoveByName = 4096;

struct CellRow
{
    bool exists = false;
    QString title;
    QString number;
};

// Row k of the data list; rows past its end are empty, and so is the heading row.
CellRow cellRow(const DataList& rows, std::int64_t k)
{
    if (k < 1 || k >= rows.RowCount())
        return {};
    const int row = static_cast<int>(k);
    return {true, rows.title(row), rows.number(row)};
}

bool isStartStopLetter(const QString& text)
{
    return text.size() == 1 && text[0] >= u'A' && text[0] <= u'D';
}

// A symbol is drawn in two colours; as a 1-bit bitmap its file is a 24th of the
// 24-bit one, which is most of what a composition spends on its files. A picture of
// more colours is kept as it is.
QImage compactForm(const QImage& picture)
{
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    if (width <= 0 || height <= 0)
        return rgb;
    const QRgb first = reinterpret_cast<const QRgb*>(rgb.constScanLine(0))[0];
    QRgb second = first;
    bool two = false;
    QImage mono(width, height, QImage::Format_Mono);
    const auto rowBytes = static_cast<std::size_t>(mono.bytesPerLine());
    const QRgb* previous = nullptr;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* bits = mono.scanLine(y);
        // Bars run the whole height, so most rows repeat the one above.
        if (previous && std::memcmp(line, previous, sizeof(QRgb) * static_cast<std::size_t>(width)) == 0) {
            std::memcpy(bits, mono.constScanLine(y - 1), rowBytes);
            continue;
        }
        std::fill(bits, bits + rowBytes, uchar(0));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            if (p == first)
                continue;
            if (!two) {
                second = p;
                two = true;
            } else if (p != second) {
                return rgb;
            }
            bits[x >> 3] |= uchar(0x80 >> (x & 7));
        }
        previous = line;
    }
    mono.setColorTable({first, second});
    return mono;
}

// A cell of a partly used sheet, on the preview: grey diagonal lines over the
// cell's pitch, so the user sees where printing starts.
void hatchUsedCell(Canvas& canvas, QPoint topLeft, QPoint bottomRight)
{
    const QRect cell(topLeft, bottomRight - QPoint(1, 1));
    if (cell.width() <= 0 || cell.height() <= 0)
        return;
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    constexpr int kStep = 8;
    for (int d = -cell.height(); d < cell.width(); d += kStep)
        painter.drawLine(cell.left() + d, cell.bottom(), cell.left() + d + cell.height(), cell.top());
    painter.drawRect(cell);
    painter.restore();
}

// The outline of a label cell on the preview, under the label's own drawing.
void outlineCell(Canvas& canvas, QPoint topLeft, QPoint bottomRight)
{
    const QRect cell(topLeft, bottomRight - QPoint(1, 1));
    if (cell.width() <= 0 || cell.height() <= 0)
        return;
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell);
    painter.restore();
}

// Stretches a cell's picture to its size with its top-left corner at `at`.
void drawLabelImage(Canvas& canvas, const QImage& picture, QPoint at, const ImageScaling& scaling,
                    SheetLength width, SheetLength height, int mode)
{
    if (picture.isNull())
        return;
    const QSize size = labelImageSize(scaling, picture.size(), width, height, mode);
    if (size.width() <= 0 || size.height() <= 0)
        return;
    canvas.StretchDraw({at.x(), at.y(), at.x() + size.width(), at.y() + size.height()}, picture);
}

} // namespace

QString labelCode(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

void configureLabelSymbol(BarImage& bar, const LabelStyle& style)
{
    const std::optional<TBarTypes> type =
        style.symbol.symbology >= cbarJAN && style.symbol.symbology <= cbarGS1_128 ? style.symbol.symbology
                                                                                   : std::nullopt;
    // No symbology chosen leaves the component's own.
    if (type)
        bar.SetBarType(*type);
    bar.SetMatrixSettings(labelMatrixOptions(style));
    bar.SetCD(style.symbol.checkDigit == true);
    // The start field is open for NW-7 and CODE-128, the stop field for NW-7 only; a
    // closed field leaves the component's character as it was.
    const bool startOpen = type == cbarNW7 || type == cbarCODE128;
    const bool stopOpen = type == cbarNW7;
    if (startOpen && isStartStopLetter(style.symbol.startChar))
        bar.SetStartChar(style.symbol.startChar[0]);
    if (stopOpen && isStartStopLetter(style.symbol.stopChar))
        bar.SetStopChar(style.symbol.stopChar[0]);
}

QString barcodeErrorMessage()
{
    return QStringLiteral("バーコード番号にエラーがあります。生成できませんでした。");
}

std::vector<FailedRow> PageResult::rowsWithoutBarcode() const
{
    std::vector<FailedRow> rows = failedRows;
    rows.insert(rows.end(), untitledRows.begin(), untitledRows.end());
    rows.insert(rows.end(), offPaperRows.begin(), offPaperRows.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const FailedRow& a, const FailedRow& b) { return a.row < b.row; });
    return rows;
}

QString barcodeErrorMessage(const LabelStyle& style, const QString& number)
{
    const QString fault =
        style.symbol.symbology ? checkDigitFault(*style.symbol.symbology, labelCode(number)) : QString();
    return fault.isEmpty() ? barcodeErrorMessage() : fault;
}

PageComposer::PageComposer(BarImage& symbol, QString dataFolder)
    : m_symbol(&symbol), m_dataFolder(std::move(dataFolder))
{
}

PageComposer::PageComposer(QString dataFolder)
    : m_ownedSymbol(std::make_unique<BarImage>()), m_symbol(m_ownedSymbol.get()),
      m_dataFolder(std::move(dataFolder))
{
    configureMainWindowBarImage(*m_ownedSymbol);
}

PageComposer::~PageComposer() = default;

QString PageComposer::imagePath(int cell) const
{
    return m_dataFolder + QStringLiteral("/barimage/") + labelImageFileName(cell);
}

namespace {

// A label text as the style sets it: its place in the first cell, its font and
// colours, and the shadow drawn under it.
struct DrawnText
{
    TextRole role = TextRole::Title;
    bool printed = true;
    LabelFont font;
    TColor face = clBlack;
    TColor shadowColor = clBlack;
    SheetLength x;
    SheetLength y;
    SheetLength shadowX;
    SheetLength shadowY;
    SheetLength pitch;
    int kind = 0; // 0 horizontal, otherwise vertical writing

    bool hasShadow() const { return shadowX != SheetLength() || shadowY != SheetLength(); }
};

// What every cell of one composition is drawn with, worked out once.
struct PageLayout
{
    int cells = 0;         // N
    int start = 1;         // the start label, held within 1 to N
    std::int64_t base = 0; // the data row before the page's first cell
    int columns = 0;
    int gridRows = 0;
    bool preview = true;
    SheetLength intervalX;
    SheetLength intervalY;
    SheetLength imageX;
    SheetLength imageY;
    SheetLength imageWidth;
    SheetLength imageHeight;
    int sizeMode = 0;
    bool matrix = false;    // a two-dimensional symbol: whole-pixel modules
    int symbolScale = 1;    // pixels a module in the component's picture
    SheetLength moduleSize; // the style's module, zero for the picture's own
    SheetLength subY;       // the title's second line below the first
    SheetTransform transform;
    ImageScaling scaling;
    LabelTextContext text;
    DrawnText title;
    DrawnText number;
    LabelPlaces places;
};

SheetLength mm(long double value)
{
    return SheetLength::fromMillimetres(value);
}

// A text block of the style as the cell pass draws it.
DrawnText drawnText(const TextBlock& text, TextRole role)
{
    DrawnText block;
    block.role = role;
    block.printed = text.printed;
    block.font = labelFontOf(text);
    block.face = text.color;
    block.shadowColor = text.shadowColor;
    block.x = mm(text.x);
    block.y = mm(text.y);
    block.shadowX = mm(text.shadowX);
    block.shadowY = mm(text.shadowY);
    block.pitch = mm(text.pitch);
    block.kind = writingKind(text);
    return block;
}

// The surface's scales and the whole-page adjustment, and how images and texts are
// sized on this kind of surface.
void layOutSurface(PageLayout& layout, const LabelStyle& style, const DeviceMetrics& metrics,
                   const PageRequest& request)
{
    const int screenDpiX = metrics.screenDpiX > 0 ? metrics.screenDpiX : 96;
    const int screenDpiY = metrics.screenDpiY > 0 ? metrics.screenDpiY : 96;
    const int zoom = layout.preview ? request.zoomPercent : 100;

    SheetTransform& transform = layout.transform;
    transform.scaleX = SheetScale::fromDpi(request.dpiX);
    transform.scaleY = SheetScale::fromDpi(request.dpiY);
    transform.offsetX = sheetOffset(style.sheet.offsetX) + request.shiftX;
    transform.offsetY = sheetOffset(style.sheet.offsetY) + request.shiftY;

    LabelTextContext& text = layout.text;
    text.transform = transform;
    text.kind = request.kind;
    text.screenDpiX = screenDpiX;
    text.zoomPercent = zoom;
    text.printerDpiY = request.dpiY;
    text.centreBox = mm(style.placement.width);
    text.titleCentre = style.title.centred;
    text.numberCentre = style.number.centred;
    text.measure = std::make_shared<TextMeasure>();

    ImageScaling& scaling = layout.scaling;
    scaling.kind = request.kind;
    scaling.zoomPercent = zoom;
    scaling.screenDpiX = screenDpiX;
    scaling.screenDpiY = screenDpiY;
    scaling.printerDpiX = request.dpiX;
    scaling.printerDpiY = request.dpiY;
    scaling.scaleX = transform.scaleX;
    scaling.scaleY = transform.scaleY;
}

PageLayout layOutPage(const LabelStyle& style, const DeviceMetrics& metrics, const PageRequest& request,
                      int page)
{
    PageLayout layout;
    layout.cells = cellsPerPage(style);
    layout.start = heldStartLabel(request.startLabel, layout.cells);
    layout.base = rowOfCell(layout.cells, page, 0, layout.start) - 1;
    layout.columns = integerPart(style.sheet.across);
    layout.gridRows = integerPart(style.sheet.down);
    layout.preview = request.kind == SurfaceKind::Preview;
    layout.intervalX = mm(style.sheet.pitchX);
    layout.intervalY = mm(style.sheet.pitchY);
    layout.imageX = mm(style.placement.x);
    layout.imageY = mm(style.placement.y);
    layout.imageWidth = mm(style.placement.width);
    layout.imageHeight = mm(style.placement.height);
    layout.sizeMode = style.placement.sizeMode;
    layout.matrix = style.symbol.symbology && isMatrixType(*style.symbol.symbology);
    layout.moduleSize = labelModuleSize(style);
    layout.subY = mm(style.title.secondLineY);
    layOutSurface(layout, style, metrics, request);
    layout.title = drawnText(style.title, TextRole::Title);
    layout.number = drawnText(style.number, TextRole::BarcodeNumber);
    layout.places = LabelPlaces(style, printableAreaOf(metrics), request.shiftX, request.shiftY);
    return layout;
}

// The cells used up before the start label, which no row reaches, hatched.
void hatchUsedCells(Canvas& canvas, const PageLayout& layout)
{
    const std::int64_t used =
        std::min<std::int64_t>(-layout.base, std::int64_t(layout.columns) * layout.gridRows);
    for (std::int64_t i = 0; i < used; ++i) {
        if (!layout.places.cellOnPage(i))
            continue;
        const SheetLength stepX = layout.intervalX.times(static_cast<int>(i % layout.columns));
        const SheetLength stepY = layout.intervalY.times(static_cast<int>(i / layout.columns));
        hatchUsedCell(canvas, layout.transform.toDevice(stepX, stepY),
                      layout.transform.toDevice(stepX + layout.intervalX, stepY + layout.intervalY));
    }
}

void outlineCells(Canvas& canvas, const PageLayout& layout, const CellOutlines& o)
{
    const SheetLength x = o.labelKnown ? o.labelX : SheetLength();
    const SheetLength y = o.labelKnown ? o.labelY : SheetLength();
    const SheetLength width = o.labelKnown ? o.labelWidth : layout.intervalX;
    const SheetLength height = o.labelKnown ? o.labelHeight : layout.intervalY;
    for (int r = 0; r < layout.gridRows; ++r)
        for (int c = 0; c < layout.columns; ++c) {
            if (!layout.places.onPage(c, r))
                continue;
            const SheetLength left = x + layout.intervalX.times(c), top = y + layout.intervalY.times(r);
            outlineCell(canvas, layout.transform.toDevice(left, top),
                        layout.transform.toDevice(left + width, top + height));
        }
}

// The view aids of the preview, under the labels: used cells hatched, outlines.
void drawSheetAids(Canvas& canvas, const PageLayout& layout, const PageRequest& request)
{
    if (!layout.preview || layout.columns <= 0 || layout.gridRows <= 0)
        return;
    hatchUsedCells(canvas, layout);
    if (request.outlines.shown)
        outlineCells(canvas, layout, request.outlines);
}

// Draws the lines of a text block in the cell moved by (stepX, stepY), one below the
// other `lineGap` apart: each line's shadow first, then its face over it.
void drawTextBlock(Canvas& canvas, const LabelTextContext& context, const DrawnText& block, SheetLength stepX,
                   SheetLength stepY, std::initializer_list<const QString*> lines, SheetLength lineGap = {})
{
    const SheetLength x = block.x + stepX;
    SheetLength y = block.y + stepY;
    const bool shadow = block.hasShadow();
    for (const QString* line : lines) {
        if (shadow)
            DrawLabelText(canvas, context, *line, block.role, block.font, block.shadowColor,
                          x + block.shadowX, y + block.shadowY, block.kind, block.pitch);
        DrawLabelText(canvas, context, *line, block.role, block.font, block.face, x, y, block.kind,
                      block.pitch);
        y += lineGap;
    }
}

// One cell: its barcode image, its title, its number text, in that order.
void drawCell(Canvas& canvas, const LabelStyle& style, const PageLayout& layout, const DataList& rows,
              std::int64_t cell, int column, int gridRow, const QImage& picture, PageResult& result)
{
    // A label off the printable area is named, never drawn.
    if (!layout.places.onPage(column, gridRow))
        return;
    const CellRow row = cellRow(rows, layout.base + cell + 1);
    const SheetLength stepX = layout.intervalX.times(column);
    const SheetLength stepY = layout.intervalY.times(gridRow);
    const QString number = labelCode(row.number);
    if (!row.title.isEmpty() || !number.isEmpty())
        ++result.cellsDrawn;

    if (!row.title.isEmpty()) {
        if (picture.isNull() && result.message.isEmpty())
            result.message = barcodeErrorMessage(style, row.number);
        const QPoint at = layout.transform.toDevice(layout.imageX + stepX, layout.imageY + stepY);
        if (layout.matrix)
            drawMatrixImage(canvas, picture,
                            matrixImageRect(layout.scaling, picture.size(), layout.symbolScale, at,
                                            layout.imageWidth, layout.imageHeight, layout.sizeMode,
                                            layout.moduleSize));
        else
            drawLabelImage(canvas, picture, at, layout.scaling, layout.imageWidth, layout.imageHeight,
                           layout.sizeMode);
    }
    if (layout.title.printed && !row.title.isEmpty()) {
        const TitleLines lines = splitTitle(row.title);
        drawTextBlock(canvas, layout.text, layout.title, stepX, stepY, {&lines.first, &lines.second},
                      layout.subY);
    }
    if (layout.number.printed && !number.isEmpty()) {
        const QString shown = barcodeNumberText(style, row.number);
        drawTextBlock(canvas, layout.text, layout.number, stepX, stepY, {&shown});
    }
}

} // namespace

PageResult PageComposer::compose(Canvas& canvas, const LabelStyle& style, const DataList& rows,
                                 const DeviceMetrics& metrics, const PageRequest& request)
{
    PageResult result;
    result.page = std::max(1, request.page);
    PageLayout layout = layOutPage(style, metrics, request, result.page);
    layout.symbolScale = m_symbol->Scale();
    result.cellsPerPage = layout.cells;

    // A barcode must reach paper unblurred: no lossy compression of its image in a PDF.
    canvas.painter().setRenderHint(QPainter::LosslessImageRendering, true);

    // Rows past the last one that holds text are empty as well as those past the end.
    const std::int64_t lastRow =
        std::min<std::int64_t>(rows.RowCount() - 1, static_cast<std::int64_t>(rows.storedRows()));
    const std::int64_t rowsLeft = std::max<std::int64_t>(0, lastRow - layout.base);
    const int withRows = static_cast<int>(std::min<std::int64_t>(layout.cells, rowsLeft));
    const std::vector<QImage> pictures =
        prepareLabelImages(style, rows, layout.places, layout.base, withRows, layout.cells, result);

    drawSheetAids(canvas, layout, request);
    std::int64_t i = 0;
    for (int r = 0; r < layout.gridRows && i < withRows; ++r)
        for (int c = 0; c < layout.columns && i < withRows; ++c, ++i)
            drawCell(canvas, style, layout, rows, i, c, r, pictures[static_cast<std::size_t>(i)], result);
    // The files were written while the page was drawn.
    if (request.waitForImageFiles) {
        QString fileError = m_imageFiles.finish();
        if (result.imageError.isEmpty())
            result.imageError = std::move(fileError);
    }

    result.hasNextPage =
        result.page < INT_MAX && pageExists(rows, layout.cells, result.page + 1, layout.start);
    return result;
}

QString PageComposer::finishImageFiles()
{
    return m_imageFiles.finish();
}

std::vector<QImage> PageComposer::prepareLabelImages(const LabelStyle& style, const DataList& rows,
                                                     const LabelPlaces& places, std::int64_t base,
                                                     int withRows, int cells, PageResult& result)
{
    configureLabelSymbol(*m_symbol, style);
    const QString folder = m_dataFolder + QStringLiteral("/barimage");
    if (!QDir().mkpath(folder) && result.imageError.isEmpty())
        result.imageError = folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));

    // Only cells whose rows exist need a symbol each; the rest all get the empty
    // code, which the component is then left with, as it would be after the page's
    // last cell. A cell off the printable area gets neither a symbol nor a file.
    std::vector<QImage> pictures(static_cast<std::size_t>(withRows));
    std::int64_t offPage = 0;
    for (int i = 0; i < withRows; ++i) {
        const std::int64_t k = base + i + 1;
        const CellRow row = cellRow(rows, k);
        const QString code = labelCode(row.number);
        if (!places.cellOnPage(i)) {
            ++offPage;
            if (!row.title.isEmpty() || !code.isEmpty())
                result.offPaperRows.push_back({static_cast<int>(k), row.number, LabelFault::OffPaper});
            continue;
        }
        // An empty code after an empty code leaves the cleared picture as it is.
        if (!code.isEmpty() || !m_symbol->Code().isEmpty() || m_symbol->Picture().hasGraphic())
            m_symbol->SetCode(code);
        // A number the symbology cannot encode leaves an empty picture: no file.
        const Bitmap* bitmap = m_symbol->Picture().bitmap();
        if (!row.number.isEmpty() && bitmap && !bitmap->Empty()) {
            QImage& picture = pictures[static_cast<std::size_t>(i)];
            picture = compactForm(bitmap->image());
            m_imageFiles.write(imagePath(i), picture);
            // Only a titled label shows its barcode.
            if (row.title.isEmpty())
                result.untitledRows.push_back({static_cast<int>(k), row.number, LabelFault::NoTitle});
            continue;
        }
        if (!code.isEmpty())
            result.failedRows.push_back({static_cast<int>(k), row.number});
        // No new picture: the cell's old file must not be taken for this row's.
        m_imageFiles.remove(imagePath(i));
    }
    if (withRows < cells && (!m_symbol->Code().isEmpty() || m_symbol->Picture().hasGraphic()))
        m_symbol->SetCode(QString());
    removeStaleImages(folder, places, withRows, cells, offPage);
    return pictures;
}

void PageComposer::removeStaleImages(const QString& folder, const LabelPlaces& places, int withRows,
                                     int cells, std::int64_t offPage)
{
    const auto stale = [&](int cell) { return cell >= withRows || !places.cellOnPage(cell); };
    if (cells - withRows + offPage <= kTailRemoveByName) {
        for (int i = offPage > 0 ? 0 : withRows; i < cells; ++i)
            if (stale(i))
                m_imageFiles.remove(imagePath(i));
        return;
    }
    const QStringList names = QDir(folder).entryList({QStringLiteral("barcode_*.bmp")}, QDir::Files);
    for (const QString& name : names) {
        bool ok = false;
        const int cell = QStringView(name).sliced(8, name.size() - 12).toInt(&ok);
        if (ok && cell >= 0 && cell < cells && stale(cell) && name == labelImageFileName(cell))
            m_imageFiles.remove(imagePath(cell));
    }
}

PrintableArea printableAreaOf(const DeviceMetrics& metrics)
{
    return {SheetLength::fromWholeMillimetres(std::max(0, metrics.printableWidth)),
            SheetLength::fromWholeMillimetres(std::max(0, metrics.printableHeight))};
}

LabelPlaces::LabelPlaces(const LabelStyle& style, const PrintableArea& area, SheetLength shiftX,
                         SheetLength shiftY)
    : m_x(sheetOffset(style.sheet.offsetX) + shiftX + mm(style.placement.x)),
      m_y(sheetOffset(style.sheet.offsetY) + shiftY + mm(style.placement.y)), m_stepX(mm(style.sheet.pitchX)),
      m_stepY(mm(style.sheet.pitchY)), m_area(area), m_columns(std::max(1, integerPart(style.sheet.across)))
{
    // The barcode's size is known before it is rendered only when the style sets both
    // lengths; a barcode of no or negative size cannot show.
    if (style.placement.sizeMode != 0 && style.placement.width != 0 && style.placement.height != 0) {
        m_width = mm(style.placement.width);
        m_height = mm(style.placement.height);
        m_sized = true;
    }
}

bool LabelPlaces::onPage(std::int64_t column, std::int64_t gridRow) const
{
    const auto within = [](SheetLength start, SheetLength size, bool sized, SheetLength limit) {
        if (limit <= SheetLength())
            return true; // an area not known limits nothing
        if (start < SheetLength() || start >= limit)
            return false;
        return !sized || (size > SheetLength() && start + size <= limit);
    };
    return within(m_x + m_stepX.times(column), m_width, m_sized, m_area.width) &&
           within(m_y + m_stepY.times(gridRow), m_height, m_sized, m_area.height);
}

bool LabelPlaces::cellOnPage(std::int64_t cell) const
{
    return onPage(cell % m_columns, cell / m_columns);
}

int cellsPerPage(const LabelStyle& style)
{
    const std::int64_t columns = integerPart(style.sheet.across);
    const std::int64_t rows = integerPart(style.sheet.down);
    if (columns <= 0 || rows <= 0)
        return 0;
    // Both below 2^31: the product fits.
    return static_cast<int>(std::min<std::int64_t>(columns * rows, DataList::kMaxRowCount));
}

bool pageExists(const DataList& rows, int cellsPerPage, int page, int startLabel)
{
    const std::int64_t first = std::max<std::int64_t>(1, rowOfCell(cellsPerPage, page, 0, startLabel));
    const CellRow row = cellRow(rows, first);
    return row.exists && !row.number.isEmpty();
}

std::int64_t rowOfCell(int cellsPerPage, int page, int cell, int startLabel)
{
    const int start = heldStartLabel(startLabel, cellsPerPage);
    return static_cast<std::int64_t>(page - 1LL) * cellsPerPage + cell + 1 - (start - 1);
}

int heldStartLabel(int startLabel, int cellsPerPage)
{
    return std::clamp(startLabel, 1, std::max(1, cellsPerPage));
}

QString labelImageFileName(int cell)
{
    return QStringLiteral("barcode_%1.bmp").arg(cell, 3, 10, QLatin1Char('0'));
}

TitleLines splitTitle(const QString& title)
{
    if (title.size() < kTitleLineUnits)
        return {title, {}};
    qsizetype cut = kTitleLineUnits;
    const QChar last = title[kTitleLineUnits - 1];
    if (last.isHighSurrogate())
        cut = kTitleLineUnits + 1;
    else if (last.isLowSurrogate())
        cut = kTitleLineUnits - 2;
    return {title.left(cut), title.mid(cut)};
}

QString barcodeNumberText(const LabelStyle& style, const QString& number)
{
    const bool check = style.symbol.checkDigit == true;
    const QString& start = style.symbol.startChar;
    const QString& stop = style.symbol.stopChar;
    if (!style.symbol.symbology)
        return number;
    switch (*style.symbol.symbology) {
    case cbarCODE39:
        return check ? start + number + Modulus43Code39(number) + stop : start + number + stop;
    case cbarNW7: {
        if (!check)
            return start + number + stop;
        const QString whole = start + number + stop;
        const qsizetype n = whole.size();
        // The check character goes before the n-th character of the number, which
        // for one-letter start and stop characters lies past its end.
        return start + number.left(n - 1) + Modulus16NW7(whole) + number.mid(n - 1, 1) + stop;
    }
    case cbarJAN:
    case cbarUPC: {
        // The full number the symbol carries, check digit included, typed or not.
        const QString code = labelCode(number);
        const Encoding encoding = style.symbol.symbology == cbarJAN ? encodeJan(code) : encodeUpc(code);
        return encoding.ok() ? encoding.workSymbol : number;
    }
    case cbarITF: {
        QString shown = check ? number + Modulus10Weight3(number) : number;
        // ITF carries its digits in pairs.
        if (shown.size() % 2 != 0)
            shown.prepend(u'0');
        return shown;
    }
    default:
        return number;
    }
}

QSize labelImageSize(const ImageScaling& scaling, QSize bitmap, SheetLength width, SheetLength height,
                     int mode)
{
    const auto held = [](std::int64_t pixels) {
        return static_cast<int>(std::clamp<std::int64_t>(pixels, -kDeviceLimit, kDeviceLimit));
    };
    const std::int64_t wb = bitmap.width();
    const std::int64_t hb = bitmap.height();
    const SheetLength zero;
    if (mode == 0 || (width == zero && height == zero)) {
        if (scaling.kind == SurfaceKind::Preview)
            return {held(wb * scaling.zoomPercent / 100), held(hb * scaling.zoomPercent / 100)};
        // One image pixel is one screen pixel at 100 per cent and keeps that size on paper.
        const auto ratio = [](int printer, int screen) {
            return screen > 0 ? divideRoundHalfEven(static_cast<__int128>(printer) * 10000, screen) : 10000;
        };
        return {held(wb * ratio(scaling.printerDpiX, scaling.screenDpiX) / 10000),
                held(hb * ratio(scaling.printerDpiY, scaling.screenDpiY) / 10000)};
    }
    // One length missing: derived from the image's proportions, in whole millimetres,
    // for this drawing only.
    const auto derived = [](SheetLength given, std::int64_t along, std::int64_t across) {
        if (along <= 0)
            return SheetLength();
        // trunc(given x across / along + 0.5) in whole millimetres.
        const __int128 num = static_cast<__int128>(given.units()) * across * 2 +
                             static_cast<__int128>(along) * SheetLength::kUnitsPerMillimetre;
        const __int128 den = static_cast<__int128>(along) * SheetLength::kUnitsPerMillimetre * 2;
        const __int128 whole = num / den;
        const std::int64_t limit = SheetLength::kLimit / SheetLength::kUnitsPerMillimetre;
        return SheetLength::fromWholeMillimetres(
            static_cast<std::int64_t>(std::clamp<__int128>(whole, -limit, limit)));
    };
    if (height == zero)
        height = derived(width, wb, hb);
    else if (width == zero)
        width = derived(height, hb, wb);
    return {scaling.scaleX.toPixels(width), scaling.scaleY.toPixels(height)};
}

} // namespace korbena
