#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "sheet/LabelImageWriter.h"
#include "sheet/LabelText.h"
#include "sheet/SheetLength.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
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

// The printable area the labels of a page must lie on, from its corner. A side of 0
// is not known and limits nothing.
struct PrintableArea
{
    SheetLength width;
    SheetLength height;
};
PrintableArea printableAreaOf(const DeviceMetrics& metrics);

// Which label places of a sheet lie on the printable area. A label does when its
// barcode's corner does and, where the style sets the barcode's size, the whole
// barcode does. A label beyond the edge is never rendered or drawn, and costs no
// image file; its row is named instead, as its label would lack the barcode.
class LabelPlaces
{
public:
    LabelPlaces() = default; // every place on the page
    // With the whole-page adjustment of the style and a printer's own shift.
    LabelPlaces(const LabelStyle& style, const PrintableArea& area, SheetLength shiftX = {},
                SheetLength shiftY = {});

    bool onPage(std::int64_t column, std::int64_t gridRow) const;
    // The same for cell `cell` of a page, numbered across each grid row, then down.
    bool cellOnPage(std::int64_t cell) const;

private:
    SheetLength m_x; // the first label's barcode corner, adjustment included
    SheetLength m_y;
    SheetLength m_width; // the barcode's size where the style sets it
    SheetLength m_height;
    bool m_sized = false;
    SheetLength m_stepX;
    SheetLength m_stepY;
    PrintableArea m_area;
    int m_columns = 1;
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
    // Whether the composition returns only once its label image files are written, with
    // their problems in the result. A print job sets it off and waits for the files
    // once at its end (PageComposer::finishImageFiles).
    bool waitForImageFiles = true;
};

// Why the label of a row lacks its barcode.
enum class LabelFault {
    NotEncodable, // the symbology cannot encode the number
    NoTitle,      // the row has no title: its label shows the number text only
    OffPaper,     // the label lies beyond the printable area and is not printed at all
};

// A data row whose label lacks its barcode.
struct FailedRow
{
    int row = 0;    // the 1-based row of the data list
    QString number; // the barcode number as entered
    LabelFault fault = LabelFault::NotEncodable;

    bool operator==(const FailedRow&) const = default;
};

// What a composition tells its caller.
struct PageResult
{
    int page = 1;             // CurrentPage after the composition: the page drawn, at least 1
    QString message;          // the message line: empty, or barcodeErrorMessage() of the first failing row
    int cellsPerPage = 0;     // N, cellsPerPage(style)
    int cellsDrawn = 0;       // cells with a place on the sheet whose row holds a title or a number
    bool hasNextPage = false; // the first row of the next page has a barcode number
    // The first image file that could not be deleted or written, with the system's
    // reason. The labels do not depend on the files, so they are drawn all the same.
    // Empty when every file was handled (or, without waitForImageFiles, when no
    // problem is known yet).
    QString imageError;
    // The rows of this page with a barcode number that could not be encoded, in order.
    std::vector<FailedRow> failedRows;
    // The rows of this page with a barcode number but no title, in order: their labels
    // show the number text and no barcode.
    std::vector<FailedRow> untitledRows;
    // The rows of this page with a title or a number whose label lies off the
    // printable area, in order: nothing of them is drawn.
    std::vector<FailedRow> offPaperRows;

    // Every row of this page with a barcode number whose label lacks its barcode, in
    // row order, each with the reason.
    std::vector<FailedRow> rowsWithoutBarcode() const;
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
// during a print) may rewrite the files at any moment. The files are written by a
// thread of their own (LabelImageWriter) while the page is drawn. Every composition
// renders every symbol again; the only thing kept between compositions is what was
// last written to each image file, so that a file still holding exactly the new
// picture is not written again.
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

    // Waits until the image files of every composition so far are written. Returns the
    // first that could not be written or removed, with the reason, not yet reported in
    // a composition's result; empty when none.
    QString finishImageFiles();

    BarImage& symbol() { return *m_symbol; }
    const QString& dataFolder() const { return m_dataFolder; }

private:
    // Renders the barcode of every cell of the page that has a row and lies on the
    // printable area, saves each as the cell's image file and returns the pictures, an
    // empty one where there is none. Reports file problems and the rows whose labels
    // will lack their barcode in `result`.
    std::vector<QImage> prepareLabelImages(const LabelStyle& style, const DataList& rows,
                                           const LabelPlaces& places, std::int64_t base, int withRows,
                                           int cells, PageResult& result);
    // Removes the image files of the page's cells that get no picture: those without
    // a row and those off the printable area.
    void removeStaleImages(const QString& folder, const LabelPlaces& places, int withRows, int cells,
                           std::int64_t offPage);

    std::unique_ptr<BarImage> m_ownedSymbol;
    BarImage* m_symbol;
    QString m_dataFolder;
    LabelImageWriter m_imageFiles; // last: it writes what waits before the rest goes
};

// Cells per page N: the labels the grid has places for, the integer parts of NUM_X
// and NUM_Y multiplied; 0 when either is below 1. A page takes exactly the rows it
// draws, so a fractional count loses no row. A page never needs more cells than the
// data list has rows, so N is held within DataList::kMaxRowCount.
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
