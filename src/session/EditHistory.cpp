// The undo and redo history of the rows and the style.
#include "session/EditHistory.h"

#include "session/DataGridModel.h"
#include "session/HistorySteps.h"

#include <variant>

namespace korbena {

namespace {

// Sets each field of `target` in which `from` and `to` differ to its value in `to`;
// true when the paper or its orientation was among them.
bool copyChangedFields(const LabelStyle& from, const LabelStyle& to, LabelStyle& target)
{
    LabelStyle a = from, b = to;
    bool paper = false;
    for (const StyleKey& key : styleKeys()) {
        std::visit(
            [&](auto* was, auto* now) {
                using Field = std::remove_pointer_t<decltype(was)>;
                if constexpr (std::is_same_v<decltype(was), decltype(now)>) {
                    if (*was == *now)
                        return;
                    *std::get<Field*>(key.ref(target)) = *now;
                    paper = paper || key.field == StyleField::Paper || key.field == StyleField::Orientation;
                }
            },
            key.ref(a), key.ref(b));
    }
    if (from.displayKey != to.displayKey)
        target.displayKey = to.displayKey;
    return paper;
}

// The steps under a step, itself included.
std::size_t stepBytes(const QUndoCommand* step)
{
    std::size_t total = 0;
    if (const auto* own = dynamic_cast<const HistoryStep*>(step))
        total += own->bytes();
    else
        total += sizeof(QUndoCommand);
    for (int i = 0; i < step->childCount(); ++i)
        total += stepBytes(step->child(i));
    return total;
}

} // namespace

EditHistory::EditHistory(DataGridModel& grid, LabelStyle& style, QObject* parent)
    : QObject(parent), m_grid(grid), m_style(style)
{
    m_stack.setUndoLimit(kUndoLimit);
}

EditHistory::~EditHistory()
{
    delete m_group;
}

void EditHistory::undo()
{
    ++m_replaying;
    m_stack.undo();
    --m_replaying;
}

void EditHistory::redo()
{
    ++m_replaying;
    m_stack.redo();
    --m_replaying;
}

void EditHistory::clear()
{
    if (m_stack.count() == 0)
        return;
    m_stack.clear();
    emit historyChanged();
}

EditHistory::Group::Group(EditHistory& history, const QString& name) : m_history(history)
{
    if (history.m_groupDepth++ == 0 && history.recording())
        history.m_group = new QUndoCommand(name);
}

EditHistory::Group::~Group()
{
    if (--m_history.m_groupDepth == 0)
        m_history.endGroup();
}

void EditHistory::endGroup()
{
    QUndoCommand* group = std::exchange(m_group, nullptr);
    if (!group)
        return;
    if (group->childCount() == 0) {
        delete group;
        return;
    }
    ++m_replaying; // the children's first redo finds them done; nothing may record meanwhile
    m_stack.push(group);
    --m_replaying;
    emit historyChanged();
}

void EditHistory::add(QUndoCommand* step)
{
    if (m_group)
        return; // made under the group, which keeps it
    ++m_replaying;
    m_stack.push(step);
    --m_replaying;
    emit historyChanged();
}

void EditHistory::recordStyle(const QString& name, const LabelStyle& before,
                              std::optional<StyleField> mergeField)
{
    if (!recording() || before == m_style)
        return;
    add(new StyleStep(*this, name, openGroup(), before, m_style, m_group ? std::nullopt : mergeField));
}

void EditHistory::restoreStyle(const LabelStyle& from, const LabelStyle& to)
{
    emit styleRestored(copyChangedFields(from, to, m_style));
}

void EditHistory::endTyping()
{
    if (m_stack.index() > 0) {
        // The stack hands its steps out read-only; sealing changes no text, only merging.
        if (auto* cells =
                dynamic_cast<CellsStep*>(const_cast<QUndoCommand*>(m_stack.command(m_stack.index() - 1))))
            cells->seal();
    }
}

std::size_t EditHistory::estimatedBytes() const
{
    std::size_t total = sizeof(*this);
    for (int i = 0; i < m_stack.count(); ++i)
        total += stepBytes(m_stack.command(i));
    return total;
}

} // namespace korbena
