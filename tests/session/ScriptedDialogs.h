#pragma once

#include "session/Dialogs.h"
#include "sheet/PrintCheckReport.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>

namespace korbena::test {

// Dialogs answered from a script: every call must be the next one expected, with
// the expected text; a surprise fails the test and is cancelled, and a step left
// over fails it when the script is checked or destroyed.
class ScriptedDialogs : public Dialogs
{
public:
    ~ScriptedDialogs() override { expectDone(); }

    ScriptedDialogs& expectInformation(const QString& text) { return add("information", text); }
    ScriptedDialogs& expectConfirm(const QString& text, bool yes) { return add("confirm", text, {}, yes); }
    // A save question with its three answers. A save question may also be scripted
    // with expectConfirm: yes saves, no goes on without saving.
    ScriptedDialogs& expectSaveQuestion(const QString& text, SaveAnswer answer)
    {
        add("saveQuestion", text);
        m_steps.back().saveAnswer = answer;
        return *this;
    }
    ScriptedDialogs& expectError(const QString& text) { return add("error", text); }
    ScriptedDialogs& expectQuestion(const QString& text, bool yes) { return add("question", text, {}, yes); }
    ScriptedDialogs& expectInput(const QString& caption, std::optional<QString> answer)
    {
        return expectPrompt(caption, QStringLiteral("バーコード番号を入力してください"), {},
                            std::move(answer));
    }
    // An input box with its prompt and initial text.
    ScriptedDialogs& expectPrompt(const QString& caption, const QString& prompt, const QString& initial,
                                  std::optional<QString> answer)
    {
        add("input", caption, std::move(answer));
        m_steps.back().prompt = prompt;
        m_steps.back().initial = initial;
        return *this;
    }
    ScriptedDialogs& expectSerial(std::optional<SerialSettings> answer)
    {
        add("serial", {});
        m_steps.back().serial = std::move(answer);
        return *this;
    }
    ScriptedDialogs& expectCsvOptions(std::optional<CsvOptions> answer)
    {
        add("csv", {});
        m_steps.back().csv = answer;
        return *this;
    }
    // "CSV取込(詳細)" over the file `path`, answered with `answer`; the settings the
    // dialog started from are kept in detailedCsvInitial.
    ScriptedDialogs& expectDetailedCsv(const QString& path, std::optional<DetailedCsvSettings> answer)
    {
        add("detailedCsv", path);
        m_steps.back().detailedCsv = std::move(answer);
        return *this;
    }
    // "用紙テンプレート", answered with the layout of that name among those offered.
    ScriptedDialogs& expectSheetLayout(std::optional<QString> name) { return add("sheetLayout", {}, name); }
    ScriptedDialogs& expectOpen(const QString& title, std::optional<QString> answer)
    {
        return add("open", title, std::move(answer));
    }
    ScriptedDialogs& expectSave(const QString& title, std::optional<QString> answer)
    {
        return add("save", title, std::move(answer));
    }
    // What a dialog does to the printer while it shows (another printer chosen).
    using PrinterAction = std::function<void(PrintTarget&)>;
    ScriptedDialogs& expectPrinterSetup(PrinterAction action = {})
    {
        add("printerSetup", {});
        m_steps.back().printerAction = std::move(action);
        return *this;
    }
    ScriptedDialogs& expectPrintDialog(bool accept) { return add("printDialog", {}, {}, accept); }
    ScriptedDialogs& expectProgress(int page, int pages, bool goOn)
    {
        return add("progress", QStringLiteral("%1/%2").arg(page).arg(pages), {}, goOn);
    }
    ScriptedDialogs& expectEndProgress() { return add("endProgress", {}); }
    // The font dialog, preset as `initial` says; accepted with `answer` or cancelled.
    ScriptedDialogs& expectFont(const FontChoice& initial, std::optional<FontChoice> answer)
    {
        add("font", describe(initial));
        m_steps.back().font = std::move(answer);
        return *this;
    }
    ScriptedDialogs& expectColor(TColor initial, std::optional<TColor> answer)
    {
        add("color", QString::number(initial));
        m_steps.back().color = answer;
        return *this;
    }

    void expectDone()
    {
        for (const Step& step : m_steps)
            ADD_FAILURE() << "dialog never shown: " << step.kind.toStdString() << " "
                          << step.text.toStdString();
        m_steps.clear();
    }

    // The file dialogs as they were asked for, in order.
    std::vector<FileDialogSpec> fileDialogs;

    void information(const QString& text) override { take("information", text); }
    bool confirm(const QString& text) override { return take("confirm", text).yes; }
    SaveAnswer askToSave(const QString& question) override
    {
        if (!m_steps.empty() && m_steps.front().kind == u"confirm") {
            const Step step = take("confirm", question);
            if (step.kind.isEmpty())
                return SaveAnswer::Cancel;
            return step.yes ? SaveAnswer::Save : SaveAnswer::Discard;
        }
        const Step step = take("saveQuestion", question);
        return step.kind.isEmpty() ? SaveAnswer::Cancel : step.saveAnswer;
    }
    // A question the script does not expect next is answered いいえ and kept in
    // unscriptedQuestions rather than failing: scripts written before a command asked
    // it (applying a sheet layout, which now offers to fit the content) go on as they
    // did, and a script that expects it takes it strictly.
    bool ask(const QString& text) override
    {
        if (m_steps.empty() || m_steps.front().kind != u"question") {
            unscriptedQuestions << text;
            return false;
        }
        return take("question", text).yes;
    }
    QStringList unscriptedQuestions;
    void error(const QString& message, const QString&) override { take("error", message); }
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override
    {
        Step step = take("input", caption);
        if (step.kind.isEmpty())
            return std::nullopt;
        EXPECT_EQ(prompt, step.prompt);
        EXPECT_EQ(initial, step.initial);
        return step.answer;
    }
    std::optional<SerialSettings> serialNumbers() override { return take("serial", {}).serial; }
    std::optional<CsvOptions> csvOptions() override { return take("csv", {}).csv; }
    std::optional<DetailedCsvSettings> detailedCsvImport(const QString& path,
                                                         const DetailedCsvSettings& initial) override
    {
        detailedCsvInitial = initial;
        return take("detailedCsv", path).detailedCsv;
    }
    std::optional<SheetLayout> chooseSheetLayout(const std::vector<SheetLayout>& layouts) override
    {
        const Step step = take("sheetLayout", {});
        if (!step.answer)
            return std::nullopt;
        for (const SheetLayout& layout : layouts)
            if (layout.name() == *step.answer)
                return layout;
        ADD_FAILURE() << "no layout offered named " << step.answer->toStdString();
        return std::nullopt;
    }
    std::optional<DetailedCsvSettings> detailedCsvInitial;
    std::optional<QString> openFile(const FileDialogSpec& spec) override
    {
        fileDialogs.push_back(spec);
        return take("open", spec.title).answer;
    }
    std::optional<QString> saveFile(const FileDialogSpec& spec) override
    {
        fileDialogs.push_back(spec);
        return take("save", spec.title).answer;
    }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override
    {
        return take("font", describe(initial)).font;
    }
    std::optional<TColor> chooseColor(TColor initial) override
    {
        return take("color", QString::number(initial)).color;
    }
    void printerSetup(PrintTarget& printer) override
    {
        const Step step = take("printerSetup", {});
        if (step.printerAction)
            step.printerAction(printer);
    }
    std::optional<PrintDialogChoice> printDialog(PrintTarget& printer, int pageCount, int,
                                                 long long copies) override
    {
        lastPageCount = pageCount;
        lastCopiesOffered = copies;
        const Step step = take("printDialog", {});
        if (step.printerAction)
            step.printerAction(printer);
        if (!step.yes)
            return std::nullopt;
        PrintDialogChoice choice{PageSelection{}, step.copies.value_or(copies)};
        if (!m_pages.empty()) {
            choice.pages = m_pages.front();
            m_pages.pop_front();
        }
        return choice;
    }
    bool printProgress(int page, int pages) override
    {
        return take("progress", QStringLiteral("%1/%2").arg(page).arg(pages)).yes;
    }
    void endPrintProgress() override { take("endProgress", {}); }

    // ---- printing that wastes no label stock ----
    // The print dialog accepted with these pages chosen.
    ScriptedDialogs& expectPrintDialogPages(const PageSelection& pages)
    {
        m_pages.push_back(pages);
        return expectPrintDialog(true);
    }
    // The print dialog accepted with every page, `copies` sets typed into its copy box
    // and `action` done to the printer (another printer chosen).
    ScriptedDialogs& expectPrintDialogCopies(long long copies, PrinterAction action = {})
    {
        expectPrintDialog(true);
        m_steps.back().copies = copies;
        m_steps.back().printerAction = std::move(action);
        return *this;
    }
    // The check's list, shown before printing or on demand, with or without the
    // half-width button; answered with `choice`.
    ScriptedDialogs& expectPrintCheck(PrintCheckMode mode, bool offerHalfWidth, PrintCheckChoice choice)
    {
        m_checkAnswers.push_back(choice);
        return add("printCheck", checkText(mode, offerHalfWidth));
    }
    PrintCheckChoice printCheck(const PrintCheckReport& report, PrintCheckMode mode,
                                bool offerHalfWidth) override
    {
        printChecks.push_back(report);
        const bool expected = !take("printCheck", checkText(mode, offerHalfWidth)).kind.isEmpty();
        if (!expected || m_checkAnswers.empty())
            return PrintCheckChoice::Cancel;
        const PrintCheckChoice choice = m_checkAnswers.front();
        m_checkAnswers.pop_front();
        return choice;
    }
    // Every report the check's dialog was shown, and the page count the print dialog got.
    std::vector<PrintCheckReport> printChecks;
    int lastPageCount = 0;
    long long lastCopiesOffered = 0; // what the print dialog's copy box started at

private:
    static QString checkText(PrintCheckMode mode, bool offerHalfWidth)
    {
        return QLatin1String(mode == PrintCheckMode::BeforePrinting ? "before printing" : "on demand") +
               QLatin1String(offerHalfWidth ? ", half-width offered" : "");
    }
    std::deque<PageSelection> m_pages;
    std::deque<PrintCheckChoice> m_checkAnswers;

public:
private:
    struct Step
    {
        QString kind;
        QString text;
        std::optional<QString> answer;
        bool yes = false;
        std::optional<FontChoice> font;
        std::optional<TColor> color;
        QString prompt;
        QString initial;
        std::optional<SerialSettings> serial;
        std::optional<CsvOptions> csv;
        std::optional<DetailedCsvSettings> detailedCsv;
        SaveAnswer saveAnswer = SaveAnswer::Cancel;
        PrinterAction printerAction;
        std::optional<long long> copies;
    };

    static QString describe(const FontChoice& f)
    {
        return QStringLiteral("%1 %2pt%3%4%5%6 %7")
            .arg(f.face)
            .arg(f.pointSize)
            .arg(f.bold ? " bold" : "", f.italic ? " italic" : "", f.underline ? " underline" : "",
                 f.strikeOut ? " strikeout" : "")
            .arg(f.color);
    }

    ScriptedDialogs& add(const char* kind, const QString& text, std::optional<QString> answer = {},
                         bool yes = false)
    {
        Step step;
        step.kind = QString::fromLatin1(kind);
        step.text = text;
        step.answer = std::move(answer);
        step.yes = yes;
        m_steps.push_back(std::move(step));
        return *this;
    }

    Step take(const char* kind, const QString& text)
    {
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << kind << " " << text.toStdString();
            return {};
        }
        Step step = m_steps.front();
        m_steps.pop_front();
        if (step.kind != QLatin1String(kind) || step.text != text) {
            ADD_FAILURE() << "expected " << step.kind.toStdString() << " \"" << step.text.toStdString()
                          << "\", got " << kind << " \"" << text.toStdString() << "\"";
            return {};
        }
        return step;
    }

    std::deque<Step> m_steps;
};

// The desktop, recorded.
class RecordingDesktop : public Desktop
{
public:
    int beeps = 0;
    QList<QUrl> opened;
    int editorsStarted = 0;
    bool editorAvailable = true;
    QSize screen{1920, 1080};

    void beep() override { ++beeps; }
    void openUrl(const QUrl& url) override { opened << url; }
    bool startTextEditor() override
    {
        if (editorAvailable)
            ++editorsStarted;
        return editorAvailable;
    }
    QSize screenSize() const override { return screen; }
};

} // namespace korbena::test
