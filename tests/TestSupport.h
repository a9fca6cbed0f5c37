#pragma once

#include "platform/Color.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <ostream>

// Lets GoogleTest print Qt strings in failure messages.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os);
QT_END_NAMESPACE

namespace korbena::test {

// The colour of one pixel as a platform colour value.
TColor pixelAt(const QImage& image, int x, int y);

// The bounding box of the pixels that are not white.
QRect inked(const QImage& image);

// The runs of one image row as bar (1) / space (0) modules of the given width:
// returns a string of '1' and '0' per pixel from x0 to x1 (exclusive).
QString rowBits(const QImage& image, int y, int x0, int x1, TColor barColor = clBlack);

} // namespace korbena::test
