#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "sheet/LabelFit.h"
#include "sheet/SheetCatalogue.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace korbena {

// Elements of a label, as the checks name them.
struct LabelElements
{
    bool barcode = false;
    bool title = false;
    bool number = false;

    bool any() const { return barcode || title || number; }
    // The elements set, in the label's drawing order: "バーコード、タイトル、番号".
    QString names() const;
    bool operator==(const LabelElements&) const = default;
};

// A label's barcode picture as the symbol component drew it: its size in pixels (empty
// when the number gave no symbol) and the pixels of a module (the component's Scale),
// which place a two-dimensional symbol.
struct LabelPicture
{
    QSize size;
    int unit = 5;
};

// The resolution the extents are measured at: a printer's, fine enough that rounding
// to device pixels moves nothing by more than a twentieth of a millimetre.
inline constexpr int kExtentsDpi = 600;

// Where the composer draws a label's elements on a printer page, in device pixels from
// the printable area's corner, for the first cell and without the page adjustment: the
// barcode as its picture is stretched, each text as its font measures the strings it
// draws, both title lines and the shadows included. An element not drawn is empty.
struct LabelExtents
{
    QRect barcode;
    QRect title;
    QRect number;
};
LabelExtents labelExtents(const LabelStyle& style, const QString& title, const QString& number,
                          const LabelPicture& picture, int dpi = kExtentsDpi);

// Whether a barcode's drawn size depends on its picture: it does unless the style sets
// both lengths of a linear symbol.
bool drawnSizeFollowsPicture(const LabelStyle& style);

// The elements of a label of this title and number that run outside the cell `frame`.
// Every cell is the first moved by the pitch, as are its elements, so the first serves.
LabelElements elementsOutside(const LabelStyle& style, const LabelFrame& frame, const QString& title,
                              const QString& number, const LabelPicture& picture);

// The cell of a layout's first label on a printable area starting (offsetX, offsetY)
// from the paper's corner: the label's corner and the pitch.
LabelFrame layoutFrame(const SheetLayout& layout, double offsetX, double offsetY);

// The cell of the style's first label where a stock of the style's grid says where it
// is: the one whose first label holds the elements, else the first of that grid. Only
// there do the labels' edges lie where the check can hold the content to them.
std::optional<LabelFrame> stockLabelFrame(const LabelStyle& style, const std::vector<SheetLayout>& layouts,
                                          double offsetX, double offsetY);
// The same, and for a grid no stock has, the cell taken to be centred on what the style
// draws whatever the row (the barcode's box, the title's first line and the number's
// line): where content is scaled from.
LabelFrame labelFrameOf(const LabelStyle& style, const std::vector<SheetLayout>& layouts, double offsetX,
                        double offsetY);

// Lays the style out for the stock as applySheetLayout does and, with `fitContent`,
// scales its content from its current cell (labelFrameOf) to the stock's rather than
// only moving it. Returns whether the paper was set.
bool layOutForStock(LabelStyle& style, const SheetLayout& layout, const std::vector<SheetLayout>& layouts,
                    double offsetX, double offsetY, bool fitContent);

// A row whose label runs outside its cell, and which of its elements do.
struct RowOutside
{
    int row = 0;
    LabelElements elements;
};
// The rows that will print (printedRows) whose barcode or texts run outside the cell
// `frame`, each row's symbol rendered as the composer renders it where its drawn size
// depends on it. A frame of no size finds nothing.
std::vector<RowOutside> rowsOutsideLabel(const LabelStyle& style, const DataList& rows,
                                         const LabelFrame& frame, int startLabel = 1);

} // namespace korbena
