#include "gui/QtDialogs.h"

#include "gui/CsvOptionDialog.h"
#include "gui/DetailedCsvDialog.h"
#include "gui/PrintCheckDialog.h"
#include "gui/SerialDialog.h"
#include "gui/SheetCatalogueDialog.h"
#include "print/PrinterTarget.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace korbena {

namespace {

const QString kNoPrinter = QStringLiteral("プリンターがインストールされていません");

PrinterTarget* systemPrinter(PrintTarget& target)
{
    return dynamic_cast<PrinterTarget*>(&target);
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

const QString kYes = QStringLiteral("はい(&Y)");
const QString kNo = QStringLiteral("いいえ(&N)");
const QString kCancel = QStringLiteral("キャンセル");

// A question box titled "確認" with its answers in order: the index of the answer
// taken. Esc, or closing the box, takes the answer at `escape`; Enter takes the one
// at `preferred` (the escape answer unless said otherwise).
int askQuestion(QWidget* parent, const QString& text,
                std::initializer_list<std::pair<QString, QMessageBox::ButtonRole>> answers, int escape,
                std::optional<int> preferred = std::nullopt)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const auto& [caption, role] : answers)
        buttons.push_back(box.addButton(caption, role));
    box.setDefaultButton(buttons[preferred.value_or(escape)]);
    box.setEscapeButton(buttons[escape]);
    box.exec();
    const auto taken = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return taken == buttons.end() ? escape : static_cast<int>(taken - buttons.begin());
}

} // namespace

QtDialogs::QtDialogs(QWidget* parent)
    : m_parent(parent), m_serial(std::make_unique<SerialDialog>(parent)),
      m_csv(std::make_unique<CsvOptionDialog>(parent))
{
}

QtDialogs::~QtDialogs() = default;

void QtDialogs::information(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("情報"), text, QMessageBox::NoButton, m_parent);
    box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtDialogs::confirm(const QString& text)
{
    return askQuestion(m_parent, text, {{kYes, QMessageBox::YesRole}, {kCancel, QMessageBox::RejectRole}},
                       1) == 0;
}

Dialogs::SaveAnswer QtDialogs::askToSave(const QString& question)
{
    switch (askQuestion(
        m_parent, question,
        {{kYes, QMessageBox::YesRole}, {kNo, QMessageBox::NoRole}, {kCancel, QMessageBox::RejectRole}}, 2)) {
    case 0:
        return SaveAnswer::Save;
    case 1:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtDialogs::ask(const QString& text)
{
    return askQuestion(m_parent, text, {{kYes, QMessageBox::YesRole}, {kNo, QMessageBox::NoRole}}, 1, 0) == 0;
}

void QtDialogs::error(const QString& message, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Korbena"), message, QMessageBox::Ok, m_parent);
    box.setInformativeText(detail);
    box.exec();
}

std::optional<QString> QtDialogs::inputText(const QString& caption, const QString& prompt,
                                            const QString& initial)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::fileDialog(const FileDialogSpec& spec, bool save)
{
    QFileDialog dialog(m_parent, spec.title);
    // A folder that does not exist yet opens at its nearest existing parent, never at
    // the folder the last dialog was left in.
    QString folder = QDir::cleanPath(QDir(spec.folder).absolutePath());
    while (!QDir(folder).exists() && QFileInfo(folder).path() != folder)
        folder = QFileInfo(folder).path();
    dialog.setDirectory(folder);
    if (!spec.filter.isEmpty()) // none: every file, as the CSV import asks
        dialog.setNameFilter(qtFileFilter(spec.filter));
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtDialogs::openFile(const FileDialogSpec& spec)
{
    return fileDialog(spec, false);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogSpec& spec)
{
    return fileDialog(spec, true);
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial)
{
    QFont font(initial.face, initial.pointSize > 0 ? initial.pointSize : 10);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    bool ok = false;
    // Outline fonts only: what the printer can draw at any size.
    const QFont chosen =
        QFontDialog::getFont(&ok, font, m_parent, QStringLiteral("フォント"), QFontDialog::ScalableFonts);
    if (!ok)
        return std::nullopt;
    FontChoice out = initial;
    out.face = chosen.family();
    out.pointSize = chosen.pointSize();
    out.bold = chosen.bold();
    out.italic = chosen.italic();
    out.underline = chosen.underline();
    out.strikeOut = chosen.strikeOut();
    return out;
}

std::optional<TColor> QtDialogs::chooseColor(TColor initial)
{
    const QColor start = toQColor(initial); // system colours, the button face among them
    const QColor chosen = QColorDialog::getColor(start, m_parent, QStringLiteral("色の設定"));
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}

namespace {

// With more than one printer installed, which one the sheet is for; false when cancelled.
bool choosePrinter(PrinterTarget& target, QWidget* parent)
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.size() < 2)
        return true;
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, QStringLiteral("用紙設定"), QStringLiteral("プリンター："), names,
        std::max<int>(0, static_cast<int>(names.indexOf(target.PrinterName()))), false, &ok);
    if (ok)
        target.selectPrinter(chosen);
    return ok;
}

PageSelection chosenPages(const QPrinter& printer, int currentPage)
{
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        return PageSelection::range(currentPage, currentPage);
    case QPrinter::PageRange:
        if (const auto pages = PageSelection::parse(printer.pageRanges().toString()))
            return *pages;
        return PageSelection::range(printer.fromPage(), printer.toPage());
    default:
        return PageSelection{};
    }
}

} // namespace

void QtDialogs::printerSetup(PrintTarget& printer)
{
    if (PrinterTarget* target = systemPrinter(printer)) {
        if (!choosePrinter(*target, m_parent))
            return;
        QPageSetupDialog dialog(&target->printer(), m_parent);
        dialog.exec();
        return;
    }
    information(kNoPrinter);
}

std::optional<PrintDialogChoice> QtDialogs::printDialog(PrintTarget& printer, int pageCount, int currentPage,
                                                        long long copies)
{
    PrinterTarget* target = systemPrinter(printer);
    if (!target) {
        information(kNoPrinter);
        return std::nullopt;
    }
    QPrinter& qprinter = target->printer();
    // Every job starts from all pages: a reprint of pages 3 to 5 must not stick.
    qprinter.setPrintRange(QPrinter::AllPages);
    qprinter.setPageRanges({});
    qprinter.setCopyCount(static_cast<int>(copies));
    QPrintDialog dialog(&qprinter, m_parent);
    dialog.setOptions(dialog.options() | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, std::max(pageCount, 1));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // The dialog's copies are the job's sets; the printer must not make them again.
    const int sets = qprinter.copyCount();
    qprinter.setCopyCount(1);
    if (!accepted)
        return std::nullopt;
    return PrintDialogChoice{chosenPages(qprinter, currentPage), std::max(sets, 1)};
}

Dialogs::PrintCheckChoice QtDialogs::printCheck(const PrintCheckReport& report, PrintCheckMode mode,
                                                bool offerHalfWidth)
{
    PrintCheckDialog dialog(report, mode, offerHalfWidth, m_parent);
    dialog.exec();
    return dialog.choice();
}

bool QtDialogs::printProgress(int page, int pageCount)
{
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("キャンセル"), 0, pageCount,
                                                       m_parent);
        m_progress->setWindowTitle(QStringLiteral("Korbena"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(0);
    }
    m_progress->setLabelText(QStringLiteral("印刷中 %1 / %2 ページ").arg(page).arg(pageCount));
    m_progress->setValue(page - 1);
    QApplication::processEvents();
    return !m_progress->wasCanceled();
}

void QtDialogs::endPrintProgress()
{
    m_progress.reset();
}

std::optional<SerialSettings> QtDialogs::serialNumbers()
{
    if (m_serial->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_serial->settings();
}

std::optional<CsvOptions> QtDialogs::csvOptions()
{
    if (m_csv->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_csv->options();
}

std::optional<DetailedCsvSettings> QtDialogs::detailedCsvImport(const QString& path,
                                                                const DetailedCsvSettings& initial)
{
    DetailedCsvDialog dialog(path, initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

std::optional<SheetLayout> QtDialogs::chooseSheetLayout(const std::vector<SheetLayout>& layouts)
{
    SheetCatalogueDialog dialog(layouts, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

void QtDesktop::beep()
{
    QApplication::beep();
}

void QtDesktop::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool QtDesktop::openDocument(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startTextEditor()
{
    // The desktop's own graphical editors first; a terminal editor would have no window.
    static const char* const kEditors[] = {
        "gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "featherpad", "leafpad"};
    for (const char* name : kEditors) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return true;
    }
    return false;
}

QSize QtDesktop::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace korbena
