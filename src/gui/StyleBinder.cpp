#include "gui/StyleBinder.h"

#include "controls/NumberEdit.h"
#include "session/AppController.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace korbena {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(sizeHint());
}

void ColorSwatch::setColor(TColor color)
{
    m_color = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter(this).fillRect(contentsRect(), toQColor(m_color));
    QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

namespace {

template <typename T> T valueOr(const StyleValue& value, T fallback)
{
    const T* held = std::get_if<T>(&value);
    return held ? *held : fallback;
}

void setEnabled(QObject* control, bool enabled)
{
    if (auto* group = qobject_cast<QButtonGroup*>(control)) {
        for (QAbstractButton* button : group->buttons())
            button->setEnabled(enabled);
    } else if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setEnabled(enabled);
    }
}

} // namespace

StyleBinder::StyleBinder(AppController& controller, QObject* parent)
    : QObject(parent), m_controller(controller)
{
    connect(&m_controller, &AppController::styleChanged, this, &StyleBinder::fill);
}

const StyleKey* StyleBinder::keyOf(StyleField field, QObject* control,
                                   std::initializer_list<StyleKind> kinds) const
{
    const StyleKey& key = styleKey(field);
    const bool fits = std::find(kinds.begin(), kinds.end(), key.kind) != kinds.end();
    Q_ASSERT_X(fits, "StyleBinder::bind", "a control of another kind than its field");
    if (!fits)
        return nullptr;
    control->setObjectName(QLatin1String(key.id));
    return &key;
}

void StyleBinder::add(const StyleKey* key, QObject* control, std::function<void(const StyleValue&)> fill,
                      std::function<StyleValue()> read)
{
    if (!key)
        return;
    m_bindings.push_back({key, std::move(fill), std::move(read), control});
}

void StyleBinder::edited(const StyleKey* key, const StyleValue& value)
{
    if (m_filling || !key)
        return;
    m_controller.editStyleField(key->field, value);
}

void StyleBinder::bind(StyleField field, NumberEdit* edit)
{
    const StyleKey* key = keyOf(field, edit, {StyleKind::Length, StyleKind::Count});
    add(
        key, edit,
        [edit](const StyleValue& v) {
            // The field being typed in already holds the value: setting it again would
            // reformat the text under the caret.
            const Extended value = valueOr<Extended>(v, 0);
            if (edit->Value() != value || edit->text().isEmpty())
                edit->SetValue(value);
        },
        [edit] { return StyleValue(edit->Value()); });
    const auto send = [this, key, edit] { edited(key, edit->Value()); };
    connect(edit, &NumberEdit::changed, this, send);
    // An emptied field reads as 0 without a change notification; leaving it says so.
    connect(edit, &NumberEdit::exited, this, send);
}

void StyleBinder::bind(StyleField field, QButtonGroup* group)
{
    const StyleKey* key = keyOf(field, group, {StyleKind::Index});
    add(
        key, group,
        [group](const StyleValue& v) {
            const std::int32_t index = valueOr<std::int32_t>(v, -1);
            if (QAbstractButton* button = group->button(index)) {
                button->setChecked(true);
            } else if (QAbstractButton* checked = group->checkedButton()) {
                group->setExclusive(false);
                checked->setChecked(false);
                group->setExclusive(true);
            }
        },
        [group] { return StyleValue(static_cast<std::int32_t>(group->checkedId())); });
    connect(group, &QButtonGroup::idClicked, this, [this, key](int id) { edited(key, std::int32_t{id}); });
}

void StyleBinder::bind(StyleField field, QComboBox* list)
{
    const StyleKey* key = keyOf(field, list, {StyleKind::Index, StyleKind::Text});
    if (!key)
        return;
    if (key->kind == StyleKind::Index) {
        add(
            key, list,
            [list](const StyleValue& v) {
                const std::int32_t index = valueOr<std::int32_t>(v, -1);
                list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
            },
            [list] { return StyleValue(static_cast<std::int32_t>(list->currentIndex())); });
        connect(list, &QComboBox::activated, this,
                [this, key](int index) { edited(key, std::int32_t{index}); });
        return;
    }
    // A character list: its items are the ones the symbology allows, its text the chosen one.
    const bool start = field == StyleField::StartChar;
    add(
        key, list,
        [this, list, start](const StyleValue& v) {
            const SymbologyRules& rules = m_controller.symbologyRules();
            const CharacterField& field = start ? rules.start : rules.stop;
            const QString text = valueOr<QString>(v, {});
            list->clear();
            list->addItems(field.items);
            if (!text.isEmpty() && list->findText(text) < 0)
                list->addItem(text);
            list->setCurrentIndex(text.isEmpty() ? -1 : list->findText(text));
        },
        [list] { return StyleValue(list->currentText()); });
    connect(list, &QComboBox::activated, this, [this, key, list] { edited(key, list->currentText()); });
}

void StyleBinder::bind(StyleField field, QCheckBox* box)
{
    const StyleKey* key = keyOf(field, box, {StyleKind::Flag});
    add(
        key, box, [box](const StyleValue& v) { box->setChecked(valueOr<bool>(v, false)); },
        [box] { return StyleValue(box->isChecked()); });
    connect(box, &QCheckBox::clicked, this, [this, key](bool checked) { edited(key, checked); });
}

void StyleBinder::bind(StyleField field, ColorSwatch* swatch)
{
    add(
        keyOf(field, swatch, {StyleKind::Colour}), swatch,
        [swatch](const StyleValue& v) { swatch->setColor(valueOr<TColor>(v, 0)); },
        [swatch] { return StyleValue(swatch->color()); });
}

void StyleBinder::bind(StyleField field, QLabel* caption)
{
    add(
        keyOf(field, caption, {StyleKind::Text}), caption,
        [caption](const StyleValue& v) { caption->setText(valueOr<QString>(v, {})); },
        [caption] { return StyleValue(caption->text()); });
}

void StyleBinder::fill()
{
    m_filling = true;
    const LabelStyle& style = m_controller.style();
    for (const Binding& binding : m_bindings) {
        const QSignalBlocker blocker(binding.control);
        binding.fill(styleValue(style, binding.key->field));
    }
    fillEnabledStates();
    m_filling = false;
}

void StyleBinder::fillEnabledStates()
{
    const SymbologyRules& rules = m_controller.symbologyRules();
    for (const Binding& binding : m_bindings) {
        std::optional<bool> enabled;
        if (binding.key->field == StyleField::StartChar)
            enabled = rules.start.enabled;
        else if (binding.key->field == StyleField::StopChar)
            enabled = rules.stop.enabled;
        else if (binding.key->field == StyleField::CheckDigit)
            enabled = rules.checkDigitEnabled;
        if (enabled)
            setEnabled(binding.control, *enabled);
    }
}

LabelStyle StyleBinder::read(LabelStyle base) const
{
    for (const Binding& binding : m_bindings)
        setStyleValue(base, binding.key->field, binding.read());
    return base;
}

std::vector<StyleField> StyleBinder::boundFields() const
{
    std::vector<StyleField> fields;
    for (const Binding& binding : m_bindings)
        fields.push_back(binding.key->field);
    return fields;
}

} // namespace korbena
