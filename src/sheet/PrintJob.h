#pragma once

#include "sheet/PageComposer.h"

#include <QString>

#include <functional>
#include <vector>

namespace korbena {

class Canvas;
class DataList;
class PrintTarget;
struct DeviceMetrics;
struct LabelStyle;

// How a print job ended.
enum class PrintOutcome {
    Printed, // every page of the list went to the target
    Refused, // nothing was printed; message() tells the user why
    Failed,  // the target refused the document or a page; message() holds its error
};

struct PrintJobResult
{
    PrintOutcome outcome = PrintOutcome::Printed;
    int pagesPrinted = 0;
    // For Refused and Failed, the text to show; for Printed, the message line the
    // last page left (empty, or the composer's error text).
    QString message;
    // The rows of every printed page whose barcode could not be made, in order.
    std::vector<FailedRow> failedRows;
    // The first label image file of the job that could not be written, with the reason.
    QString imageError;
};

// The information shown instead of printing when the copy count is 0.
QString copiesZeroMessage();
// The information shown instead of printing when a page holds no labels.
QString noCellsMessage();

// Draws page `page` on the target's current page and tells what it left.
using PageDrawer = std::function<PageResult(Canvas& page, int pageNumber)>;

// Prints every page of the list from the first: pages follow one another while the
// first data row of the next page has a barcode number. `currentPage` is the page
// counter shared with the preview; after the job it is one past the last printed
// page. A copy count of 0 refuses the job; any other count prints one set (a printer
// makes further copies itself). A page without cells would print the same first row
// forever, so such a job is refused too.
//
// The caller brings the preview to 100 per cent before and keeps the metrics as last
// read: the job does not read the printer again.
PrintJobResult PrintJob(PrintTarget& target, const DataList& rows, int cellsPerPage, long long copies,
                        int& currentPage, const PageDrawer& drawPage);

// The job as the program runs it: every page composed on the printer page at the
// printer's resolution of `metrics`.
PrintJobResult PrintJob(PrintTarget& target, PageComposer& composer, const LabelStyle& style,
                        const DataList& rows, const DeviceMetrics& metrics, long long copies,
                        int& currentPage);

} // namespace korbena
