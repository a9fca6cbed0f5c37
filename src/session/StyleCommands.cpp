// The commands behind the setting tabs: edits of single style fields,
// the arrow buttons, Enter in the numeric fields, the font and colour pickers and the
// orientation group. The rules they follow are StyleEditing's.
#include "session/StyleCommands.h"

#include "document/ValueText.h"
#include "session/PreviewState.h"
#include "session/PrintCommands.h"

namespace korbena {

namespace {

struct TextFields
{
    QString& face;
    QString& styleName;
    QString& size;
    TColor& color;
    TColor& shadow;
};

TextFields textFields(LabelStyle& s, TextRole role)
{
    if (role == TextRole::Title)
        return {s.title.fontName, s.title.fontStyle, s.title.fontSize, s.title.color, s.title.shadowColor};
    return {s.number.fontName, s.number.fontStyle, s.number.fontSize, s.number.color, s.number.shadowColor};
}

} // namespace

StyleCommands::StyleCommands(Dialogs& dialogs, LabelStyle& style, PrintCommands& print, PreviewState& preview,
                             SessionHooks& hooks, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_style(style), m_print(print), m_preview(preview), m_hooks(hooks)
{
}

void StyleCommands::editStyleField(StyleField field, const StyleValue& value)
{
    if (!setStyleValue(m_style, field, value))
        return;
    switch (switchEffect(field)) {
    case SwitchEffect::Redraw:
        emit styleChanged();
        explicitRedraw();
        return;
    case SwitchEffect::PaperOrientation:
        orientationCommand(m_style.sheet.orientation);
        return;
    case SwitchEffect::SymbologyRules:
        // The preview must not go on showing the symbology chosen before.
        m_rules = ApplySymbologyRules(m_style);
        emit styleChanged();
        m_preview.requestRedraw();
        return;
    case SwitchEffect::None:
        emit styleChanged();
        m_preview.requestRedraw();
        return;
    }
}

void StyleCommands::nudgeCommand(StyleField field, NudgeArrow arrow, Qt::KeyboardModifiers modifiers)
{
    if (!isNudgeButton(field, arrow))
        return;
    const auto length = std::get<Extended>(styleValue(m_style, field));
    setStyleValue(m_style, field, nudgedLength(length, arrow, modifiers));
    emit styleChanged();
    explicitRedraw();
}

bool StyleCommands::enterKeyCommand(std::optional<StyleField> field)
{
    const EnterRule rule = enterRule(field);
    if (rule == EnterRule::None)
        return false;
    explicitRedraw();
    return rule == EnterRule::RedrawAndConsume;
}

void StyleCommands::fontCommand(TextRole role)
{
    TextFields text = textFields(m_style, role);
    FontChoice initial;
    initial.face = text.face;
    initial.pointSize = readInteger32(text.size).value_or(0);
    const FontStyle style = FontStyleFromName(text.styleName);
    initial.bold = style.bold;
    initial.italic = style.italic;
    initial.color = text.color;
    if (const auto chosen = m_dialogs.chooseFont(initial)) {
        text.face = chosen->face;
        text.size = QString::number(chosen->pointSize);
        text.color = chosen->color;
        text.styleName = fontStyleName(*chosen);
        emit styleChanged();
    }
    explicitRedraw();
}

void StyleCommands::textColorCommand(TextRole role)
{
    TColor& color = textFields(m_style, role).color;
    if (const auto chosen = m_dialogs.chooseColor(color)) {
        color = *chosen;
        emit styleChanged();
        m_preview.requestRedraw();
    }
}

void StyleCommands::shadowColorCommand(TextRole role)
{
    TColor& color = textFields(m_style, role).shadow;
    if (const auto chosen = m_dialogs.chooseColor(color)) {
        color = *chosen;
        emit styleChanged();
        m_preview.requestRedraw();
    }
}

void StyleCommands::orientationCommand(int orientation)
{
    run([&] {
        m_style.sheet.orientation = orientation;
        m_print.applyStylePaper();
        m_print.readDeviceMetrics();
        emit styleChanged();
        RedrawPreview();
    });
}

} // namespace korbena
