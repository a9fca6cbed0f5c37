#pragma once

#include "document/LabelStyle.h"
#include "session/Dialogs.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace korbena {

// ---- the arrow buttons ----

enum class NudgeArrow { Up, Down, Left, Right };

// How far one click moves a length: 1 mm, 0.1 mm with Shift, 10 mm with Ctrl alone.
Extended NudgeStep(Qt::KeyboardModifiers modifiers);
// A length after a click: moved by the step ("↑" and "←" subtract), then cut to one
// decimal toward zero (2.37 to 2.3, -2.37 to -2.3).
Extended nudgedLength(Extended value, NudgeArrow arrow, Qt::KeyboardModifiers modifiers);

// One of the 32 arrow buttons beside the position, size, interval, shadow and
// adjustment fields: the length it moves and its direction. The vertical arrows move
// the Y field, the horizontal ones the X field.
struct NudgeButton
{
    StyleField field;
    NudgeArrow arrow;
};
std::span<const NudgeButton> nudgeButtons();
bool isNudgeButton(StyleField field, NudgeArrow arrow);
// The button's name among the window's controls: its field's, then the arrow's
// ("placement.y.up").
QString nudgeButtonId(StyleField field, NudgeArrow arrow);

// ---- the numeric fields ----

// What Enter does in a numeric field besides redrawing the preview: the key goes on
// to the field, or the field never sees it.
enum class EnterRule { None, RedrawAndPass, RedrawAndConsume };

// A numeric field of the setting tabs: the style's field it edits, or none for the
// copy count, which is no part of the style.
struct NumericControl
{
    std::optional<StyleField> field;
    EnterRule enter;
};
std::span<const NumericControl> numericControls();
EnterRule enterRule(std::optional<StyleField> field);

// ---- the switches ----

// What a click on a choice or tick box does once its value is taken: redraw at once,
// run the paper command of the orientation, run the symbology's rules (no redraw), or
// nothing until the next redraw.
enum class SwitchEffect { None, Redraw, PaperOrientation, SymbologyRules };
SwitchEffect switchEffect(StyleField field);

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
