#pragma once

#include "sheet/PrintTarget.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace korbena {

// A printer of the system. Printing support lives at this edge only, since Qt's
// printer module pulls in widgets: the sheet layer sees a paged device.
class PrinterTarget : public PagedDeviceTarget
{
public:
    explicit PrinterTarget(const QPrinterInfo& info);
    ~PrinterTarget() override;
    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    QPrinter& printer() { return m_printer; }
    bool IsPhysicalPrinter() const override { return true; }
    QString PrinterName() const override { return m_printer.printerName(); }

protected:
    QPageSize defaultPageSize() const override;

private:
    QPrinter m_printer;
    QPageSize m_default;
};

} // namespace korbena
