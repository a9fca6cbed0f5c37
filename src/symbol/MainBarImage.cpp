#include "symbol/MainBarImage.h"

#include "symbol/BarImage.h"

namespace korbena {

void configureMainWindowBarImage(BarImage& bar)
{
    // Stored settings are applied with painting suspended, then drawn once.
    bar.SetBarEnabled(false);
    FontSpec font;
    font.face = QStringLiteral("ＭＳ Ｐゴシック");
    font.height = -16;
    font.charset = FontCharset::ShiftJis;
    bar.SetBarFont(&font);
    bar.SetScale(5);
    bar.SetSymbolDisp(false);
    bar.SetMatch(true);
    bar.SetClearOption(true);
    bar.SetCD(true);
    bar.SetBarSpaceUp(0);
    bar.SetBarSpaceDown(0);
    bar.SetBarLeft(0);
    bar.SetBarTop(0);
    bar.SetStretch(true);
    bar.SetCenter(true);
    bar.SetCode(QStringLiteral("494612200092"));
    bar.SetBarEnabled(true);
}

} // namespace korbena
