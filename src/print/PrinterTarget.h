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
    // Another installed printer for the next documents; false, changing nothing, for
    // a name the system does not know.
    bool selectPrinter(const QString& name);

protected:
    QPageSize defaultPageSize() const override;
    // The job makes its own sets: the printer's copy count, which a print dialog may
    // have changed, never multiplies them.
    bool prepareDocument() override;

private:
    QPrinter m_printer;
};

} // namespace korbena
