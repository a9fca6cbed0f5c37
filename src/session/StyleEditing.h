#pragma once

#include "document/LabelStyle.h"
#include "session/Dialogs.h"

#include <QString>
#include <QStringView>

#include <span>
#include <variant>

namespace korbena {

// One style field's value as its control holds it: a length or count, an index, a
// flag, a colour or a text.
using StyleValue = std::variant<Extended, std::int32_t, bool, TColor, QString>;

StyleValue styleValue(const LabelStyle& style, const StyleKey& key);
// False when the value is not of the field's kind; the style is then unchanged.
bool setStyleValue(LabelStyle& style, const StyleKey& key, const StyleValue& value);

// ---- the arrow buttons ----

enum class NudgeArrow { Up, Down, Left, Right };

// How far one click moves a length: 1 mm, 0.1 mm with Shift, 10 mm with Ctrl alone.
Extended NudgeStep(Qt::KeyboardModifiers modifiers);
// A length after a click: moved by the step ("↑" and "←" subtract), then cut to one
// decimal toward zero (2.37 to 2.3, -2.37 to -2.3).
Extended nudgedLength(Extended value, NudgeArrow arrow, Qt::KeyboardModifiers modifiers);

// One of the 32 arrow buttons beside the position, size, interval, shadow and
// adjustment fields.
struct NudgeButton
{
    const char* name;    // "PictButton20"
    const char16_t* key; // the field it moves, "[Y_LOCATE]"
    NudgeArrow arrow;
};
std::span<const NudgeButton> nudgeButtons();
const NudgeButton* findNudgeButton(QStringView name);

// ---- the numeric fields ----

// What Enter does in a numeric field besides redrawing the preview: the key goes on
// to the field, or the field never sees it.
enum class EnterRule { None, RedrawAndPass, RedrawAndConsume };

// A numeric field of the setting tabs by its control's name ("ix"), with the style
// key it edits (empty for the copy count "xcopy", which is no part of the style).
struct NumericControl
{
    const char* control;
    const char16_t* key;
    EnterRule enter;
};
std::span<const NumericControl> numericControls();
EnterRule enterRule(QStringView control);
// The name of the control that holds a numeric style field ("[SUB_Y]" is "NValEdit1").
QString numericControlName(QStringView key);

// ---- the switches ----

// What a click on a choice or tick box does once its value is taken: redraw at once,
// run the paper command of the orientation, run the symbology's rules (no redraw), or
// nothing until the next redraw.
enum class SwitchEffect { None, Redraw, PaperOrientation, SymbologyRules };
SwitchEffect switchEffect(QStringView key);

// ---- the font pickers ----

// The style word the font group's label shows for a chosen font: "太字", "斜体" or
// "太字斜体" for exactly bold, italic or both; empty for anything else, a font with
// underline or strike-out included, which the label texts then draw regular.
QString fontStyleName(const FontChoice& font);

// ---- the tab "注意事項" ----

// The read-only note for the user: what each symbology accepts, its start and stop
// characters and its check character, in four sections.
QString cautionNote();

} // namespace korbena
