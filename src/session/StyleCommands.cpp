// The commands behind the setting tabs: edits of single style fields,
// the arrow buttons, Enter in the numeric fields, the font and colour pickers and the
// orientation group. The rules they follow are StyleEditing's.
#include "session/StyleCommands.h"

#include "document/ValueText.h"
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
        return {s.TITLE_FONT_NAME, s.TITLE_FONT_BOLD, s.TITLE_FONT_SIZE, s.TITLE_FONT_COLOE, s.G_TITLE_COLOR};
    return {s.BARCODE_FONT_NAME, s.BARCODE_FONT_BOLD, s.BARCODE_FONT_SIZE, s.BARCODE_FONT_COLOR,
            s.G_BARCODE_COLOR};
}

} // namespace

StyleCommands::StyleCommands(Dialogs& dialogs, LabelStyle& style, PrintCommands& print, SessionHooks& hooks,
                             QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_style(style), m_print(print), m_hooks(hooks)
{
}

void StyleCommands::editStyleField(QStringView key, const StyleValue& value)
{
    const StyleKey* field = findStyleKey(key);
    if (!field || !setStyleValue(m_style, *field, value))
        return;
    switch (switchEffect(key)) {
    case SwitchEffect::Redraw:
        emit styleChanged();
        explicitRedraw();
        return;
    case SwitchEffect::PaperOrientation:
        orientationCommand(m_style.PAPERLAND);
        return;
    case SwitchEffect::SymbologyRules:
        m_rules = ApplySymbologyRules(m_style);
        emit styleChanged();
        return;
    case SwitchEffect::None:
        emit styleChanged();
        return;
    }
}

void StyleCommands::nudgeCommand(QStringView button, Qt::KeyboardModifiers modifiers)
{
    const NudgeButton* nudge = findNudgeButton(button);
    const StyleKey* key = nudge ? findStyleKey(nudge->key) : nullptr;
    const auto* member = key ? std::get_if<Extended LabelStyle::*>(&key->field) : nullptr;
    if (!member)
        return;
    Extended& length = m_style.**member;
    length = nudgedLength(length, nudge->arrow, modifiers);
    emit styleChanged();
    explicitRedraw();
}

bool StyleCommands::enterKeyCommand(QStringView control)
{
    const EnterRule rule = enterRule(control);
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
    }
}

void StyleCommands::shadowColorCommand(TextRole role)
{
    TColor& color = textFields(m_style, role).shadow;
    if (const auto chosen = m_dialogs.chooseColor(color)) {
        color = *chosen;
        emit styleChanged();
    }
}

void StyleCommands::orientationCommand(int orientation)
{
    run([&] {
        m_style.PAPERLAND = orientation;
        m_print.applyStylePaper();
        m_print.readDeviceMetrics();
        emit styleChanged();
        RedrawPreview();
    });
}

} // namespace korbena
