#include "document/DocumentBaseline.h"

namespace korbena {

namespace {

// The last row the data file would hold text for: it writes rows 1 to RowCount, the
// last of them the hidden row just past the list; 0 when all of them are empty.
int lastFilledRow(const DataList& rows)
{
    for (int row = rows.RowCount(); row >= 1; --row) {
        if (!rows.title(row).isEmpty() || !rows.number(row).isEmpty())
            return row;
    }
    return 0;
}

} // namespace

bool DocumentBaseline::rowsChanged(const DataList& rows) const
{
    if (!m_rows)
        return true;
    if (rows.revision() == m_rows->revision())
        return false; // untouched since the baseline was taken
    const int last = lastFilledRow(rows);
    if (last != lastFilledRow(*m_rows))
        return true;
    for (int row = 1; row <= last; ++row) {
        if (rows.title(row) != m_rows->title(row) || rows.number(row) != m_rows->number(row))
            return true;
    }
    return false;
}

bool DocumentBaseline::styleChanged(const LabelStyle& style) const
{
    if (!m_style)
        return true;
    // DISP_KEY draws nothing and every data load resets it: no edit of the user's.
    LabelStyle compared = style;
    compared.displayKey = m_style->displayKey;
    // What a save would write: two styles that give the same file are the same.
    return styleFileLines(compared) != styleFileLines(*m_style);
}

} // namespace korbena
