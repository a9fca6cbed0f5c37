#pragma once

#include "document/CsvImport.h"
#include "document/DetailedCsvImport.h"
#include "document/SerialNumbers.h"
#include "platform/Color.h"
#include "sheet/PrintJob.h"
#include "sheet/SheetCatalogue.h"

#include <QSize>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

namespace korbena {

class PrintTarget;
struct PrintCheckReport;

// A file dialog as the commands ask for it. The filter is written as pairs of a
// caption and a pattern separated by '|' ("Korbena(KBZ)|*.kbz|すべてのファイル|*.*").
// Every dialog starts with an empty file name; an open dialog accepts names of files
// that do not exist.
struct FileDialogSpec
{
    QString folder;
    QString title;
    QString defaultSuffix;
    QString filter;
    bool overwritePrompt = false;

    bool operator==(const FileDialogSpec&) const = default;
};

// A font as the font pickers show it, colour included.
struct FontChoice
{
    QString face;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    TColor color = 0;

    bool operator==(const FontChoice&) const = default;
};

// What the CSV option dialog holds; the initial values are the dialog's.
struct CsvOptions
{
    CsvSeparator separator = CsvSeparator::Comma;
    int column = 1; // the integer part of the title column's number

    bool operator==(const CsvOptions&) const = default;
};

// What the dialog "CSV取込(詳細)" holds: how the file is read, which columns become
// what (a number column of 0: "シリアル番号で付ける"), and the grid row the rows start at.
struct DetailedCsvSettings
{
    CsvFormat format;
    CsvColumns columns;
    int startRow = 1;
};

// What the system print dialog chose for one job: the pages (every page, a range,
// the current page) and the number of sets, which stands in for "印刷枚数" for that
// job only. The printer itself may have been changed in the dialog as well.
struct PrintDialogChoice
{
    PageSelection pages;
    long long copies = 1;
};

// Every modal interaction of the program. The window shows Qt's dialogs; tests
// answer from a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Information box: title "情報", the single button "はい(&Y)".
    virtual void information(const QString& text) = 0;
    // Confirmation: title "確認", "はい(&Y)" and "キャンセル", "キャンセル" the
    // default. True for Yes.
    virtual bool confirm(const QString& text) = 0;
    // The question whether to save a changed document before it is closed or replaced:
    // title "確認", "はい(&Y)" saves, "いいえ(&N)" goes on without saving, "キャンセル"
    // (the default, and Esc) stops the close or the load.
    enum class SaveAnswer { Save, Discard, Cancel };
    virtual SaveAnswer askToSave(const QString& question) = 0;
    // A question with two answers: title "確認", "はい(&Y)" and "いいえ(&N)", "はい(&Y)"
    // the default. True for Yes.
    virtual bool ask(const QString& text) = 0;
    // An error a command did not handle: the message, with which file and line below.
    virtual void error(const QString& message, const QString& detail) = 0;
    // Single-line input box with "OK" and "キャンセル"; nothing when cancelled.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
    virtual std::optional<QString> openFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<QString> saveFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    virtual std::optional<TColor> chooseColor(TColor initial) = 0;
    // The printer setup dialog: the printer, its paper and orientation, all set on
    // `printer` (which may then be another printer); its result is not looked at.
    virtual void printerSetup(PrintTarget& printer) = 0;
    // The system print dialog over the `pageCount` pages of the job, the preview
    // showing `currentPage`, the copy box starting at `copies`: what was chosen,
    // nothing when the user cancels. Another printer chosen there is set on `printer`,
    // whose own copy count stays 1: the job makes the sets.
    virtual std::optional<PrintDialogChoice> printDialog(PrintTarget& printer, int pageCount, int currentPage,
                                                         long long copies) = 0;
    // The progress of a job of more than one page: called before each page, false
    // when the user cancelled; then the end, however the job ended.
    virtual bool printProgress(int page, int pageCount) = 0;
    virtual void endPrintProgress() = 0;
    // The serial-number dialog "Tfserial_input" and the CSV option dialog "Tfcsv_option":
    // each is made once and shows the values last entered in this run. The settings on
    // "実　行", nothing on "キャンセル".
    virtual std::optional<SerialSettings> serialNumbers() = 0;
    virtual std::optional<CsvOptions> csvOptions() = 0;
    // "CSV取込(詳細)" over the file `path`, which it previews; `initial` is what the
    // dialog starts from. The settings on "取込", nothing on "キャンセル".
    virtual std::optional<DetailedCsvSettings> detailedCsvImport(const QString& path,
                                                                 const DetailedCsvSettings& initial) = 0;
    // "用紙テンプレート": a label stock chosen from `layouts`; nothing on "キャンセル".
    virtual std::optional<SheetLayout> chooseSheetLayout(const std::vector<SheetLayout>& layouts) = 0;

    // ---- the check before printing ----
    enum class PrintCheckMode {
        BeforePrinting, // rows fail: "印刷する" and "キャンセル"
        OnDemand,       // the menu item "印刷前チェック": the report and "閉じる"
    };
    enum class PrintCheckChoice { Print, Cancel, ConvertToHalfWidth };
    // The rows the check found wanting (row, title, number, reason) and its summary.
    // With `offerHalfWidth` the button "バーコード番号を半角に変換" is there too.
    // On demand the answer is Cancel unless the conversion is asked for.
    virtual PrintCheckChoice printCheck(const PrintCheckReport& report, PrintCheckMode mode,
                                        bool offerHalfWidth) = 0;
};

// What the program asks of the desktop besides dialogs.
class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual void beep() = 0;
    // Opens a document or web address with its handler; the result is not looked at.
    virtual void openUrl(const QUrl& url) = 0;
    // Opens a local document with its viewer; false when the desktop has none for it.
    virtual bool openDocument(const QUrl& url)
    {
        openUrl(url);
        return true;
    }
    // Starts the desktop's text editor, not waited for; false when there is none.
    virtual bool startTextEditor() = 0;
    virtual QSize screenSize() const = 0;
};

} // namespace korbena
