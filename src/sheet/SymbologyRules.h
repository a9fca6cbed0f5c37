#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace korbena {

struct LabelStyle;

// What the start and stop character fields and the check-digit group show for a
// symbology: the fields are emptied first, then refilled with the characters the
// symbology allows. A field's text is its chosen item (or its fixed character);
// an enabled state of nothing means the control keeps its own (an unknown symbology).
struct CharacterField
{
    QStringList items;
    QString text;
    std::optional<bool> enabled;

    bool operator==(const CharacterField&) const = default;
};

struct SymbologyRules
{
    CharacterField start;
    CharacterField stop;
    // Symbologies whose check character is never optional: the group shows "使用する"
    // and is disabled. Otherwise it keeps its choice and is enabled.
    std::optional<bool> checkDigitEnabled;
    bool checkDigitForced = false;

    bool operator==(const SymbologyRules&) const = default;
};

// The rules of a symbology list entry (BARCODE_TYPE); -1 or an unknown number gives
// empty fields that keep their enabled states.
SymbologyRules symbologyRules(int barcodeType);

// Runs the rules on a style as a load does: START_CHAR and STOP_CHAR become what the
// fields now show, so the characters a style file holds never survive a load, and a
// forced check character turns the check digit on ("使用する"). Returns the rules for the
// controls that show them.
SymbologyRules ApplySymbologyRules(LabelStyle& style);

} // namespace korbena
