#pragma once

#include <QByteArray>

namespace korbena {

// A recorded vector picture: the drawing operations of one symbol as SVG, with its
// logical size in pixels. Enhanced and classic metafiles share this form; the flag
// only remembers which one was asked for.
struct Metafile
{
    QByteArray svg;
    int width = 0;
    int height = 0;
    bool enhanced = true;
};

} // namespace korbena
