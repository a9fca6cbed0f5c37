#include "sheet/PageComposer.h"

#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/MatrixPlacement.h"
#include "symbol/BarImage.h"
#include "symbol/CheckDigits.h"
#include "symbol/MainBarImage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace korbena {

namespace {

constexpr int kTitleLineUnits = 30;
constexpr int kDefaultPointSize = 12;
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

int pointSize(const QString& text)
{
    bool ok = false;
    const int size = text.toInt(&ok);
    return ok ? size : kDefaultPointSize;
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

// Writes the picture as a BMP file through a temporary file renamed over the
// target, so a reader never meets half a file. The files are rewritten on every
// composition, so they are not forced to the disk. The temporary name is the
// process's own: two programs drawing at once must not write into one file.
bool saveLabelImage(const QImage& picture, const QString& path, QString& error)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "BMP")) {
            error = QStringLiteral("BMP encoding failed");
            return false;
        }
    }
    const QString temporary =
        path + u'.' + QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".part");
    QFile file(temporary);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    // The old file goes first: the cell's file is then either absent or whole, and
    // renaming onto a free name spares the file system the flush it forces when a
    // rename replaces a file.
    if (written && (!QFile::exists(path) || QFile::remove(path)) &&
        std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    error = written ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
    QFile::remove(temporary);
    return false;
}

void removeIfPresent(const QString& path, QString& error)
{
    QFile file(path);
    if (file.exists() && !file.remove() && error.isEmpty())
        error = path + QStringLiteral(": ") + file.errorString();
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
    const std::optional<TBarTypes> type = style.BARCODE_TYPE >= cbarJAN && style.BARCODE_TYPE <= cbarGS1_128
                                              ? std::optional(static_cast<TBarTypes>(style.BARCODE_TYPE))
                                              : std::nullopt;
    // No symbology chosen leaves the component's own.
    if (type)
        bar.SetBarType(*type);
    bar.SetMatrixSettings(labelMatrixOptions(style));
    bar.SetCD(style.CHECK_DT == 0);
    // The start field is open for NW-7 and CODE-128, the stop field for NW-7 only; a
    // closed field leaves the component's character as it was.
    const bool startOpen = type == cbarNW7 || type == cbarCODE128;
    const bool stopOpen = type == cbarNW7;
    if (startOpen && isStartStopLetter(style.START_CHAR))
        bar.SetStartChar(style.START_CHAR[0]);
    if (stopOpen && isStartStopLetter(style.STOP_CHAR))
        bar.SetStopChar(style.STOP_CHAR[0]);
}

QString barcodeErrorMessage()
{
    return QStringLiteral("バーコード番号にエラーがあります。生成できませんでした。");
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

PageResult PageComposer::compose(Canvas& canvas, const LabelStyle& style, const DataList& rows,
                                 const DeviceMetrics& metrics, const PageRequest& request)
{
    PageResult result;
    const int page = std::max(1, request.page);
    result.page = page;
    const int cells = cellsPerPage(style);
    result.cellsPerPage = cells;
    const int start = heldStartLabel(request.startLabel, cells);
    const std::int64_t base = rowOfCell(cells, page, 0, start) - 1;

    // A barcode must reach paper unblurred: no lossy compression of its image in a PDF.
    canvas.painter().setRenderHint(QPainter::LosslessImageRendering, true);

    // Rows past the last one that holds text are empty as well as those past the end.
    const std::int64_t lastRow =
        std::min<std::int64_t>(rows.RowCount() - 1, static_cast<std::int64_t>(rows.storedRows()));
    const std::int64_t rowsLeft = std::max<std::int64_t>(0, lastRow - base);
    const int withRows = static_cast<int>(std::min<std::int64_t>(cells, rowsLeft));
    const std::vector<QImage> pictures = prepareLabelImages(style, rows, base, withRows, cells, result);

    // The cell pass.
    const int columns = integerPart(style.NUM_X);
    const int gridRows = integerPart(style.NUM_Y);
    const int screenDpiX = metrics.screenDpiX > 0 ? metrics.screenDpiX : 96;
    const int screenDpiY = metrics.screenDpiY > 0 ? metrics.screenDpiY : 96;
    const bool preview = request.kind == SurfaceKind::Preview;
    const int zoom = preview ? request.zoomPercent : 100;

    SheetTransform transform;
    transform.scaleX = SheetScale::fromDpi(request.dpiX);
    transform.scaleY = SheetScale::fromDpi(request.dpiY);
    transform.offsetX = sheetOffset(style.X_OFFSET) + request.shiftX;
    transform.offsetY = sheetOffset(style.Y_OFFSET) + request.shiftY;

    LabelTextContext text;
    text.transform = transform;
    text.kind = request.kind;
    text.screenDpiX = screenDpiX;
    text.zoomPercent = zoom;
    text.printerDpiY = request.dpiY;
    text.centreBox = SheetLength::fromMillimetres(style.SIZE_X);
    text.titleCentre = style.TITLE_CENTER;
    text.numberCentre = style.BARCODE_CENTER;

    ImageScaling scaling;
    scaling.kind = request.kind;
    scaling.zoomPercent = zoom;
    scaling.screenDpiX = screenDpiX;
    scaling.screenDpiY = screenDpiY;
    scaling.printerDpiX = request.dpiX;
    scaling.printerDpiY = request.dpiY;
    scaling.scaleX = transform.scaleX;
    scaling.scaleY = transform.scaleY;

    const auto mm = [](long double value) { return SheetLength::fromMillimetres(value); };
    const SheetLength intervalX = mm(style.INTERVAL_X);
    const SheetLength intervalY = mm(style.INTERVAL_Y);
    const SheetLength sizeX = mm(style.SIZE_X);
    const SheetLength sizeY = mm(style.SIZE_Y);
    const SheetLength subY = mm(style.SUB_Y);
    const SheetLength titleShadowX = mm(style.G_TITLE_X);
    const SheetLength titleShadowY = mm(style.G_TITLE_Y);
    const SheetLength numberShadowX = mm(style.G_BARCODE_X);
    const SheetLength numberShadowY = mm(style.G_BARCODE_Y);
    const SheetLength titlePitch = mm(style.TITLE_INTERVAL);
    const SheetLength numberPitch = mm(style.BARCODE_INTERVAL);
    const bool titleShadow = titleShadowX != SheetLength() || titleShadowY != SheetLength();
    const bool numberShadow = numberShadowX != SheetLength() || numberShadowY != SheetLength();
    const LabelFont titleFont{style.TITLE_FONT_NAME, pointSize(style.TITLE_FONT_SIZE),
                              FontStyleFromName(style.TITLE_FONT_BOLD)};
    const LabelFont numberFont{style.BARCODE_FONT_NAME, pointSize(style.BARCODE_FONT_SIZE),
                               FontStyleFromName(style.BARCODE_FONT_BOLD)};

    if (preview && columns > 0 && gridRows > 0) {
        // The cells used up before the start label, which no row reaches.
        for (std::int64_t i = 0; i < std::min<std::int64_t>(-base, std::int64_t(columns) * gridRows); ++i) {
            const SheetLength stepX = intervalX.times(static_cast<int>(i % columns));
            const SheetLength stepY = intervalY.times(static_cast<int>(i / columns));
            hatchUsedCell(canvas, transform.toDevice(stepX, stepY),
                          transform.toDevice(stepX + intervalX, stepY + intervalY));
        }
    }

    if (preview && request.outlines.shown && columns > 0 && gridRows > 0) {
        const CellOutlines& o = request.outlines;
        const SheetLength x = o.labelKnown ? o.labelX : SheetLength();
        const SheetLength y = o.labelKnown ? o.labelY : SheetLength();
        const SheetLength width = o.labelKnown ? o.labelWidth : intervalX;
        const SheetLength height = o.labelKnown ? o.labelHeight : intervalY;
        for (int r = 0; r < gridRows; ++r)
            for (int c = 0; c < columns; ++c) {
                const SheetLength left = x + intervalX.times(c), top = y + intervalY.times(r);
                outlineCell(canvas, transform.toDevice(left, top),
                            transform.toDevice(left + width, top + height));
            }
    }

    if (columns > 0 && gridRows > 0) {
        std::int64_t i = 0;
        for (int r = 0; r < gridRows && i < withRows; ++r) {
            const SheetLength stepY = intervalY.times(r);
            for (int c = 0; c < columns && i < withRows; ++c, ++i) {
                const CellRow row = cellRow(rows, base + i + 1);
                const SheetLength stepX = intervalX.times(c);
                const QString number = labelCode(row.number);
                if (!row.title.isEmpty() || !number.isEmpty())
                    ++result.cellsDrawn;

                if (!row.title.isEmpty()) {
                    const QImage& picture = pictures[static_cast<std::size_t>(i)];
                    if (picture.isNull())
                        result.message = barcodeErrorMessage();
                    const QPoint at =
                        transform.toDevice(mm(style.X_LOCATE) + stepX, mm(style.Y_LOCATE) + stepY);
                    if (isMatrixType(style.BARCODE_TYPE))
                        drawMatrixImage(canvas, picture,
                                        matrixImageRect(scaling, picture.size(), m_symbol->Scale(), at, sizeX,
                                                        sizeY, style.SIZE, labelModuleSize(style)));
                    else
                        drawLabelImage(canvas, picture, at, scaling, sizeX, sizeY, style.SIZE);
                }

                if (!style.TITLE_PRINT && !row.title.isEmpty()) {
                    const TitleLines lines = splitTitle(row.title);
                    const SheetLength x = mm(style.TITLE_X) + stepX;
                    const SheetLength y = mm(style.TITLE_Y) + stepY;
                    const SheetLength lineY[2] = {y, y + subY};
                    const QString* line[2] = {&lines.first, &lines.second};
                    for (int l = 0; l < 2; ++l) {
                        if (titleShadow)
                            DrawLabelText(canvas, text, *line[l], TextRole::Title, titleFont,
                                          style.G_TITLE_COLOR, x + titleShadowX, lineY[l] + titleShadowY,
                                          style.TITLE_PORTLATE, titlePitch);
                        DrawLabelText(canvas, text, *line[l], TextRole::Title, titleFont,
                                      style.TITLE_FONT_COLOE, x, lineY[l], style.TITLE_PORTLATE, titlePitch);
                    }
                }

                if (!style.BARCODE_PRINT && !number.isEmpty()) {
                    const QString shown = barcodeNumberText(style, row.number);
                    const SheetLength x = mm(style.BARCODE_X) + stepX;
                    const SheetLength y = mm(style.BARCODE_Y) + stepY;
                    if (numberShadow)
                        DrawLabelText(canvas, text, shown, TextRole::BarcodeNumber, numberFont,
                                      style.G_BARCODE_COLOR, x + numberShadowX, y + numberShadowY,
                                      style.BARCODE_PORTLATE, numberPitch);
                    DrawLabelText(canvas, text, shown, TextRole::BarcodeNumber, numberFont,
                                  style.BARCODE_FONT_COLOR, x, y, style.BARCODE_PORTLATE, numberPitch);
                }
            }
        }
    }

    result.hasNextPage = page < INT_MAX && pageExists(rows, cells, page + 1, start);
    return result;
}

namespace {

// What identifies one version of a file: a rewrite by anyone renames a new file in
// (a new inode) or changes its size or time.
struct FileStamp
{
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;
};

// QImage's own comparison reads one-bit pictures pixel by pixel; their bytes serve.
bool samePicture(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && a.format() == b.format() && a.colorTable() == b.colorTable() &&
           a.sizeInBytes() == b.sizeInBytes() &&
           std::memcmp(a.constBits(), b.constBits(), static_cast<std::size_t>(a.sizeInBytes())) == 0;
}

std::optional<FileStamp> stampOf(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(info.st_ino), static_cast<std::int64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace

bool PageComposer::saveCellImage(int cell, const QImage& picture, QString& error)
{
    const QString path = imagePath(cell);
    const auto known = m_written.find(cell);
    if (known != m_written.end() && samePicture(known->second.picture, picture)) {
        const std::optional<FileStamp> now = stampOf(path);
        if (now && now->inode == known->second.inode && now->size == known->second.size &&
            now->modified == known->second.modified)
            return true;
    }
    m_written.erase(cell);
    if (!saveLabelImage(picture, path, error))
        return false;
    if (const std::optional<FileStamp> stamp = stampOf(path))
        m_written[cell] = {picture, stamp->inode, stamp->size, stamp->modified};
    return true;
}

void PageComposer::removeCellImage(int cell, QString& error)
{
    m_written.erase(cell);
    removeIfPresent(imagePath(cell), error);
}

std::vector<QImage> PageComposer::prepareLabelImages(const LabelStyle& style, const DataList& rows,
                                                     std::int64_t base, int withRows, int cells,
                                                     PageResult& result)
{
    configureLabelSymbol(*m_symbol, style);
    const QString folder = m_dataFolder + QStringLiteral("/barimage");
    if (!QDir().mkpath(folder) && result.imageError.isEmpty())
        result.imageError = folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));

    // Only cells whose rows exist need a symbol each; the rest all get the empty
    // code, which the component is then left with, as it would be after the page's
    // last cell.
    std::vector<QImage> pictures(static_cast<std::size_t>(withRows));
    for (int i = 0; i < withRows; ++i) {
        const std::int64_t k = base + i + 1;
        const CellRow row = cellRow(rows, k);
        const QString code = labelCode(row.number);
        // An empty code after an empty code leaves the cleared picture as it is.
        if (!code.isEmpty() || !m_symbol->Code().isEmpty() || m_symbol->Picture().hasGraphic())
            m_symbol->SetCode(code);
        const QString path = imagePath(i);
        // A number the symbology cannot encode leaves an empty picture: no file.
        const Bitmap* bitmap = m_symbol->Picture().bitmap();
        if (!row.number.isEmpty() && bitmap && !bitmap->Empty()) {
            QImage& picture = pictures[static_cast<std::size_t>(i)];
            picture = compactForm(bitmap->image());
            QString error;
            if (!saveCellImage(i, picture, error) && result.imageError.isEmpty())
                result.imageError = path + QStringLiteral(": ") + error;
            continue;
        }
        if (!code.isEmpty())
            result.failedRows.push_back({static_cast<int>(k), row.number});
        // No new picture: the cell's old file must not be taken for this row's.
        removeCellImage(i, result.imageError);
    }
    if (withRows < cells) {
        if (!m_symbol->Code().isEmpty() || m_symbol->Picture().hasGraphic())
            m_symbol->SetCode(QString());
        if (cells - withRows <= kTailRemoveByName) {
            for (int i = withRows; i < cells; ++i)
                removeCellImage(i, result.imageError);
        } else {
            const QStringList names = QDir(folder).entryList({QStringLiteral("barcode_*.bmp")}, QDir::Files);
            for (const QString& name : names) {
                bool ok = false;
                const int cell = QStringView(name).sliced(8, name.size() - 12).toInt(&ok);
                if (ok && cell >= withRows && cell < cells && name == labelImageFileName(cell))
                    removeCellImage(cell, result.imageError);
            }
        }
    }
    return pictures;
}

int cellsPerPage(const LabelStyle& style)
{
    if (std::isnan(style.NUM_X) || std::isnan(style.NUM_Y) || style.NUM_X <= 0 || style.NUM_Y <= 0)
        return 0;
    const long double product = std::truncl(style.NUM_X * style.NUM_Y);
    if (product >= DataList::kMaxRowCount)
        return DataList::kMaxRowCount;
    return static_cast<int>(product);
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
    const bool check = style.CHECK_DT == 0;
    const QString& start = style.START_CHAR;
    const QString& stop = style.STOP_CHAR;
    switch (style.BARCODE_TYPE) {
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
