#include "symbol/BarImage.h"

namespace korbena {

// Mirroring, rotation, the frame and the vector path are not built yet: each slot
// does nothing, so a symbol comes out upright, unmirrored and unframed, and a
// vector picture draws nothing.

void BarImage::MirrorPicture() {}

void BarImage::ApplyOrientation(int /*angle*/) {}

void BarImage::DrawFrame(Canvas& /*canvas*/, const Rect& /*rect*/) {}

void BarImage::RenderMetafile() {}

} // namespace korbena
