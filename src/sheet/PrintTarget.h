#pragma once

#include "sheet/DeviceMetrics.h"

#include <QPageSize>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPaintDevice;

namespace korbena {

class Canvas;

// Page orientation as the printer settings hold it.
enum class PaperOrientation { Portrait, Landscape };

// Where printed pages go: a printer or a PDF file. A document is begun, its pages are
// drawn one after the other with a new page between two, and it is ended; the
// document's pages are drawn through canvas(), whose painter lives from BeginDocument
// to EndDocument. Do not open a second painter on device(): on a paged device that
// ends the document.
//
// The paper is a Windows paper code (1 to 118, the entry numbers of PaperList) or 0
// for the target's default paper; positions on a page are device pixels from the top
// left corner of the printable area.
class PrintTarget
{
public:
    virtual ~PrintTarget();

    // The paper and orientation for the next document. A code the target does not
    // know keeps its default paper. Returns false, changing nothing, when the target
    // refuses the settings.
    virtual bool SetPaper(int paperCode, PaperOrientation orientation) = 0;
    // The current paper's code: 1 to 118 for a paper of the list, otherwise 0 or the
    // code as the device reports it (a custom size).
    virtual int PaperCode() const = 0;
    virtual PaperOrientation Orientation() const = 0;
    // Resolution and page geometry of the current paper.
    virtual PrinterPage Page() const = 0;

    // False with ErrorString() set when the document cannot be started, a page cannot
    // be added or the document cannot be finished (a file that cannot be written, a
    // printer that refuses the job).
    virtual bool BeginDocument() = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDocument() = 0;
    virtual bool IsPrinting() const = 0;

    // The current page, valid between BeginDocument and EndDocument.
    virtual Canvas* canvas() = 0;
    virtual QPaintDevice* device() = 0;

    virtual QString ErrorString() const = 0;

    // Whether the pages reach paper through a printer, whose own error its
    // calibration corrects; a file is printed as laid out.
    virtual bool IsPhysicalPrinter() const { return false; }
    // The printer's name, under which its calibration is kept; empty for a file.
    virtual QString PrinterName() const { return {}; }
};

// A print target over a paged paint device: QPdfWriter for a PDF file, or a QPrinter
// handed in from the program's edge. The device is borrowed and must outlive the
// target; a derived target that owns its device ends a begun document in its own
// destructor, while the device still exists.
class PagedDeviceTarget : public PrintTarget
{
public:
    explicit PagedDeviceTarget(QPagedPaintDevice* device);
    ~PagedDeviceTarget() override;
    PagedDeviceTarget(const PagedDeviceTarget&) = delete;
    PagedDeviceTarget& operator=(const PagedDeviceTarget&) = delete;

    bool SetPaper(int paperCode, PaperOrientation orientation) override;
    int PaperCode() const override;
    PaperOrientation Orientation() const override;
    PrinterPage Page() const override;

    bool BeginDocument() override;
    bool NewPage() override;
    bool EndDocument() override;
    bool IsPrinting() const override;

    Canvas* canvas() override;
    QPaintDevice* device() override;

    QString ErrorString() const override;

protected:
    // For a device made by a derived target: set before the first use.
    PagedDeviceTarget();
    void setDevice(QPagedPaintDevice* device) { m_device = device; }
    // Called before the painter starts and after it has ended; a device that writes a
    // file opens it and reports here whether the file was written.
    virtual bool prepareDocument() { return true; }
    virtual bool finishDocument() { return true; }
    // Called when a begun document is given up; the partial output is thrown away.
    virtual void abandonDocument() {}
    // The paper of entry 0 and of codes no size is known of: the printer's default.
    virtual QPageSize defaultPageSize() const;
    void setErrorString(const QString& text) { m_error = text; }
    QPagedPaintDevice* pagedDevice() const { return m_device; }

private:
    QPagedPaintDevice* m_device = nullptr;
    std::unique_ptr<Canvas> m_canvas;
    // The code last set and the size it gave: a printer dialog may change the paper
    // behind the target's back, and then the device's own size tells the code.
    int m_paperCode = 0;
    double m_paperWidthPt = 0;
    double m_paperHeightPt = 0;
    QString m_error;
};

// The target when the pages go to a PDF file: a page of the chosen paper with no
// margins (the printable area is the whole sheet), at a printer's resolution. The
// file is written to a temporary file beside it and renamed over it at the end, so
// a failed job leaves the earlier file as it was.
class PdfFileTarget : public PagedDeviceTarget
{
public:
    explicit PdfFileTarget(QString path, int dpi = 600);
    ~PdfFileTarget() override;

    const QString& path() const { return m_path; }

protected:
    bool prepareDocument() override;
    bool finishDocument() override;
    void abandonDocument() override;

private:
    struct Impl;
    QString m_path;
    std::unique_ptr<Impl> m_impl;
};

} // namespace korbena
