#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "sheet/LabelText.h"
#include "sheet/SheetLength.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace korbena {

class BarImage;
class Canvas;
struct DeviceMetrics;

// The message line's text when a titled cell has no barcode image.
QString barcodeErrorMessage();
// The same for one row's number: the check-digit message when a JAN or UPC number
// ends in the wrong check digit, else the one above.
QString barcodeErrorMessage(const LabelStyle& style, const QString& number);

// A row's barcode number as it is set into the symbol: leading and trailing blanks
// and control characters go.
QString labelCode(const QString& number);

// Sets the symbol up for a page of `style`: the symbology, the check character, and
// the start and stop characters where the style's fields are open for them.
void configureLabelSymbol(BarImage& bar, const LabelStyle& style);

// Light grey outlines of the label cells on the preview: a view aid, never printed.
// With a label rectangle, every label of the grid is outlined at that rectangle moved
// by the pitch; without one, each cell's pitch from the sheet's origin.
struct CellOutlines
{
    bool shown = false;
    bool labelKnown = false;
    SheetLength labelX; // the first label's corner on the printable area
    SheetLength labelY;
    SheetLength labelWidth;
    SheetLength labelHeight;
};

// One composition: which page, on what kind of surface, at which resolution.
struct PageRequest
{
    int page = 1; // CurrentPage; a value below 1 is drawn as page 1
    SurfaceKind kind = SurfaceKind::Preview;
    // The resolution the labels are laid out at: the preview's Dp (screen dpi times
    // the zoom), or the printer's resolution.
    int dpiX = 96;
    int dpiY = 96;
    // The preview's zoom in per cent (5 to 200); a print passes 100.
    int zoomPercent = 100;
    // The label of the first page the rows start at, 1 to N: the cells before it on
    // a partly used sheet stay blank (hatched on the preview) and the rows flow on
    // from there. Held within 1 to N.
    int startLabel = 1;
    // A printer's own error, measured on its calibration page, added to the
    // whole-page adjustment. Never applied to the preview or a PDF.
    SheetLength shiftX;
    SheetLength shiftY;
    // Drawn on a preview only.
    CellOutlines outlines;
};

// A data row whose barcode number the symbology cannot encode: its label has no
// barcode.
struct FailedRow
{
    int row = 0;    // the 1-based row of the data list
    QString number; // the barcode number as entered

    bool operator==(const FailedRow&) const = default;
};

// What a composition tells its caller.
struct PageResult
{
    int page = 1;             // CurrentPage after the composition: the page drawn, at least 1
    QString message;          // the message line: empty, or barcodeErrorMessage() of the first failing row
    int cellsPerPage = 0;     // N, the integer part of NUM_X x NUM_Y
    int cellsDrawn = 0;       // cells with a place on the sheet whose row holds a title or a number
    bool hasNextPage = false; // the first row of the next page has a barcode number
    // The first image file that could not be deleted or written, with the system's
    // reason. The labels do not depend on the files, so they are drawn all the same.
    // Empty when every file was handled.
    QString imageError;
    // The rows of this page with a barcode number that could not be encoded, in order.
    std::vector<FailedRow> failedRows;
};

// A preview page as the window shows it: the blue-grey sheet, the white printable
// area with its outline, and the labels on it.
struct PreviewPage
{
    QImage image;
    PageResult result;
};

// What sizes a barcode image on the surface besides the style.
struct ImageScaling
{
    SurfaceKind kind = SurfaceKind::Preview;
    int zoomPercent = 100;
    int screenDpiX = 96;
    int screenDpiY = 96;
    int printerDpiX = 600;
    int printerDpiY = 600;
    SheetScale scaleX;
    SheetScale scaleY;
};

// Draws pages of a label sheet: every cell's barcode is rendered by the symbol
// component and stretched onto the surface beside the title and the number text.
// The same path draws the preview and the printed page. Each rendered picture is
// also saved as "barimage/barcode_NNN.bmp" under the data folder for other programs
// to read, but a label is always drawn from the picture just rendered for its own
// row, never from a file: another composition (another process, a preview redrawing
// during a print) may rewrite the files at any moment. Nothing is cached between
// compositions.
class PageComposer
{
public:
    // Drives the caller's symbol component (the main window's one), which is left
    // with the style's settings and the Code of the page's last cell.
    PageComposer(BarImage& symbol, QString dataFolder);
    // Owns a component set up as the main window's.
    explicit PageComposer(QString dataFolder);
    ~PageComposer();
    PageComposer(const PageComposer&) = delete;
    PageComposer& operator=(const PageComposer&) = delete;

    // Composes one page through `canvas`, whose origin is the top-left corner of the
    // printable area: the preview's page surface or a print target's page.
    PageResult compose(Canvas& canvas, const LabelStyle& style, const DataList& rows,
                       const DeviceMetrics& metrics, const PageRequest& request);

    // The preview of page `page` at `zoomPercent` (held within 5 to 200), at the
    // screen resolution of `metrics`.
    PreviewPage composePreview(const LabelStyle& style, const DataList& rows, const DeviceMetrics& metrics,
                               int page, int zoomPercent, int startLabel = 1,
                               const CellOutlines& outlines = {});

    // The image file of cell `cell`: DataFolder/barimage/barcode_NNN.bmp.
    QString imagePath(int cell) const;

    BarImage& symbol() { return *m_symbol; }
    const QString& dataFolder() const { return m_dataFolder; }

private:
    // Renders the barcode of every cell of the page that has a row, saves each as
    // the cell's image file and returns the pictures, an empty one where there is
    // none. Reports file problems and unencodable rows in `result`.
    std::vector<QImage> prepareLabelImages(const LabelStyle& style, const DataList& rows, std::int64_t base,
                                           int withRows, int cells, PageResult& result);

    // Saves a cell's picture as its image file unless the file still holds exactly
    // that picture, as this composer last wrote it: a redraw of an unchanged page then
    // costs no file system work. Returns false with the reason when the file cannot
    // be written.
    bool saveCellImage(int cell, const QImage& picture, QString& error);
    void removeCellImage(int cell, QString& error);

    // A label image file this composer wrote, as the file system reported it just after.
    struct WrittenImage
    {
        QImage picture;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modified = 0; // nanoseconds
    };

    std::unique_ptr<BarImage> m_ownedSymbol;
    BarImage* m_symbol;
    QString m_dataFolder;
    std::unordered_map<int, WrittenImage> m_written;
};

// Cells per page N: the integer part of NUM_X x NUM_Y, the product taken before
// truncation; 0 when either count is not positive. A page never needs more cells
// than the data list has rows, so N is held within DataList::kMaxRowCount.
int cellsPerPage(const LabelStyle& style);

// Whether page `page` exists: its first data row, (page - 1) x N + 1 less the
// cells left blank before `startLabel`, has a barcode number. Rows at or beyond the
// end of the list are empty.
bool pageExists(const DataList& rows, int cellsPerPage, int page, int startLabel = 1);

// The data row shown in cell `cell` (0-based) of page `page`; below 1 for a cell left
// blank before the start label.
std::int64_t rowOfCell(int cellsPerPage, int page, int cell, int startLabel = 1);

// The start label held within 1 to N (1 without cells).
int heldStartLabel(int startLabel, int cellsPerPage);

// "barcode_" + the cell index with at least three digits + ".bmp".
QString labelImageFileName(int cell);

// The two lines of a title: cut after its 30th UTF-16 unit, a surrogate pair kept
// whole (it stays on the first line when it starts at unit 30 and moves to the
// second when it ends there).
struct TitleLines
{
    QString first;
    QString second;
};
TitleLines splitTitle(const QString& title);

// The number text printed beside a barcode: the start and stop characters and the
// check character written out for CODE-39 and NW-7, the check digit and an even
// length for ITF, the full number with its check digit for JAN and UPC, the number
// as entered for the others.
QString barcodeNumberText(const LabelStyle& style, const QString& number);

// The device size of a `bitmap`-sized image drawn with SIZE mode `mode` and the
// lengths `width` x `height` (SIZE_X, SIZE_Y): its own size (zoomed on the preview,
// kept physical on paper) for mode 0 or no lengths, else the lengths, one of them
// derived in whole millimetres from the image's proportions when it is 0.
QSize labelImageSize(const ImageScaling& scaling, QSize bitmap, SheetLength width, SheetLength height,
                     int mode);

} // namespace korbena
