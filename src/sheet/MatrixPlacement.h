#pragma once

#include "sheet/PageComposer.h"
#include "symbol/ModuleMatrix.h"

#include <QRect>

namespace korbena {

// Where a two-dimensional symbol's picture goes on the surface. The picture holds
// whole modules of `unit` pixels (the component's Scale), quiet zone included; on
// the surface every module becomes a square of whole device pixels, so nothing is
// blurred and neither axis is stretched alone.
//
// - SIZE mode on with SIZE_X and SIZE_Y: the largest whole-pixel module whose symbol
//   fits the box, centred in it;
// - otherwise a module of `moduleSize` millimetres (rounded to whole pixels, at least
//   one) when it is given, else the picture's own size; centred in the box when the
//   box has both lengths, at its corner when not.
// A picture that is not whole modules (a text line under it) is placed as a linear one.
QRect matrixImageRect(const ImageScaling& scaling, QSize picture, int unit, QPoint at, SheetLength width,
                      SheetLength height, int mode, SheetLength moduleSize);

// Draws a matrix symbol's picture into `place`: each module a block of whole pixels.
void drawMatrixImage(Canvas& canvas, const QImage& picture, const QRect& place);

// The module size a style asks for; zero for the picture's own size.
SheetLength labelModuleSize(const LabelStyle& style);

// The QR Code error correction, DataMatrix shape and GS1 mode a style asks for.
MatrixOptions labelMatrixOptions(const LabelStyle& style);

} // namespace korbena
