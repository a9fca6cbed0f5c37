#pragma once

#include "session/Dialogs.h"

#include <QPointer>

#include <memory>

class QProgressDialog;
class QWidget;

namespace korbena {

class CsvOptionDialog;
class SerialDialog;

// The dialogs as Qt shows them, in Japanese, over the main window.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget* parent);
    ~QtDialogs() override;

    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    SaveAnswer askToSave(const QString& question) override;
    bool ask(const QString& text) override;
    void error(const QString& message, const QString& detail) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QString> openFile(const FileDialogSpec& spec) override;
    std::optional<QString> saveFile(const FileDialogSpec& spec) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<TColor> chooseColor(TColor initial) override;
    void printerSetup(PrintTarget& printer) override;
    std::optional<PrintDialogChoice> printDialog(PrintTarget& printer, int pageCount, int currentPage,
                                                 long long copies) override;
    bool printProgress(int page, int pageCount) override;
    void endPrintProgress() override;
    std::optional<SerialSettings> serialNumbers() override;
    std::optional<CsvOptions> csvOptions() override;
    std::optional<DetailedCsvSettings> detailedCsvImport(const QString& path,
                                                         const DetailedCsvSettings& initial) override;
    std::optional<SheetLayout> chooseSheetLayout(const std::vector<SheetLayout>& layouts) override;
    SerialDialog& serialDialog() { return *m_serial; }
    CsvOptionDialog& csvOptionDialog() { return *m_csv; }
    PrintCheckChoice printCheck(const PrintCheckReport& report, PrintCheckMode mode,
                                bool offerHalfWidth) override;

private:
    std::optional<QString> fileDialog(const FileDialogSpec& spec, bool save);

    QWidget* m_parent;
    std::unique_ptr<QProgressDialog> m_progress;
    // Made at start-up and kept for the run, so they show the values last entered.
    std::unique_ptr<SerialDialog> m_serial;
    std::unique_ptr<CsvOptionDialog> m_csv;
};

// The desktop of a Linux session.
class QtDesktop : public Desktop
{
public:
    void beep() override;
    void openUrl(const QUrl& url) override;
    bool openDocument(const QUrl& url) override;
    bool startTextEditor() override;
    QSize screenSize() const override;
};

// The Qt form of a filter written as caption|pattern pairs.
QString qtFileFilter(const QString& filter);

} // namespace korbena
