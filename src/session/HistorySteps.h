#pragma once

#include "document/LabelStyle.h"
#include "session/DataGridModel.h"

#include <QString>
#include <QUndoCommand>

#include <cstddef>
#include <optional>

namespace korbena {

class EditHistory;

// A step of the history, recorded once its change is made: the first redo, which the
// stack asks for as it takes the step, finds the change done already.
class HistoryStep : public QUndoCommand
{
public:
    HistoryStep(const QString& name, QUndoCommand* parent) : QUndoCommand(name, parent) {}
    void undo() final { revert(); }
    void redo() final;
    // What the step holds, in bytes.
    virtual std::size_t bytes() const = 0;

protected:
    virtual void apply() = 0;
    virtual void revert() = 0;

private:
    bool m_done = true;
};

// Cells of a run of rows changed in place (typing, fills, numbering, imports, paste,
// the half-width clean-up), with the row count before and after, when it changed.
class CellsStep : public HistoryStep
{
public:
    CellsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent, RowCells before, RowCells after,
              int rowCountBefore, int rowCountAfter);
    std::size_t bytes() const override;
    // The keys typed into one cell, which the grid takes one by one, are one step until
    // the typing ends (sealed).
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void seal() { m_sealed = true; }

protected:
    void apply() override;
    void revert() override;

private:
    DataGridModel& m_grid;
    RowCells m_before;
    RowCells m_after;
    int m_rowCountBefore;
    int m_rowCountAfter;
    bool m_sealed = false;
};

// Blank rows inserted: where and how many, and the text of the hidden rows past the
// old end that the rows moved down now cover.
class InsertRowsStep : public HistoryStep
{
public:
    InsertRowsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent, long long index,
                   long long count, int rowCountBefore, RowCells covered);
    std::size_t bytes() const override;

protected:
    void apply() override;
    void revert() override;

private:
    DataGridModel& m_grid;
    long long m_index;
    long long m_count;
    int m_rowCountBefore;
    RowCells m_covered;
};

// Rows deleted: the range and the rows it removed.
class DeleteRowsStep : public HistoryStep
{
public:
    DeleteRowsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent, long long first,
                   long long last, int rowCountBefore, RowCells removed);
    std::size_t bytes() const override;

protected:
    void apply() override;
    void revert() override;

private:
    DataGridModel& m_grid;
    long long m_first;
    long long m_last;
    int m_rowCountBefore;
    RowCells m_removed;
};

// A style edit: the style before and after. Undo and redo set only the fields in which
// the two differ, so settings made outside the history (the printer's paper) stay.
class StyleStep : public HistoryStep
{
public:
    StyleStep(EditHistory& history, const QString& name, QUndoCommand* parent, const LabelStyle& before,
              const LabelStyle& after, std::optional<StyleField> mergeField);
    std::size_t bytes() const override;
    // Nudges of one length merge, so a run of clicks is one step; the style before the
    // first click and after the last keep undo exact.
    int id() const override { return m_mergeField ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void apply() override;
    void revert() override;

private:
    EditHistory& m_history;
    LabelStyle m_before;
    LabelStyle m_after;
    std::optional<StyleField> m_mergeField;
};

// Records a change of the cells in rows `first` to `last` (and of the row count) made
// while it lives: the cells are read before, compared after, and what differs becomes
// one step. Inactive without a history or while a step is undone or redone.
class CellsRecord
{
public:
    CellsRecord(DataGridModel& grid, EditHistory* history, const QString& name, long long first,
                long long last, CellColumns columns);
    ~CellsRecord();
    CellsRecord(const CellsRecord&) = delete;
    CellsRecord& operator=(const CellsRecord&) = delete;

private:
    void record();

    DataGridModel& m_grid;
    EditHistory* m_history;
    QString m_name;
    CellColumns m_columns;
    RowCells m_before;
    int m_rowCountBefore = 0;
};

} // namespace korbena
