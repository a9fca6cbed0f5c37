#include "document/ChangeTracking.h"

#include "document/DataFile.h"

namespace korbena {

void ChangeTracking::dataListLoaded(const QStringList& lines)
{
    tempdata_ = lines;
    undodata_ = lines;
}

void ChangeTracking::TakeDataSnapshot(const DataList& grid)
{
    lastdata_ = std::move(undodata_);
    undodata_ = dataFileLines(grid);
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

} // namespace korbena
