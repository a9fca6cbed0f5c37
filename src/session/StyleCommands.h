#pragma once

#include "document/LabelStyle.h"
#include "session/Dialogs.h"
#include "session/SessionHooks.h"
#include "session/StyleEditing.h"
#include "sheet/LabelText.h"
#include "sheet/SymbologyRules.h"

#include <QObject>
#include <QStringView>

namespace korbena {

class EditHistory;
class PreviewState;
class PrintCommands;

// The commands of the setting tabs' controls on the session's style: edits of single
// fields, the arrow buttons, Enter in the numeric fields, the font and colour pickers
// and the orientation group, with the symbology's rules they keep. The rules of each
// edit are StyleEditing's; every edit that changes the style is one step of the history.
// Every change of the style shows in the preview: the switches, the arrows and the
// pickers redraw at once, any other edit asks for a redraw that a burst of edits shares.
class StyleCommands : public QObject
{
    Q_OBJECT

public:
    StyleCommands(Dialogs& dialogs, LabelStyle& style, EditHistory& history, PrintCommands& print,
                  PreviewState& preview, SessionHooks& hooks, QObject* parent = nullptr);

    const SymbologyRules& symbologyRules() const { return m_rules; }
    void applySymbologyRules() { m_rules = ApplySymbologyRules(m_style); }
    // The rules of the style's symbology as it stands, its start and stop characters
    // left as they are (an undone step put them back).
    void refreshSymbologyRules();

    // An edit of one field, by its style-file key: a switch then redraws at once, the
    // orientation runs its paper command, the symbology its rules; the symbology and
    // any other field ask for a redraw, drawn once the burst of edits is over.
    void editStyleField(StyleField field, const StyleValue& value);
    // One of the 32 arrow buttons ("PictButton20"), with the keys held while clicking.
    void nudgeCommand(StyleField field, NudgeArrow arrow, Qt::KeyboardModifiers modifiers);
    // Enter in a numeric field ("ix", "xcopy"): true when the field must not see the key.
    bool enterKeyCommand(std::optional<StyleField> field);
    // The button "選択" of a font group: the font dialog, then a redraw either way.
    void fontCommand(TextRole role);
    // A click on a text colour or shadow colour swatch: the colour dialog; a colour
    // chosen asks for a redraw.
    void textColorCommand(TextRole role);
    void shadowColorCommand(TextRole role);
    // A click on the orientation group "用紙向き" (0 portrait, 1 landscape).
    void orientationCommand(int orientation);

signals:
    void styleChanged();

private:
    void run(const std::function<void()>& command) { runCommand(m_dialogs, command); }
    void RedrawPreview() { m_hooks.RedrawPreview(); }
    void explicitRedraw() { m_hooks.explicitRedraw(); }
    void applyStyleField(StyleField field, const StyleValue& value);
    // A colour of a text from the picker, one step of the history.
    void chooseColor(TColor& color, const QString& stepName);
    void applyOrientation(int orientation);

    Dialogs& m_dialogs;
    LabelStyle& m_style;
    EditHistory& m_history;
    PrintCommands& m_print;
    PreviewState& m_preview;
    SessionHooks& m_hooks;
    SymbologyRules m_rules;
};

} // namespace korbena
