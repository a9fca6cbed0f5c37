#pragma once

#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace korbena {

class Canvas;
class DataList;
class PrintTarget;
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
    // The rows of every printed page with a number whose label lacks its barcode, in order.
    std::vector<FailedRow> failedRows;
    // The first label image file of the job that could not be written, with the reason.
    QString imageError;
};

// Pages chosen for printing, as "3-5,9": single pages and closed ranges.
class PageSelection
{
public:
    // Every page.
    PageSelection() = default;
    // Reads "3-5,9" (blanks allowed around the parts); nothing for a text that is
    // not such a list, or that names page 0 or a range that runs backwards.
    static std::optional<PageSelection> parse(QStringView text);
    // Pages first to last.
    static PageSelection range(int first, int last);

    bool everyPage() const { return m_ranges.empty(); }
    bool contains(int page) const;
    // The highest page named; 0 for every page.
    int highest() const;

private:
    std::vector<std::pair<int, int>> m_ranges;
};

// How a job prints beyond the style and the rows.
struct PrintOptions
{
    // Collated sets of the chosen pages: 0 refuses the job, anything below 1 prints
    // one set, and at most kMaxCopies are made.
    long long copies = 1;
    PageSelection pages;
    // The label of the first page the rows start at (see PageRequest).
    int startLabel = 1;
    // The printer's calibration: added to the whole-page adjustment when the target
    // is a physical printer, never on a PDF file.
    SheetLength shiftX;
    SheetLength shiftY;
};

inline constexpr long long kMaxCopies = 999;

// The number of pages the rows fill: page 1, and every following page whose first
// row has a barcode number.
int sheetPageCount(const DataList& rows, int cellsPerPage, int startLabel = 1);

// The information shown instead of printing when the copy count is 0.
QString copiesZeroMessage();
// The information shown instead of printing when the pages asked for do not exist.
QString missingPageMessage(int page, int lastPage);
// The information shown instead of printing when a page holds no labels.
QString noCellsMessage();

// The request a printed page is composed with: the page at the printer's resolution of
// `metrics`, at 100 per cent, from the job's start label. The job's calibration shift
// moves it only on a physical printer, never on a PDF file (and a preview never asks).
PageRequest printerPageRequest(const PrintTarget& target, const DeviceMetrics& metrics,
                               const PrintOptions& options, int page);

// The paper a job that brings its own lays out against: the style's paper and
// orientation set on the target, then the metrics read back. `paperSet` is false when
// the target refused the paper and keeps its own.
struct JobPaper
{
    DeviceMetrics metrics;
    bool paperSet = false;
};
JobPaper setJobPaper(PrintTarget& target, const LabelStyle& style, int screenDpiX, int screenDpiY);

// Draws page `page` on the target's current page and tells what it left.
using PageDrawer = std::function<PageResult(Canvas& page, int pageNumber)>;

// Prints the pages of the list from the first: pages follow one another while the
// first data row of the next page has a barcode number. Every set of copies prints
// the chosen pages in order. `currentPage` is the page counter shared with the
// preview; after the job it is one past the last page printed of the last set. A
// copy count of 0 refuses the job, and so does a page range beyond the last page. A
// page without cells would print the same first row forever, so such a job is
// refused too.
//
// The caller brings the preview to 100 per cent before and keeps the metrics as last
// read: the job does not read the printer again.
PrintJobResult PrintJob(PrintTarget& target, const DataList& rows, int cellsPerPage,
                        const PrintOptions& options, int& currentPage, const PageDrawer& drawPage);

// The job as the program runs it: every page composed on the printer page at the
// printer's resolution of `metrics`. The label image files are written beside the
// pages and waited for once, at the end.
PrintJobResult PrintJob(PrintTarget& target, PageComposer& composer, const LabelStyle& style,
                        const DataList& rows, const DeviceMetrics& metrics, const PrintOptions& options,
                        int& currentPage);

} // namespace korbena
