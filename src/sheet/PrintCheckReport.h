#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "sheet/LabelExtents.h"
#include "sheet/PageComposer.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace korbena {

// What the check before printing found for one row that will print.
enum class RowVerdict {
    Verified,       // its barcode read back as its text
    NotEncodable,   // the symbology cannot encode its number: the label lacks its barcode
    Mismatch,       // the reader found other text
    Unreadable,     // the reader found no symbol
    TypeNotChecked, // no reader decodes this symbology: not checked, not passed either
    DataNotChecked, // readers refuse this content (too short, a function character)
    NoNumber,       // a title without a barcode number: the label has no barcode
    NoTitle,        // a number without a title: only the number text is printed
    OffPaper,       // the label lies beyond the printable area: nothing of it is printed
    NotPrinted,     // the data file put it past the list's last row: no label at all
    Outside,        // its barcode read back, but the label runs outside its cell
};

struct RowCheck
{
    int row = 0; // the 1-based row of the data list
    QString title;
    QString number; // as entered
    RowVerdict verdict = RowVerdict::Verified;
    QString expected; // the text a reader should send, control characters written out
    QString read;     // what it sent, likewise; empty when it found nothing
    // The number holds full-width letters, digits, dashes or blanks, which no
    // symbology encodes.
    bool fullWidth = false;
    // Why a number cannot be encoded, when more can be said than that it cannot:
    // the check-digit message of a JAN or UPC number. Empty otherwise.
    QString fault;
    // What is wrong with a number that cannot be encoded, when it is known (a GS1
    // identifier).
    QString detail;
    // The elements of its label that run outside the label's cell, onto the next label
    // or off the stock: said whatever else is wrong with the row.
    LabelElements outside;

    // The problem in the user's words, e.g. "読み取り結果が一致しません: 4901234567894".
    QString reason() const;
    // Whether printing would give a label whose barcode is missing or reads wrongly.
    // Inline, like passed(): the window's controller asks it without linking the reader.
    bool fails() const
    {
        return verdict == RowVerdict::NotEncodable || verdict == RowVerdict::Mismatch ||
               verdict == RowVerdict::Unreadable || verdict == RowVerdict::OffPaper ||
               verdict == RowVerdict::NotPrinted || outside.any();
    }
};

// The outcome of a check: every row that will print is counted, and each that was
// not read back correctly is listed.
struct PrintCheckReport
{
    QString symbology; // the name of the symbology checked ("JAN", ...)
    int checked = 0;   // rows that print a title or a number
    int verified = 0;  // of these, rows whose barcode read back as its text
    // Rows not verified, in row order: failures, rows not checkable and rows lacking
    // a title or a number alike.
    std::vector<RowCheck> problems;
    // Set when nothing can print at all (no cells on a page).
    QString refusal;

    // No refusal and no failing row: printing gives every barcode, readable.
    bool passed() const
    {
        return refusal.isEmpty() && std::none_of(problems.begin(), problems.end(),
                                                 [](const RowCheck& row) { return row.fails(); });
    }
    // "36 件中 30 件を読み取り確認しました".
    QString summary() const;
    // The report as lines for a list or a terminal: one line per problem row, the
    // rows of a symbology no reader decodes folded into one line, then the summary.
    QStringList lines() const;
};

struct PrintCheckOptions
{
    // The cell of page 1 that takes row 1 (1-based): the cells before it are used labels.
    int startLabel = 1;
    // The printable area of the paper printed on; labels beyond it fail. Not known
    // (0), it limits nothing.
    PrintableArea area;
    // Rows the data file filled past the list's last row (unshownRows): counted, and
    // listed as not printed.
    std::vector<DataRow> unshownRows;
    // The cell of the first label (stockLabelFrame): labels whose barcode or texts run
    // outside their cell fail. A frame of no size checks nothing.
    LabelFrame label;
};

// "ラベルからはみ出しています: バーコード、番号".
QString outsideLabelText(const LabelElements& elements);

// The data rows the print job would print, in order: every row with a title or a
// number on each page it prints (page 1, then every page whose first row has a
// number).
std::vector<int> printedRows(const LabelStyle& style, const DataList& rows, int startLabel = 1);

// Whether text holds characters of the full-width forms (Ａ, ０, －, the ideographic
// space) or the Japanese long sound mark and dashes often typed for a hyphen.
bool containsFullWidth(const QString& text);

} // namespace korbena
