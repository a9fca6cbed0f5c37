#include "symbol/BarImage.h"

namespace korbena {

// Ties the component to the system clipboard while watching is on.
class ClipboardLink
{
};

BarImage::BarImage()
{
    FOnClipChange = [this](BarImage& sender) { ClipChanged(sender); };
}

BarImage::~BarImage()
{
    SetClipWatch(false);
    FWindowHandle.reset();
}

void BarImage::SetClipWatch(bool value)
{
    FClipWatch = value;
}

void BarImage::CopyToClipboard() {}

void BarImage::PasteFromClipboard() {}

void BarImage::ClipChanged(BarImage& /*sender*/) {}

} // namespace korbena
