#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace korbena {

// The one-step undo of the data grid and the two change checks. Everything is
// held as lines of text in the files' own form: the data as data-file lines, the
// style as style-file lines.
class ChangeTracking
{
public:
    // The data file's lines as it was loaded: both the loaded state and the
    // latest snapshot become these lines.
    void dataListLoaded(const QStringList& lines);
    // The style file's lines as it was loaded.
    void styleLoaded(const QStringList& lines) { tempstyle_ = lines; }

    // Every redraw of the preview first takes a snapshot: the latest becomes the
    // previous one and the grid the latest; undo is possible when they differ.
    // Every paint redraws, so when the grid has not changed since the latest
    // snapshot, that snapshot is reused rather than rebuilt and compared row by row.
    void TakeDataSnapshot(const DataList& grid);

    // Writes the previous snapshot back into the grid, row by row (RowCount never
    // shrinks here), and disables undo. The redraw that follows takes a snapshot,
    // so a second undo brings the undone state back. Throws ConversionError (the
    // rows before the bad line restored) when the previous state came from a data
    // file with a bad row number.
    void RestoreDataSnapshot(DataList& grid);

    bool undoEnabled() const { return undoEnabled_; }
    // Start-up ends with undo disabled; the CSV import enables it.
    void setUndoEnabled(bool enabled) { undoEnabled_ = enabled; }

    // Whether the grid, as of the latest snapshot, differs from the loaded file.
    bool DataChanged() const { return tempdata_ != undodata_; }

    // Writes the style to the comparison copy at `comparisonPath` (left on disk),
    // reads its lines back and tells whether they differ from the loaded style
    // file's. With no style loaded the style always counts as changed. Throws
    // FileError when the copy cannot be written or read.
    bool StyleChanged(const LabelStyle& style, const QString& comparisonPath);
    // The same comparison in memory: the lines the style file would hold, as read
    // back from its code page, against the loaded file's. Nothing is written, so no
    // file in the working folder can be aimed elsewhere through a link.
    bool StyleChanged(const LabelStyle& style);

    const QStringList& tempdata() const { return tempdata_; }
    const QStringList& undodata() const { return undodata_; }
    const QStringList& lastdata() const { return lastdata_; }
    const QStringList& tempstyle() const { return tempstyle_; }
    const QStringList& undostyle() const { return undostyle_; }

private:
    QStringList tempdata_;  // the data file as last loaded
    QStringList undodata_;  // the latest snapshot
    QStringList lastdata_;  // the previous snapshot
    QStringList tempstyle_; // the style file as last loaded
    QStringList undostyle_; // the comparison copy as last written
    bool undoEnabled_ = false;
    // The grid's stamp when undodata_ was taken from it; none while undodata_
    // holds a file's lines.
    std::optional<std::uint64_t> m_snapshotRevision;
};

} // namespace korbena
