#pragma once

#include "document/DetailedCsvImport.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QuaZip;

namespace korbena::spreadsheet {

// The largest sheet the readers build: the row and column bounds of the formats, so a
// file claiming more (an OpenDocument row repeated a million times and then some)
// cannot make the records grow without end.
inline constexpr qint64 kMostRows = 1'048'576;
inline constexpr qint64 kMostColumns = 16'384;

// Collects cells row by row into records. Rows and columns are 0-based and come in
// order; rows skipped in between become empty records, empty cells at the end of a
// row are not kept.
class RecordBuilder
{
public:
    RecordBuilder(CsvTable& table, qsizetype maxRecords) : m_table(table), m_maxRecords(maxRecords) {}

    // Starts a row; false when no more records are wanted.
    bool startRow(qint64 row);
    void setCell(qint64 column, const QString& text);
    // Ends the row; `copies` rows of the same cells (an OpenDocument repeat).
    void endRow(qint64 copies = 1);
    bool full() const
    {
        return m_maxRecords >= 0 && static_cast<qsizetype>(m_table.records.size()) >= m_maxRecords;
    }
    qint64 nextRow() const { return m_nextRow; }

private:
    void push(const QStringList& record, qint64 row);

    CsvTable& m_table;
    qsizetype m_maxRecords;
    qint64 m_row = 0;
    qint64 m_nextRow = 0; // the first row not yet given a record
    QStringList m_cells;
};

// The bytes of one member of the zip container, or nothing when it has none of that name.
std::optional<QByteArray> zipMember(QuaZip& zip, const QString& name);

// Office Open XML and OpenDocument: the sheet names, and one sheet's records.
QStringList xlsxSheetNames(QuaZip& zip);
void readXlsxSheet(QuaZip& zip, const QString& sheet, RecordBuilder& records);
QStringList odsSheetNames(QuaZip& zip);
void readOdsSheet(QuaZip& zip, const QString& sheet, RecordBuilder& records);

QString noSuchSheet(const QString& sheet);
QString notASpreadsheet();

} // namespace korbena::spreadsheet
