#pragma once

#include "document/LabelStyle.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <optional>

namespace korbena {

class DataGridModel;

// The undo and redo history of a session's two documents: one step for every command
// that changes the rows or the style, named for the user ("連番", "3行削除"). Steps
// keep what they changed, not copies of the list: the grid model records its own
// commands into the history, the style commands record the style before and after.
//
// Steps are recorded after the change is made, so the first redo the stack asks of
// a new step does nothing. While a step is undone or redone, nothing records.
class EditHistory : public QObject
{
    Q_OBJECT

public:
    // How many steps the user can walk back.
    static constexpr int kUndoLimit = 200;

    EditHistory(DataGridModel& grid, LabelStyle& style, QObject* parent = nullptr);
    ~EditHistory() override;

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    QString undoText() const { return m_stack.undoText(); }
    QString redoText() const { return m_stack.redoText(); }
    int count() const { return m_stack.count(); }
    int index() const { return m_stack.index(); }
    void undo();
    void redo();
    // A loaded file starts a new history.
    void clear();
    // A saved file marks where the documents match their files.
    void setClean() { m_stack.setClean(); }
    bool isClean() const { return m_stack.isClean(); }

    // Whether a change now is the user's, to be recorded, rather than a step being
    // undone or redone.
    bool recording() const { return m_replaying == 0; }

    // Several changes that make one command ("CSV取込": the rows, then their numbers)
    // become one step while the guard lives. A group in which nothing changed leaves
    // no step.
    class Group
    {
    public:
        Group(EditHistory& history, const QString& name);
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        EditHistory& m_history;
    };

    // The parent a new step is made under: the open group, or none.
    QUndoCommand* openGroup() const { return m_group; }
    // Takes a step made under openGroup(): kept by the group, or pushed as done.
    void add(QUndoCommand* step);

    // A style edit: `before` against the style now. Nothing is recorded when they are
    // equal. Consecutive steps given the same `mergeField` (the nudges of one length)
    // become one.
    void recordStyle(const QString& name, const LabelStyle& before,
                     std::optional<StyleField> mergeField = std::nullopt);
    // Sets the fields in which `from` and `to` differ to their values in `to`, leaving
    // the others as they are, then says so with styleRestored.
    void restoreStyle(const LabelStyle& from, const LabelStyle& to);

    DataGridModel& grid() { return m_grid; }

    // The typing in a cell ends (Enter, another cell): the next keys are a new step.
    void endTyping();

    // What the steps hold, in bytes, estimated by the steps themselves.
    std::size_t estimatedBytes() const;

signals:
    // A new step was recorded, or the history was cleared.
    void historyChanged();
    // An undo or redo put style fields back; `paperChanged` when the paper or its
    // orientation was among them.
    void styleRestored(bool paperChanged);

private:
    void endGroup();

    DataGridModel& m_grid;
    LabelStyle& m_style;
    QUndoStack m_stack;
    QUndoCommand* m_group = nullptr;
    int m_groupDepth = 0;
    int m_replaying = 0;
};

} // namespace korbena
