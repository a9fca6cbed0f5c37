#pragma once

#include "session/StyleEditing.h"

#include <QFrame>
#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

namespace korbena {

class AppController;
class NumberEdit;

// A colour as a swatch: its background shows the colour, a click asks for another.
class ColorSwatch : public QFrame
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color);
    QSize sizeHint() const override { return {44, 20}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor m_color = 0;
};

// Binds the setting controls to the controller's style through the style file's key
// table: one bind() per control, whatever its field, which also names the control by
// its field ("title.printed"). The controls are filled from the style whenever it
// changes, with their signals blocked so that nothing echoes back; what the user does
// in a control goes to the controller as an edit of its field.
class StyleBinder : public QObject
{
public:
    StyleBinder(AppController& controller, QObject* parent = nullptr);

    // Lengths and counts.
    void bind(StyleField field, NumberEdit* edit);
    // Indexes: the button's id in the group is its index.
    void bind(StyleField field, QButtonGroup* group);
    // Indexes (the symbology list, the paper list), or the text of the chosen item
    // (the start and stop characters, whose items the symbology's rules give).
    void bind(StyleField field, QComboBox* list);
    void bind(StyleField field, QCheckBox* box);
    // Colours: the swatch's click is a command of its own (a colour dialog).
    void bind(StyleField field, ColorSwatch* swatch);
    // Texts shown as captions (the font face, style word and size).
    void bind(StyleField field, QLabel* caption);

    // Every control from the controller's style and symbology rules.
    void fill();
    // The style as the controls hold it, over `base` for the fields nothing binds.
    LabelStyle read(LabelStyle base) const;
    std::vector<StyleField> boundFields() const;

private:
    struct Binding
    {
        const StyleKey* key;
        std::function<void(const StyleValue&)> fill;
        std::function<StyleValue()> read;
        QObject* control;
    };
    const StyleKey* keyOf(StyleField field, QObject* control, std::initializer_list<StyleKind> kinds) const;
    void add(const StyleKey* key, QObject* control, std::function<void(const StyleValue&)> fill,
             std::function<StyleValue()> read);
    void edited(const StyleKey* key, const StyleValue& value);
    void fillEnabledStates();

    AppController& m_controller;
    std::vector<Binding> m_bindings;
    bool m_filling = false;
};

} // namespace korbena
