#pragma once

// The window's controller without its window, for the benchmarks: every question is
// cancelled (an input box answers `answer` when one is set), and the desktop does
// nothing.
#include "session/AppController.h"

#include <QSize>
#include <QUrl>

namespace korbena::bench {

class QuietDialogs : public Dialogs
{
public:
    std::optional<QString> answer;
    int errors = 0;

    void information(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::Cancel; }
    bool ask(const QString&) override { return false; }
    void error(const QString&, const QString&) override { ++errors; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override
    {
        return answer;
    }
    std::optional<QString> openFile(const FileDialogSpec&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogSpec&) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
    std::optional<TColor> chooseColor(TColor) override { return {}; }
    void printerSetup(PrintTarget&) override {}
    std::optional<PrintDialogChoice> printDialog(PrintTarget&, int, int, long long) override
    {
        return std::nullopt;
    }
    PrintCheckChoice printCheck(const PrintCheckReport&, PrintCheckMode, bool) override
    {
        return PrintCheckChoice::Cancel;
    }
    bool printProgress(int, int) override { return false; }
    void endPrintProgress() override {}
    std::optional<SerialSettings> serialNumbers() override { return {}; }
    std::optional<CsvOptions> csvOptions() override { return {}; }
    std::optional<DetailedCsvSettings> detailedCsvImport(const QString&, const DetailedCsvSettings&) override
    {
        return {};
    }
    std::optional<SheetLayout> chooseSheetLayout(const std::vector<SheetLayout>&) override { return {}; }
};

class QuietDesktop : public Desktop
{
public:
    void beep() override {}
    void openUrl(const QUrl&) override {}
    bool startTextEditor() override { return false; }
    QSize screenSize() const override { return {1920, 1080}; }
};

} // namespace korbena::bench
