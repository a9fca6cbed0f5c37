#pragma once

#include <QColor>

#include <cstdint>

namespace korbena {

// Colours are stored as the platform colour value 0x00BBGGRR; a value whose top
// byte is all ones names a system colour by its lowest byte.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor rgbColor(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Resolves a colour value, system colours included, to an opaque QColor.
QColor toQColor(TColor color);

// The colour value of an opaque QColor.
TColor fromQColor(const QColor& color);

} // namespace korbena
