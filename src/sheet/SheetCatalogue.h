#pragma once

#include "document/LabelStyle.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace korbena {

// One kind of label stock: a sheet of paper with a grid of equal rectangular labels.
// Lengths are millimetres; positions are measured from the paper's top-left corner.
struct SheetLayout
{
    QString maker;       // the brand, "汎用" for the generic layouts
    QString partNumber;  // the maker's product number
    QString description; // as the template file gives it
    QString source;      // the template file it was read from; empty for the generic layouts

    int paperCode = 0; // Windows paper code (a PaperList entry); 0 when the list holds no such paper
    double paperWidth = 0;
    double paperHeight = 0;

    double labelWidth = 0;
    double labelHeight = 0;
    int across = 1; // labels across and down the sheet
    int down = 1;
    double pitchX = 0; // from one label's corner to the next one's
    double pitchY = 0;
    double firstX = 0; // the first (top-left) label's top-left corner
    double firstY = 0;

    int labelsPerSheet() const { return across * down; } // 面数
    QString name() const { return maker + u' ' + partNumber; }

    bool operator==(const SheetLayout&) const = default;
};

// The generic A4 layouts by 面数: 12, 18, 21, 24, 40, 44 and 65 labels, each grid
// centred on the sheet.
std::vector<SheetLayout> builtInLayouts();

// The layouts a search text finds. Every word of the text must match: a word that
// is a number followed by "面" matches the layouts with that many labels; a bare
// number matches those, or a part number that contains it; any other word matches
// a maker, part number or description that contains it, ignoring case. Full-width
// digits and letters count as their ASCII forms. An empty text finds every layout.
std::vector<SheetLayout> searchLayouts(const std::vector<SheetLayout>& layouts, QStringView text);

// A point on the printable area, in millimetres: where label positions are measured from.
struct SheetPoint
{
    double x = 0;
    double y = 0;
    bool operator==(const SheetPoint&) const = default;
};

// Where a layout's first label lies on the printable area of a printer whose
// printable area starts (offsetX, offsetY) from the paper's corner (DeviceMetrics).
SheetPoint firstLabelOnPrintableArea(const SheetLayout& layout, double offsetX, double offsetY);

// A style keeps its element positions on the sheet, not within a label, so where its
// first label lies has to be worked out: the first label of the first layout (the
// generic ones come first) with the style's grid (counts across and down, pitch)
// whose first label holds the barcode, title and number positions; the printable
// area's corner when there is none, where the default style has it.
SheetPoint currentFirstLabel(const LabelStyle& style, const std::vector<SheetLayout>& layouts, double offsetX,
                             double offsetY);
// The same without the fallback: nothing when no layout of the style's grid holds them.
std::optional<SheetPoint> firstLabelHolding(const LabelStyle& style, const std::vector<SheetLayout>& layouts,
                                            double offsetX, double offsetY);
// Whether the style's grid is the layout's: counts across and down, and pitch.
bool sameSheetGrid(const LabelStyle& style, const SheetLayout& layout);

// Makes the style print on the layout's stock: counts across and down, the pitch,
// portrait paper of the layout's size, and the barcode, title and number moved by as
// much as the first label moves from `currentFirst` to the layout's first label, so
// that they keep their places within the label. The page adjustment (X_OFFSET,
// Y_OFFSET) is the user's printer correction and stays. Returns whether the paper
// was set: a stock of a size the paper list lacks leaves PAPERSIZE as it was.
bool applySheetLayout(LabelStyle& style, const SheetLayout& layout, SheetPoint currentFirst, double offsetX,
                      double offsetY);

// The sheet catalogue: the generic layouts followed by the label templates installed
// on the system for the open label programs (see GlabelsTemplates.h).
struct SheetCatalogue
{
    std::vector<SheetLayout> layouts;
    QStringList templateFiles; // the template files read
    int skippedTemplates = 0;  // templates of shapes or layouts a style cannot hold
};
SheetCatalogue loadSheetCatalogue();
// The same from given template folders (for tests and for a folder the user names).
SheetCatalogue loadSheetCatalogue(const QStringList& templateFolders);

} // namespace korbena
