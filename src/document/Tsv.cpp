#include "document/Tsv.h"

#include "document/DataFile.h"
#include "platform/Error.h"

#include <algorithm>

namespace korbena {

namespace {

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Where the quoted cell that opens at `open` closes: the index of its closing quote,
// which the separator, a line break or the end of the text must follow; -1 when there
// is none. Quotes pair up run by run, and a cell's opening quote starts a run (a
// separator or a break stands before it), so a later opening reads every run after
// its own exactly as an earlier search read them. A search that failed therefore
// leaves a later opening only the quotes of its own run to try: `hopelessFrom`
// remembers the failure, and a block full of stray quotes is read in one pass.
qsizetype closingQuote(QStringView text, qsizetype open, QChar separator, qsizetype& hopelessFrom)
{
    const qsizetype n = text.size();
    const auto closesAt = [&](qsizetype i) {
        return i + 1 == n || text[i + 1] == separator || isBreak(text[i + 1]);
    };
    if (open >= hopelessFrom) {
        qsizetype run = open + 1;
        while (run < n && text[run] == u'"')
            ++run;
        const qsizetype quotes = run - open - 1;
        // An odd run leaves its last quote unpaired: it closes when the cell ends there.
        return quotes % 2 == 1 && closesAt(run - 1) ? run - 1 : -1;
    }
    for (qsizetype i = open + 1; i < n; ++i) {
        if (text[i] != u'"')
            continue;
        if (i + 1 < n && text[i + 1] == u'"') {
            ++i; // a doubled quote inside the cell
            continue;
        }
        if (closesAt(i))
            return i;
    }
    hopelessFrom = open;
    return -1;
}

bool needsQuotes(const QString& cell)
{
    for (const QChar c : cell)
        if (c == u'\t' || c == u'"' || isBreak(c))
            return true;
    return false;
}

} // namespace

CellBlock parseDelimited(QStringView text, QChar separator, bool quoting, qsizetype maxRecords,
                         std::vector<int>* recordLines)
{
    CellBlock block;
    QStringList row;
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype hopelessFrom = n;
    int line = 1;
    int rowLine = 1;
    const auto countBreaks = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k)
            if (text[k] == u'\n' || (text[k] == u'\r' && (k + 1 == to || text[k + 1] != u'\n')))
                ++line;
    };
    while (i < n && (maxRecords < 0 || static_cast<qsizetype>(block.size()) < maxRecords)) {
        QString cell;
        bool quoted = false;
        if (quoting && text[i] == u'"') {
            const qsizetype close = closingQuote(text, i, separator, hopelessFrom);
            if (close >= 0) {
                cell = text.sliced(i + 1, close - i - 1).toString();
                cell.replace(QStringLiteral("\"\""), QStringLiteral("\""));
                if (recordLines)
                    countBreaks(i, close);
                i = close + 1;
                quoted = true;
            }
        }
        if (!quoted) {
            qsizetype end = i;
            while (end < n && text[end] != separator && !isBreak(text[end]))
                ++end;
            cell = text.sliced(i, end - i).toString();
            i = end;
        }
        row.append(cell);
        if (i < n && text[i] == separator) {
            ++i;
            if (i == n)
                row.append(QString()); // a separator at the very end opens one more, empty cell
            continue;
        }
        // A line break, or the end of the text, ends the row.
        if (i < n) {
            if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            ++i;
            ++line;
        }
        block.push_back(std::move(row));
        row = QStringList();
        if (recordLines)
            recordLines->push_back(rowLine);
        rowLine = line;
    }
    if (!row.isEmpty()) {
        block.push_back(std::move(row));
        if (recordLines)
            recordLines->push_back(rowLine);
    }
    return block;
}

CellBlock parseTsv(QStringView text)
{
    return parseDelimited(text, u'\t', true);
}

QString writeTsv(const CellBlock& block)
{
    QString text;
    for (const QStringList& row : block) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += u'\t';
            const QString& cell = row[c];
            if (needsQuotes(cell)) {
                text += u'"';
                text += QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\""));
                text += u'"';
            } else {
                text += cell;
            }
        }
        text += u'\n';
    }
    return text;
}

void refuseSeparatorInNumbers(const CellBlock& block, long long firstRow, int firstColumn)
{
    const qsizetype numberAt = kNumberColumn - firstColumn;
    if (numberAt < 0)
        return;
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (numberAt < block[i].size())
            refuseSeparatorInNumber(block[i][numberAt], firstRow + static_cast<long long>(i));
    }
}

CellArea pasteCells(DataList& list, int row, int column, const CellBlock& block)
{
    const long long first = std::max(row, 1);
    const int firstColumn = std::max(column, kTitleColumn);
    if (block.empty() || firstColumn > kNumberColumn)
        return {};
    const long long end = first + static_cast<long long>(block.size()); // one past the last row
    if (end > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage);
    refuseSeparatorInNumbers(block, first, firstColumn);
    if (list.RowCount() < end)
        list.SetRowCount(end);
    int lastColumn = firstColumn - 1;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int target = static_cast<int>(first + static_cast<long long>(i));
        const QStringList& cells = block[i];
        for (qsizetype c = 0; c < cells.size() && firstColumn + c <= kNumberColumn; ++c) {
            const int dataColumn = firstColumn + static_cast<int>(c);
            if (dataColumn == kTitleColumn)
                list.setTitle(target, cells[c]);
            else
                list.setNumber(target, cells[c]);
            lastColumn = std::max(lastColumn, dataColumn);
        }
    }
    return {static_cast<int>(first), static_cast<int>(end - 1), firstColumn, lastColumn};
}

CellBlock copyCells(const DataList& list, int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, list.RowCount() - 1);
    firstColumn = std::max(firstColumn, kTitleColumn);
    lastColumn = std::min(lastColumn, kNumberColumn);
    CellBlock block;
    if (lastRow < firstRow || lastColumn < firstColumn)
        return block;
    block.reserve(static_cast<std::size_t>(lastRow - firstRow + 1));
    for (int r = firstRow; r <= lastRow; ++r) {
        QStringList cells;
        for (int c = firstColumn; c <= lastColumn; ++c)
            cells.append(c == kTitleColumn ? list.title(r) : list.number(r));
        block.push_back(std::move(cells));
    }
    return block;
}

} // namespace korbena
