#include "sheet/LabelFit.h"

#include <algorithm>
#include <cmath>

namespace korbena {

namespace {

// Hundredths of a millimetre: what the style files of the shipped stocks hold. A tiny
// allowance keeps a product such as 40 x 0.69 from falling a hundredth short.
constexpr long double kHundredths = 100;
constexpr long double kAllowance = 1e-6L;

Extended nearestHundredth(long double value)
{
    return std::nearbyint(value * kHundredths) / kHundredths;
}

Extended hundredthBelow(long double value)
{
    return std::floor(value * kHundredths + kAllowance) / kHundredths;
}

struct Ratios
{
    long double x = 1;
    long double y = 1;
    long double smaller() const { return std::min(x, y); }
};

// A font size text scaled, in whole points; a size that is not a whole number stays,
// as the composer draws it at its default size whatever it says.
QString scaledPoints(const QString& size, long double ratio)
{
    bool ok = false;
    const int points = size.toInt(&ok);
    if (!ok || points <= 0)
        return size;
    const auto scaled = static_cast<long long>(std::nearbyint(points * ratio));
    return QString::number(std::clamp<long long>(scaled, 1, points * 100LL));
}

void fitText(TextBlock& text, const LabelFrame& from, const LabelFrame& to, Ratios r)
{
    text.x = nearestHundredth(to.x + (static_cast<long double>(text.x) - from.x) * r.x);
    text.y = nearestHundredth(to.y + (static_cast<long double>(text.y) - from.y) * r.y);
    text.shadowX = nearestHundredth(text.shadowX * r.x);
    text.shadowY = nearestHundredth(text.shadowY * r.y);
    // The pitch runs along the writing: across for horizontal text, down for vertical.
    text.pitch = nearestHundredth(text.pitch * (writingKind(text) == 0 ? r.x : r.y));
    text.fontSize = scaledPoints(text.fontSize, r.smaller());
}

void fitSymbol(LabelStyle& style, const LabelFrame& from, const LabelFrame& to, Ratios r)
{
    SymbolPlacement& p = style.placement;
    p.x = nearestHundredth(to.x + (static_cast<long double>(p.x) - from.x) * r.x);
    p.y = nearestHundredth(to.y + (static_cast<long double>(p.y) - from.y) * r.y);
    style.symbol.moduleSize = hundredthBelow(style.symbol.moduleSize * r.smaller());
    if (p.sizeMode == 0)
        return;
    if (p.width != 0 && p.height != 0) {
        p.width = hundredthBelow(p.width * r.x);
        p.height = hundredthBelow(p.height * r.y);
    } else {
        // The missing length follows the picture's proportions, so both go by one ratio.
        p.width = hundredthBelow(p.width * r.smaller());
        p.height = hundredthBelow(p.height * r.smaller());
    }
}

} // namespace

void fitLabelContent(LabelStyle& style, const LabelFrame& from, const LabelFrame& to)
{
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    const Ratios r{static_cast<long double>(to.width) / from.width,
                   static_cast<long double>(to.height) / from.height};
    fitSymbol(style, from, to, r);
    fitText(style.title, from, to, r);
    style.title.secondLineY = nearestHundredth(style.title.secondLineY * r.y);
    fitText(style.number, from, to, r);
}

} // namespace korbena
