#include "print/PrinterTarget.h"

namespace korbena {

PrinterTarget::PrinterTarget(const QPrinterInfo& info) : m_printer(info, QPrinter::HighResolution)
{
    setDevice(&m_printer);
}

PrinterTarget::~PrinterTarget()
{
    // A job given up half way is cancelled, and the painter ends while the printer exists.
    if (IsPrinting()) {
        m_printer.abort();
        EndDocument();
    }
}

bool PrinterTarget::selectPrinter(const QString& name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    m_printer.setPrinterName(info.printerName());
    return true;
}

QPageSize PrinterTarget::defaultPageSize() const
{
    // The printer's own default, whichever printer a dialog left the device on.
    const QPageSize size = QPrinterInfo::printerInfo(m_printer.printerName()).defaultPageSize();
    return size.isValid() ? size : PagedDeviceTarget::defaultPageSize();
}

bool PrinterTarget::prepareDocument()
{
    m_printer.setCopyCount(1);
    return true;
}

} // namespace korbena
