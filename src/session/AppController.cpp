#include "session/AppController.h"

#include "platform/Error.h"
#include "platform/Folders.h"
#include "session/AppInfo.h"
#include "sheet/Preview.h"
#include "sheet/PrintTarget.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <QFileInfo>

namespace korbena {

AppController::AppController(Dialogs& dialogs, Desktop& desktop, QString dataFolder, QString installFolder,
                             QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_desktop(desktop), m_dataFolder(std::move(dataFolder)),
      m_installFolder(std::move(installFolder)), m_symbol(std::make_unique<BarImage>())
{
    configureMainWindowBarImage(*m_symbol);
    m_composer = std::make_unique<PageComposer>(*m_symbol, m_dataFolder);
    SessionHooks& hooks = *this;
    m_documents = std::make_unique<DocumentSession>(dialogs, hooks, m_dataFolder);
    m_preview = std::make_unique<PreviewState>(desktop, *m_composer, m_documents->style(),
                                               m_documents->rows(), hooks);
    m_print = std::make_unique<PrintCommands>(dialogs, m_documents->style(), m_documents->rows(),
                                              m_documents->rowsPastList(), m_documents->grid(), *m_preview,
                                              *m_composer, hooks, m_dataFolder, settingsFile());
    m_styleCommands = std::make_unique<StyleCommands>(dialogs, m_documents->style(), m_documents->history(),
                                                      *m_print, *m_preview, hooks);
    m_gridCommands = std::make_unique<GridCommands>(dialogs, *m_documents, *m_preview, hooks, m_dataFolder);
    m_import = std::make_unique<ImportCommands>(dialogs, *m_documents, *m_gridCommands, *m_print, hooks,
                                                m_dataFolder);
    forwardSignals();
    connect(&m_documents->grid(), &DataGridModel::editRefused, this,
            [this](const QString& message) { m_dialogs.error(message, {}); });
}

AppController::~AppController() = default;

void AppController::forwardSignals()
{
    DocumentSession* documents = m_documents.get();
    connect(documents, &DocumentSession::notified, this, &AppController::notified);
    connect(documents, &DocumentSession::answered, this, &AppController::answered);
    connect(documents, &DocumentSession::filesChanged, this, &AppController::filesChanged);
    connect(documents, &DocumentSession::styleChanged, this, &AppController::styleChanged);
    connect(documents, &DocumentSession::rowsChanged, this, &AppController::rowsChanged);
    connect(documents, &DocumentSession::undoEnabledChanged, this, &AppController::undoEnabledChanged);
    connect(documents, &DocumentSession::redoEnabledChanged, this, &AppController::redoEnabledChanged);
    connect(&documents->history(), &EditHistory::styleRestored, this, &AppController::styleRestored);
    connect(documents, &DocumentSession::styleWindowKeys, this, &AppController::styleWindowKeys);
    PreviewState* preview = m_preview.get();
    connect(preview, &PreviewState::answered, this, &AppController::answered);
    connect(preview, &PreviewState::previewChanged, this, &AppController::previewChanged);
    connect(preview, &PreviewState::zoomChanged, this, &AppController::zoomChanged);
    connect(preview, &PreviewState::messageChanged, this, &AppController::messageChanged);
    connect(m_print.get(), &PrintCommands::paperChanged, this, &AppController::paperChanged);
    connect(m_print.get(), &PrintCommands::styleChanged, this, &AppController::styleChanged);
    connect(m_print.get(), &PrintCommands::printerChanged, this, [this](const QString& name) {
        m_settings.printer = name;
        emit printerChanged(name);
    });
    connect(m_styleCommands.get(), &StyleCommands::styleChanged, this, &AppController::styleChanged);
    connect(m_gridCommands.get(), &GridCommands::gridSelectionChanged, this,
            &AppController::gridSelectionChanged);
}

void AppController::setPrinter(std::unique_ptr<PrintTarget> printer, bool systemPrinter)
{
    m_print->setPrinter(std::move(printer), systemPrinter);
}

QString AppController::settingsFile() const
{
    return m_dataFolder + u'/' + kConfFolder + u'/' + QString::fromUtf16(kSettingsFileName);
}

// ---- start-up and close ----

void AppController::prepare()
{
    PrepareDataFolder(m_dataFolder, m_installFolder);
    m_settings = readWindowSettings(settingsFile());
    m_preview->restoreZoom(m_settings.zoom);
    m_documents->setRememberedFiles(m_settings.styleFile, m_settings.dataFile);
}

void AppController::setStartDocuments(const DocumentArguments& documents)
{
    m_startDocuments = documents;
}

void AppController::startupLoad()
{
    m_preview->setCurrentPage(1);
    m_documents->startupLoad(m_startDocuments);
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

bool AppController::closeSequence()
{
    bool goOn = false;
    runCommand(m_dialogs, [&] { goOn = m_documents->requestGoesOn(QStringLiteral("CloseRequested")); });
    if (!goOn)
        return false; // the program stays open with the changes; nothing is written
    m_settings.zoom = m_preview->zoom();
    m_settings.styleFile = m_documents->currentStyleFile();
    m_settings.dataFile = m_documents->currentDataFile();
    try {
        writeWindowSettings(settingsFile(), m_settings);
    } catch (const Error&) {
        // The settings are a convenience: a folder that cannot be written loses them only.
    }
    return true;
}

// ---- notifications ----

void AppController::raise(const QString& notification)
{
    emit notified(notification);
    if (notification == u"StyleLoadRequested") {
        m_documents->askToSaveStyleBeforeLoad();
    } else if (notification == u"StyleLoaded") {
        answerStyleLoaded();
    } else if (notification == u"DataLoadRequested") {
        m_documents->askToSaveData();
    } else if (notification == u"BeforePreviewRedraw") {
        m_documents->takeDataSnapshot();
    } else if (notification == u"MainWindowShown") {
        answerMainWindowShown();
    } else if (notification == u"CloseRequested") {
        if (m_documents->askToSaveData())
            m_documents->askToSaveStyleAtClose();
    }
}

void AppController::answerStyleLoaded()
{
    m_print->applyStylePaper();
    emit answered(QStringLiteral("ApplyPaperSettings"));
    m_print->readDeviceMetrics();
    emit answered(QStringLiteral("ReadDeviceMetrics"));
    RedrawPreview();
    m_print->takePrinterPaper();
    emit answered(QStringLiteral("ReadPrinterPaper"));
    m_styleCommands->applySymbologyRules();
    emit answered(QStringLiteral("ApplySymbologyRules"));
    emit styleChanged();
}

void AppController::answerMainWindowShown()
{
    m_preview->showAtStartZoom();
    emit answered(QStringLiteral("Zoom120"));
    emit versionLineChanged(versionLine());
    emit answered(QStringLiteral("VersionLine"));
    m_documents->startNewHistory();
    emit answered(QStringLiteral("UndoDisabled"));
}

void AppController::styleRestored(bool paperChanged)
{
    if (paperChanged) {
        m_print->applyStylePaper();
        m_print->readDeviceMetrics();
    }
    m_styleCommands->refreshSymbologyRules();
    emit styleChanged();
}

// ---- preview ----

void AppController::RedrawPreview()
{
    raise(QStringLiteral("BeforePreviewRedraw"));
    m_preview->compose(m_print->metrics(), startLabel(), m_import->previewOutlines(),
                       m_documents->rowsPastList());
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
    openWebPageOrManual(onlineHelpUrl());
}

void AppController::openWebPageOrManual(const QString& url)
{
    if (!url.isEmpty()) {
        m_desktop.openUrl(QUrl(url));
        return;
    }
    const QString manual = m_installFolder + u'/' + QString::fromUtf16(kManualFileName);
    if (!QFileInfo(manual).isFile()) {
        m_dialogs.error(QStringLiteral("マニュアルが見つかりません\r\n") + manual, {});
        return;
    }
    m_dialogs.information(QStringLiteral("インストールされているマニュアルを開きます\r\n") + manual);
    if (!m_desktop.openDocument(QUrl::fromLocalFile(manual)))
        m_dialogs.error(QStringLiteral("マニュアルを表示するプログラムが見つかりません\r\n") + manual, {});
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
    openWebPageOrManual(homePageUrl());
}

} // namespace korbena
