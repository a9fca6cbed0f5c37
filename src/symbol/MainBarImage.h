#pragma once

namespace korbena {

class BarImage;

// Gives a component the settings the main window stores for its one symbol:
// Scale 5, no human-readable text, Match and ClearOption on, check characters on,
// no vertical quiet zones, "ＭＳ Ｐゴシック" at 16 pixels, stretched and centred, and
// the code "494612200092": a 500 x 105 JAN symbol.
void configureMainWindowBarImage(BarImage& bar);

} // namespace korbena
