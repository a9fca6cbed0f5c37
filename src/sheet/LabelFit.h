#pragma once

#include "document/LabelStyle.h"

namespace korbena {

// One label's cell on the printable area, in millimetres: the first label's top-left
// corner and the cell's size, which is the sheet's pitch.
struct LabelFrame
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool operator==(const LabelFrame&) const = default;
};

// Scales a label's content from the cell `from` to the cell `to`: the barcode's, the
// title's and the number's positions keep their proportions within the label (x by the
// width ratio, y by the height ratio), and so do the shadow offsets, the title's second
// line and the letter pitch. Font sizes follow the smaller ratio, so a text keeps its
// shape and grows no more than the label does either way, in whole points (nearest,
// at least 1). The barcode's size
// follows the ratios where the style sets both lengths, the smaller ratio where it sets
// one (the other follows the picture's proportions), and so does a matrix symbol's
// module; a barcode drawn at its picture's own size keeps it. Lengths are rounded to
// hundredths of a millimetre, the barcode's size down so it stays within its share.
// The sheet grid and everything else stay. A cell of no size changes nothing.
void fitLabelContent(LabelStyle& style, const LabelFrame& from, const LabelFrame& to);

} // namespace korbena
