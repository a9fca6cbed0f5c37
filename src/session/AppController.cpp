#include "session/AppController.h"

#include "document/DataFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "session/AppInfo.h"
#include "session/PrinterCalibration.h"
#include "sheet/PaperList.h"
#include "sheet/Preview.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"
#include "sheet/SheetDocuments.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <QFileInfo>

namespace korbena {

namespace {

const QString kDataQuestion = QStringLiteral("バーコードデータが変更されました。保存しますか？");
const QString kStyleQuestionBeforeLoad = QStringLiteral("スタイルが変更されました。保存しますか？？");
const QString kStyleQuestionAtClose = QStringLiteral("スタイルが変更されました。保存しますか？");
const QString kStyleSaved = QStringLiteral("Korbena\r\n登録しました");
const QString kDataSaved = QStringLiteral("Korbena\r\nデータを登録しました");

bool isExistingFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Clears the paint guard while an explicit redraw runs and gives it back after.
class GuardCleared
{
public:
    explicit GuardCleared(bool& guard) : m_guard(guard), m_saved(guard) { m_guard = false; }
    ~GuardCleared() { m_guard = m_saved; }
    GuardCleared(const GuardCleared&) = delete;
    GuardCleared& operator=(const GuardCleared&) = delete;

private:
    bool& m_guard;
    bool m_saved;
};

// Thrown out of a page drawer when the user cancels a job between two pages.
struct PrintCancelled
{
};

} // namespace

AppController::AppController(Dialogs& dialogs, Desktop& desktop, QString dataFolder, QString installFolder,
                             QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_desktop(desktop), m_dataFolder(std::move(dataFolder)),
      m_installFolder(std::move(installFolder)), m_symbol(std::make_unique<BarImage>()),
      m_screenDpiX(screenDpiX()), m_screenDpiY(screenDpiY())
{
    configureMainWindowBarImage(*m_symbol);
    m_composer = std::make_unique<PageComposer>(*m_symbol, m_dataFolder);
    // Until the window finds a printer, the sheet is laid out as a PDF file of the style's paper.
    m_printer = std::make_unique<PdfFileTarget>(m_dataFolder + QStringLiteral("/preview.pdf"));
    connect(&m_grid, &DataGridModel::editRefused, this,
            [this](const QString& message) { m_dialogs.error(message, {}); });
}

AppController::~AppController() = default;

void AppController::setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter)
{
    if (!printer)
        return;
    m_printer = std::move(printer);
    m_systemPrinter = systemPrinter;
}

void AppController::setScreenDpi(int x, int y)
{
    m_screenDpiX = x;
    m_screenDpiY = y;
}

QString AppController::settingsFile() const
{
    return m_dataFolder + u'/' + kConfFolder + u'/' + QString::fromUtf16(kSettingsFileName);
}

void AppController::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const Error& e) {
        m_dialogs.error(e.message(), e.detail());
    }
}

// ---- start-up and close ----

void AppController::prepare()
{
    PrepareDataFolder(m_dataFolder, m_installFolder);
    m_settings = readWindowSettings(settingsFile());
    m_zoom = clampZoom(m_settings.zoom);
    m_styleFile = m_settings.styleFile;
    m_dataFile = m_settings.dataFile;
    emit zoomChanged(m_zoom);
    emit filesChanged();
}

void AppController::setStartDocuments(const DocumentArguments& documents)
{
    m_startDocuments = documents;
}

void AppController::startupLoad()
{
    m_currentPage = 1;
    if (!m_startDocuments.error.isEmpty())
        m_dialogs.information(m_startDocuments.error);
    if (!m_startDocuments.styleFile.isEmpty())
        m_styleFile = m_startDocuments.styleFile;
    if (!m_startDocuments.dataFile.isEmpty())
        m_dataFile = m_startDocuments.dataFile;
    if (!isExistingFile(m_styleFile))
        m_styleFile = DefaultStyleFile(m_dataFolder);
    if (!isExistingFile(m_dataFile))
        m_dataFile = DefaultDataFile(m_dataFolder);
    run([&] { LoadStyle(m_styleFile); });
    run([&] { LoadDataList(m_dataFile); });
    raise(QStringLiteral("MainWindowShown"));
}

void AppController::setWindowGeometry(int top, int left, int width, int height)
{
    m_settings.formTop = top;
    m_settings.formLeft = left;
    m_settings.formWidth = width;
    m_settings.formHeight = height;
}

void AppController::setColumnWidths(int title, int number)
{
    m_settings.titleColumnWidth = title;
    m_settings.numberColumnWidth = number;
}

void AppController::closeSequence()
{
    run([&] { raise(QStringLiteral("CloseRequested")); });
    m_settings.zoom = m_zoom;
    m_settings.styleFile = m_styleFile;
    m_settings.dataFile = m_dataFile;
    try {
        writeWindowSettings(settingsFile(), m_settings);
    } catch (const Error&) {
        // The settings are a convenience: a folder that cannot be written loses them only.
    }
}

// ---- notifications ----

void AppController::raise(const QString& notification)
{
    emit notified(notification);
    if (notification == u"StyleLoadRequested") {
        askToSaveStyle(kStyleQuestionBeforeLoad);
    } else if (notification == u"StyleLoaded") {
        answerStyleLoaded();
    } else if (notification == u"DataLoadRequested") {
        askToSaveData();
    } else if (notification == u"BeforePreviewRedraw") {
        m_changes.TakeDataSnapshot(m_rows);
        emit undoEnabledChanged(m_changes.undoEnabled());
        emit answered(QStringLiteral("TakeDataSnapshot"));
    } else if (notification == u"MainWindowShown") {
        {
            GuardCleared cleared(m_paintGuard);
            setZoom(kStartZoomPercent);
            RedrawPreview();
        }
        emit answered(QStringLiteral("Zoom120"));
        emit versionLineChanged(versionLine());
        emit answered(QStringLiteral("VersionLine"));
        setUndoEnabled(false);
        emit answered(QStringLiteral("UndoDisabled"));
    } else if (notification == u"CloseRequested") {
        askToSaveData();
        askToSaveStyle(kStyleQuestionAtClose);
    }
}

void AppController::answerStyleLoaded()
{
    if (const auto name = ApplyPaperSettings(*m_printer, m_style.PAPERSIZE, m_style.PAPERLAND)) {
        m_paperName = *name;
        emit paperChanged(m_paperName);
    }
    emit answered(QStringLiteral("ApplyPaperSettings"));
    m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
    emit answered(QStringLiteral("ReadDeviceMetrics"));
    RedrawPreview();
    const PrinterPaper paper = ReadPrinterPaper(*m_printer);
    m_style.PAPERSIZE = paper.entry;
    m_style.PAPERLAND = paper.orientation;
    m_paperName = PaperName(paper.entry);
    emit paperChanged(m_paperName);
    emit answered(QStringLiteral("ReadPrinterPaper"));
    m_rules = ApplySymbologyRules(m_style);
    emit answered(QStringLiteral("ApplySymbologyRules"));
    emit styleChanged();
}

void AppController::askToSaveData()
{
    if (m_changes.DataChanged() && m_dialogs.confirm(kDataQuestion))
        SaveDataList(m_dataFile);
    emit answered(QStringLiteral("DataChangeCheck"));
}

void AppController::askToSaveStyle(const QString& question)
{
    if (m_changes.StyleChanged(m_style) && m_dialogs.confirm(question))
        SaveStyle(m_styleFile);
    emit answered(QStringLiteral("StyleChangeCheck"));
}

void AppController::setUndoEnabled(bool enabled)
{
    m_changes.setUndoEnabled(enabled);
    emit undoEnabledChanged(enabled);
}

// ---- style and data files ----

FileDialogSpec AppController::styleDialog(bool save) const
{
    return {m_dataFolder + u'/' + kStyleFolder,
            save ? QStringLiteral("Korbena") : QStringLiteral("データファイルを選択してください"),
            QStringLiteral("kbz"), QStringLiteral("Korbena(KBZ)|*.kbz|すべてのファイル|*.*"), save};
}

FileDialogSpec AppController::dataDialog(bool save) const
{
    return {m_dataFolder + u'/' + kListDataFolder,
            save ? QStringLiteral("Korbena") : QStringLiteral("バーコードデータファイルを選択してください"),
            QStringLiteral("lst"), QStringLiteral("バーコードデータ(lst)|*.lst|すべてのファイル|*.*"), save};
}

void AppController::LoadStyle(QString path)
{
    m_style.DISP_KEY = 3;
    if (!isExistingFile(path))
        path.clear();
    m_styleFile = path;
    emit filesChanged();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(styleDialog(false));
        if (!chosen)
            return;
        path = *chosen;
        m_styleFile = path;
        emit filesChanged();
    }
    if (QFileInfo(path).isFile()) {
        const QStringList lines = readStyleFile(path);
        m_changes.styleLoaded(lines);
        StyleFileExtras extras;
        try {
            applyStyleLines(lines, m_style, extras, path);
        } catch (const Error&) {
            emit styleChanged();
            throw;
        }
        emit styleChanged();
        if (extras != StyleFileExtras{})
            emit styleWindowKeys(extras);
    }
    raise(QStringLiteral("StyleLoaded"));
}

bool AppController::SaveStyle(QString path)
{
    if (path.isEmpty()) {
        const auto chosen = m_dialogs.saveFile(styleDialog(true));
        if (!chosen)
            return false;
        path = *chosen;
    }
    m_styleFile = path;
    emit filesChanged();
    WriteStyleFile(path, m_style);
    return true;
}

void AppController::LoadDataList(QString path)
{
    m_style.DISP_KEY = 3;
    if (!isExistingFile(path))
        path.clear();
    m_dataFile = path;
    emit filesChanged();
    if (path.trimmed().isEmpty()) {
        const auto chosen = m_dialogs.openFile(dataDialog(false));
        if (!chosen)
            return;
        path = *chosen;
        m_dataFile = path;
        emit filesChanged();
    }
    const QStringList lines = readDataFile(path);
    emit notified(QStringLiteral("DataListLoaded"));
    m_changes.dataListLoaded(lines);
    emit answered(QStringLiteral("tempdata"));
    try {
        m_rowsPastList = m_grid.applyDataLines(lines, path);
    } catch (const Error&) {
        emit rowsChanged();
        throw;
    }
    emit rowsChanged();
}

bool AppController::SaveDataList(QString path)
{
    if (path.isEmpty()) {
        const auto chosen = m_dialogs.saveFile(dataDialog(true));
        if (!chosen)
            return false;
        path = *chosen;
    }
    m_dataFile = path;
    emit filesChanged();
    writeDataFile(path, m_rows);
    if (path != DefaultDataFile(m_dataFolder))
        m_dialogs.information(kDataSaved);
    return true;
}

void AppController::setStyle(const LabelStyle& style)
{
    m_style = style;
    emit styleChanged();
}

// ---- commands ----

void AppController::openStyleCommand()
{
    run([&] {
        raise(QStringLiteral("StyleLoadRequested"));
        LoadStyle({});
    });
}

void AppController::saveStyleCommand()
{
    run([&] {
        if (SaveStyle(m_styleFile))
            m_dialogs.information(kStyleSaved);
    });
}

void AppController::saveStyleAsCommand()
{
    run([&] {
        if (SaveStyle({}))
            m_dialogs.information(kStyleSaved);
    });
}

void AppController::saveDefaultsCommand()
{
    run([&] {
        SaveStyle(DefaultStyleFile(m_dataFolder));
        SaveDataList(DefaultDataFile(m_dataFolder));
    });
}

void AppController::openDataCommand()
{
    run([&] {
        raise(QStringLiteral("DataLoadRequested"));
        LoadDataList({});
    });
}

void AppController::saveDataCommand()
{
    run([&] { SaveDataList({}); });
}

void AppController::undoCommand()
{
    run([&] {
        try {
            m_grid.restoreDataSnapshot(m_changes);
        } catch (const Error&) {
            emit rowsChanged();
            throw;
        }
        emit rowsChanged();
        emit undoEnabledChanged(m_changes.undoEnabled());
        explicitRedraw();
    });
}

// ---- preview ----

void AppController::setMessage(const QString& text)
{
    if (text == m_message)
        return;
    m_message = text;
    emit messageChanged(m_message);
}

void AppController::RedrawPreview()
{
    raise(QStringLiteral("BeforePreviewRedraw"));
    PreviewPage page = m_composer->composePreview(m_style, m_rows, m_metrics, m_currentPage, m_zoom,
                                                  startLabel(), previewOutlines());
    m_currentPage = page.result.page;
    m_preview = std::move(page.image);
    // A label image that could not be written is said on the message line too, never hidden.
    QString message = page.result.message.isEmpty() ? page.result.imageError : page.result.message;
    const std::vector<DataRow> unshown = unshownRows(m_rowsPastList, m_rows);
    if (message.isEmpty() && !unshown.empty())
        message = unshownRowMessage(unshown.front(), m_rows);
    setMessage(message);
    emit answered(QStringLiteral("RedrawPreview"));
    emit previewChanged();
}

void AppController::explicitRedraw()
{
    GuardCleared cleared(m_paintGuard);
    RedrawPreview();
}

void AppController::paintRequested()
{
    if (m_paintGuard)
        RedrawPreview();
}

void AppController::setZoom(int percent)
{
    const int zoom = clampZoom(percent);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    emit zoomChanged(m_zoom);
    explicitRedraw();
}

void AppController::zoomIn()
{
    setZoom(m_zoom + kZoomStepPercent);
    explicitRedraw();
}

void AppController::zoomOut()
{
    setZoom(m_zoom - kZoomStepPercent);
    explicitRedraw();
}

void AppController::previousPageCommand()
{
    if (const auto page = previousPage(m_currentPage)) {
        m_currentPage = *page;
        explicitRedraw();
    } else {
        m_desktop.beep();
    }
}

void AppController::nextPageCommand()
{
    if (const auto page = nextPage(m_rows, cellsPerPage(m_style), m_currentPage, startLabel())) {
        m_currentPage = *page;
        explicitRedraw();
    } else {
        m_desktop.beep();
    }
}

// ---- printing ----

void AppController::printCommand()
{
    run([&] {
        if (m_zoom != 100)
            setZoom(100);
        else
            explicitRedraw();
        if (m_copies == 0) {
            m_dialogs.information(copiesZeroMessage());
            return;
        }
        // With no printer installed the pages go to a PDF file, as "PDFに出力…" writes them.
        if (!m_systemPrinter) {
            exportPdfCommand();
            return;
        }
        if (!checkBeforePrinting())
            return;
        const auto pages = m_dialogs.printDialog(*m_printer, pageCountToPrint(), m_currentPage);
        if (!pages)
            return;
        printTo(*m_printer, m_metrics, *pages);
    });
}

void AppController::exportPdfCommand()
{
    run([&] {
        if (!checkBeforePrinting())
            return;
        const auto path = m_dialogs.saveFile({m_dataFolder, QStringLiteral("Korbena"), QStringLiteral("pdf"),
                                              QStringLiteral("PDF(pdf)|*.pdf|すべてのファイル|*.*"), true});
        if (!path)
            return;
        // The style's paper without margins, the same pages "korbena-cli print --out" writes.
        PdfFileTarget target(*path);
        ApplyPaperSettings(target, m_style.PAPERSIZE, m_style.PAPERLAND);
        printTo(target, ReadDeviceMetrics(target, m_screenDpiX, m_screenDpiY));
    });
}

void AppController::printTo(PrintTarget& target, const DeviceMetrics& metrics, const PageSelection& pages)
{
    const int cells = cellsPerPage(m_style);
    PrintOptions options;
    options.copies = m_copies;
    options.pages = pages;
    options.startLabel = startLabel();
    if (target.IsPhysicalPrinter()) {
        // The printer's own error, measured on its calibration page.
        const PrinterOffset offset = readPrinterOffset(settingsFile(), target.PrinterName());
        options.shiftX = offset.lengthX();
        options.shiftY = offset.lengthY();
    }
    // The pages of one set times the sets: what the progress counts.
    int pagesPerSet = 0;
    if (cells > 0) {
        const int pageCount = sheetPageCount(m_rows, cells, options.startLabel);
        for (int page = 1; page <= pageCount; ++page)
            pagesPerSet += options.pages.contains(page) ? 1 : 0;
    }
    const long long total = pagesPerSet * std::clamp(options.copies, 1LL, kMaxCopies);
    const int totalPages = static_cast<int>(std::min<long long>(total, INT_MAX));
    const bool showProgress = totalPages > 1;
    int drawn = 0;
    const auto drawPage = [&](Canvas& page, int number) {
        ++drawn;
        if (drawn == 1 && showProgress && !m_dialogs.printProgress(1, totalPages))
            throw PrintCancelled{};
        PageRequest request;
        request.page = number;
        request.kind = SurfaceKind::Printer;
        request.dpiX = metrics.printerDpiX;
        request.dpiY = metrics.printerDpiY;
        request.zoomPercent = 100;
        request.startLabel = options.startLabel;
        if (target.IsPhysicalPrinter()) {
            request.shiftX = options.shiftX;
            request.shiftY = options.shiftY;
        }
        PageResult result = m_composer->compose(page, m_style, m_rows, metrics, request);
        // Asked between two pages, so a cancelled job ends with whole pages only.
        if (showProgress && drawn < totalPages && !m_dialogs.printProgress(drawn + 1, totalPages))
            throw PrintCancelled{};
        return result;
    };
    PrintJobResult result;
    try {
        result = PrintJob(target, m_rows, cells, options, m_currentPage, drawPage);
    } catch (const PrintCancelled&) {
        if (target.IsPrinting())
            target.EndDocument();
        m_dialogs.endPrintProgress();
        return;
    }
    if (showProgress)
        m_dialogs.endPrintProgress();
    switch (result.outcome) {
    case PrintOutcome::Refused:
        m_dialogs.information(result.message);
        break;
    case PrintOutcome::Failed:
        m_dialogs.error(result.message, {});
        break;
    case PrintOutcome::Printed:
        setMessage(result.message);
        break;
    }
}

void AppController::printerSetupCommand()
{
    run([&] {
        m_dialogs.printerSetup(*m_printer);
        m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
        const PrinterPaper paper = ReadPrinterPaper(*m_printer);
        m_style.PAPERSIZE = paper.entry;
        m_style.PAPERLAND = paper.orientation;
        if (const auto name = ApplyPaperSettings(*m_printer, paper.entry, paper.orientation))
            m_paperName = *name;
        emit paperChanged(m_paperName);
        emit styleChanged();
        RedrawPreview();
    });
}

void AppController::pageSetupCommand()
{
    run([&] {
        m_dialogs.printerSetup(*m_printer);
        m_metrics = ReadDeviceMetrics(*m_printer, m_screenDpiX, m_screenDpiY);
        RedrawPreview();
    });
}

// ---- calculators and help ----

void AppController::checkDigitCommand(CheckCalculator calculator)
{
    const auto text = m_dialogs.inputText(CheckCalculatorCaption(calculator), CheckCalculatorPrompt(), {});
    if (!text)
        return;
    const CheckCalculation result = CheckCalculatorMessage(calculator, *text);
    if (result.ok)
        m_dialogs.information(result.message);
    else
        m_dialogs.error(result.message, {});
}

void AppController::onlineHelpCommand()
{
    m_desktop.openUrl(QUrl(QString::fromUtf16(kOnlineHelpUrl)));
}

void AppController::offlineHelpCommand()
{
    m_desktop.openUrl(QUrl::fromLocalFile(m_installFolder + u'/' + QString::fromUtf16(kManualFileName)));
}

void AppController::installFolderCommand()
{
    m_dialogs.information(QStringLiteral("現在のインストールフォルダー\r\n") + m_installFolder);
}

void AppController::textEditorCommand(bool shiftHeld)
{
    if (shiftHeld) {
        emit textEditorShortcutRequested();
        return;
    }
    if (!m_desktop.startTextEditor())
        m_dialogs.information(QStringLiteral("テキストエディターが見つかりません"));
}

void AppController::screenResolutionCommand()
{
    const QSize size = m_desktop.screenSize();
    m_dialogs.information(QStringLiteral("現在の画面解像度は\r\n%1×%2").arg(size.width()).arg(size.height()));
}

void AppController::homePageCommand()
{
    m_desktop.openUrl(QUrl(QString::fromUtf16(kHomePageUrl)));
}

} // namespace korbena
