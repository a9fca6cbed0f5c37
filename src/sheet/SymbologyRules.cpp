#include "sheet/SymbologyRules.h"

#include "document/LabelStyle.h"
#include "symbol/BarTypes.h"

namespace korbena {

namespace {

CharacterField disabledEmpty()
{
    return {{}, {}, false};
}

CharacterField choice(const QStringList& items, QString chosen, bool enabled)
{
    return {items, std::move(chosen), enabled};
}

} // namespace

SymbologyRules symbologyRules(int barcodeType)
{
    SymbologyRules rules;
    switch (barcodeType) {
    case cbarJAN:
    case cbarUPC:
    case cbarIATA:
    case cbarCUSTOMER:
    // The two-dimensional symbols and GS1-128 carry their own error detection.
    case cbarQR:
    case cbarDATAMATRIX:
    case cbarPDF417:
    case cbarGS1_128:
        rules.start = rules.stop = disabledEmpty();
        rules.checkDigitForced = true;
        break;
    case cbarITF:
    case cbarCTF:
    case cbarMATRIX:
    case cbarNEC:
        rules.start = rules.stop = disabledEmpty();
        break;
    case cbarCODE39:
        rules.start = rules.stop = choice({QStringLiteral("*")}, QStringLiteral("*"), false);
        break;
    case cbarNW7: {
        const QStringList letters{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                  QStringLiteral("D")};
        rules.start = rules.stop = choice(letters, QStringLiteral("A"), true);
        break;
    }
    case cbarCODE128:
        // The character set is the user's to choose: nothing is selected, and the symbol
        // keeps its previous start character until a letter is picked.
        rules.start = choice({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, {}, true);
        rules.stop = disabledEmpty();
        rules.checkDigitForced = true;
        break;
    case cbarCODE93:
        rules.start = {{}, QStringLiteral("("), false};
        rules.stop = {{}, QStringLiteral(")"), false};
        rules.checkDigitForced = true;
        break;
    default:
        return rules;
    }
    rules.checkDigitEnabled = !rules.checkDigitForced;
    return rules;
}

SymbologyRules ApplySymbologyRules(LabelStyle& style)
{
    SymbologyRules rules = symbologyRules(style.symbol.symbology ? *style.symbol.symbology : -1);
    style.symbol.startChar = rules.start.text;
    style.symbol.stopChar = rules.stop.text;
    if (rules.checkDigitForced)
        style.symbol.checkDigit = true;
    return rules;
}

} // namespace korbena
