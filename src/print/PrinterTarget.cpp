#include "print/PrinterTarget.h"

namespace korbena {

PrinterTarget::PrinterTarget(const QPrinterInfo& info) : m_printer(info, QPrinter::HighResolution)
{
    m_default = info.defaultPageSize();
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

QPageSize PrinterTarget::defaultPageSize() const
{
    return m_default.isValid() ? m_default : PagedDeviceTarget::defaultPageSize();
}

} // namespace korbena
