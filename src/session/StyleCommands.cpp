// The commands behind the setting tabs: edits of single style fields,
// the arrow buttons, Enter in the numeric fields, the font and colour pickers and the
// orientation group. The rules they follow are StyleEditing's.
#include "session/StyleCommands.h"

#include "document/ValueText.h"
#include "session/EditHistory.h"
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

QString stepName(StyleField field)
{
    switch (field) {
    case StyleField::Symbology:
        return QStringLiteral("バーコード種類変更");
    case StyleField::Orientation:
        return QStringLiteral("用紙向き変更");
    default:
        return QStringLiteral("スタイル変更");
    }
}

} // namespace

StyleCommands::StyleCommands(Dialogs& dialogs, LabelStyle& style, EditHistory& history, PrintCommands& print,
                             PreviewState& preview, SessionHooks& hooks, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_style(style), m_history(history), m_print(print),
      m_preview(preview), m_hooks(hooks)
{
}

void StyleCommands::refreshSymbologyRules()
{
    LabelStyle scratch = m_style;
    m_rules = ApplySymbologyRules(scratch);
}

void StyleCommands::editStyleField(StyleField field, const StyleValue& value)
{
    const LabelStyle before = m_style;
    applyStyleField(field, value);
    m_history.recordStyle(stepName(field), before);
}

void StyleCommands::applyStyleField(StyleField field, const StyleValue& value)
{
    if (!setStyleValue(m_style, field, value))
        return;
    switch (switchEffect(field)) {
    case SwitchEffect::Redraw:
        emit styleChanged();
        explicitRedraw();
        return;
    case SwitchEffect::PaperOrientation:
        applyOrientation(m_style.sheet.orientation);
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
    const LabelStyle before = m_style;
    const auto length = std::get<Extended>(styleValue(m_style, field));
    setStyleValue(m_style, field, nudgedLength(length, arrow, modifiers));
    m_history.recordStyle(QStringLiteral("位置微調整"), before, field);
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
        const LabelStyle before = m_style;
        text.face = chosen->face;
        text.size = QString::number(chosen->pointSize);
        text.color = chosen->color;
        text.styleName = fontStyleName(*chosen);
        m_history.recordStyle(QStringLiteral("フォント変更"), before);
        emit styleChanged();
    }
    explicitRedraw();
}

void StyleCommands::textColorCommand(TextRole role)
{
    chooseColor(textFields(m_style, role).color, QStringLiteral("文字色変更"));
}

void StyleCommands::shadowColorCommand(TextRole role)
{
    chooseColor(textFields(m_style, role).shadow, QStringLiteral("影色変更"));
}

void StyleCommands::chooseColor(TColor& color, const QString& stepName)
{
    if (const auto chosen = m_dialogs.chooseColor(color)) {
        const LabelStyle before = m_style;
        color = *chosen;
        m_history.recordStyle(stepName, before);
        emit styleChanged();
        m_preview.requestRedraw();
    }
}

void StyleCommands::orientationCommand(int orientation)
{
    const LabelStyle before = m_style;
    applyOrientation(orientation);
    m_history.recordStyle(stepName(StyleField::Orientation), before);
}

void StyleCommands::applyOrientation(int orientation)
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
