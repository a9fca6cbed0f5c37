#include "platform/Color.h"

#include <array>

namespace korbena {

namespace {

// Default system colours of a light desktop theme, indexed by the system colour
// number (COLOR_SCROLLBAR = 0 ... COLOR_MENUBAR = 30).
constexpr std::array<TColor, 31> kSystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0,
};

} // namespace

QColor toQColor(TColor color)
{
    if ((color & 0xFF000000u) == 0xFF000000u) {
        const auto index = color & 0xFFu;
        color = index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

TColor fromQColor(const QColor& color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

} // namespace korbena
