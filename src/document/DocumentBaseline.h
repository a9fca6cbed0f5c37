#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"

#include <optional>

namespace korbena {

// The style and the data list as they were when last loaded from or saved to their
// files: the change checks before a load and at close compare the documents with it,
// so they ask to save only what a save would really change.
//
// The rows are compared as the data file holds them, without the empty rows at its
// end: a list shorter than the grid, or one the grid pads with empty rows, is
// unchanged until a row's text changes. The style is compared as a value, taken after
// the load's own adjustments (the printer's paper, the symbology's start and stop
// characters), so a style only looked at is unchanged.
class DocumentBaseline
{
public:
    void takeRows(const DataList& rows) { m_rows = rows; }
    // Nothing of a file is held (a load that stopped half-way): the rows count as changed.
    void forgetRows() { m_rows.reset(); }
    bool rowsChanged(const DataList& rows) const;

    void takeStyle(const LabelStyle& style) { m_style = style; }
    // No file holds the style: it counts as changed.
    void forgetStyle() { m_style.reset(); }
    bool styleChanged(const LabelStyle& style) const;

private:
    // The copy shares the list's text, so a baseline of 100,000 rows costs little.
    std::optional<DataList> m_rows;
    std::optional<LabelStyle> m_style;
};

} // namespace korbena
