#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"

#include <QImage>
#include <QString>

#include <memory>

namespace korbena {

class BarImage;
class Canvas;
struct DeviceMetrics;

// Where a page lands. On the preview a barcode image's own size follows the zoom and
// point sizes are realised at the preview's resolution; on a printer page an image
// pixel keeps the size it has on the screen at 100 per cent and point sizes are
// realised at the printer's resolution.
enum class SurfaceKind { Preview, Printer };

// The message line's text when a titled cell has no barcode image.
QString barcodeErrorMessage();

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
};

// What a composition tells its caller.
struct PageResult
{
    int page = 1;             // CurrentPage after the composition: the page drawn, at least 1
    QString message;          // the message line: empty, or barcodeErrorMessage()
    int cellsPerPage = 0;     // N, the integer part of NUM_X x NUM_Y
    int cellsDrawn = 0;       // cells that showed an image, a title or a number
    bool hasNextPage = false; // the first row of the next page has a barcode number
};

// A preview page as the window shows it: the blue-grey sheet, the white printable
// area with its outline, and the labels on it.
struct PreviewPage
{
    QImage image;
    PageResult result;
};

// Draws pages of a label sheet: every cell's barcode is rendered by the symbol
// component, saved as "barimage/barcode_NNN.bmp" under the data folder and then
// stretched onto the surface beside the title and the number text. The same path
// draws the preview and the printed page. Nothing is cached between compositions;
// the files of the page's cells are rewritten every time.
class PageComposer
{
public:
    // Drives the caller's symbol component (the main window's one), which is left
    // with the style's settings and the Code of the page's last cell.
    PageComposer(BarImage& symbol, QString dataFolder, QString installFolder = {});
    // Owns a component set up as the main window's.
    explicit PageComposer(QString dataFolder, QString installFolder = {});
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
                               int page, int zoomPercent);

    // The image file of cell `cell`: DataFolder/barimage/barcode_NNN.bmp.
    QString imagePath(int cell) const;

    BarImage& symbol() { return *m_symbol; }
    const QString& dataFolder() const { return m_dataFolder; }
    const QString& installFolder() const { return m_installFolder; }

private:
    std::unique_ptr<BarImage> m_ownedSymbol;
    BarImage* m_symbol;
    QString m_dataFolder;
    QString m_installFolder;
};

// Cells per page N: the integer part of NUM_X x NUM_Y, the product taken before
// truncation; 0 when either count is not positive.
int cellsPerPage(const LabelStyle& style);

// Whether page `page` exists: its first data row, (page - 1) x N + 1, has a barcode
// number. Rows at or beyond the end of the list are empty.
bool pageExists(const DataList& rows, int cellsPerPage, int page);

// "barcode_" + the cell index with at least three digits + ".bmp".
QString labelImageFileName(int cell);

} // namespace korbena
