#include "document/ChangeTracking.h"

#include "document/DataFile.h"
#include "platform/TextCodec932.h"

namespace korbena {

void ChangeTracking::dataListLoaded(const QStringList& lines)
{
    tempdata_ = lines;
    undodata_ = lines;
    m_snapshotRevision.reset();
}

void ChangeTracking::TakeDataSnapshot(const DataList& grid)
{
    lastdata_ = std::move(undodata_);
    if (m_snapshotRevision == grid.revision()) {
        undodata_ = lastdata_; // shares the lines: the two snapshots are equal
        undoEnabled_ = false;
        return;
    }
    undodata_ = dataFileLines(grid);
    m_snapshotRevision = grid.revision();
    undoEnabled_ = lastdata_ != undodata_;
}

void ChangeTracking::RestoreDataSnapshot(DataList& grid)
{
    applyDataLines(lastdata_, grid, QStringLiteral("取り消し"));
    undoEnabled_ = false;
}

bool ChangeTracking::StyleChanged(const LabelStyle& style, const QString& comparisonPath)
{
    WriteStyleFile(comparisonPath, style);
    undostyle_ = readStyleFile(comparisonPath);
    return tempstyle_ != undostyle_;
}

bool ChangeTracking::StyleChanged(const LabelStyle& style)
{
    undostyle_ = splitLines(cp932::decode(cp932::encode(joinLinesCrLf(styleFileLines(style)))));
    return tempstyle_ != undostyle_;
}

} // namespace korbena
