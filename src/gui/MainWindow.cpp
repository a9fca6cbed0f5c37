#include "gui/MainWindow.h"

#include "controls/GradPan.h"
#include "gui/EditorKeys.h"
#include "gui/GridPanel.h"
#include "gui/PreviewPane.h"
#include "gui/ProductInfoDialog.h"
#include "gui/QtDialogs.h"
#include "gui/StylePanels.h"
#include "print/PrinterTarget.h"
#include "session/AppController.h"
#include "session/AppInfo.h"
#include "sheet/Preview.h"
#include "spreadsheet/SpreadsheetReader.h"
#include "verify/PrintCheck.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <functional>
#include <vector>

namespace korbena {

// One command of the menus and the toolbar: where it sits, its caption, shortcut and
// hint ("short|long": the tooltip and the status bar's text), and what it runs.
struct MainWindow::ActionSpec
{
    QString menu;   // empty: toolbar only
    const char* id; // the action's object name, which finds it
    QString text;
    QKeySequence shortcut;
    QString hint;
    std::function<void()> run;
    bool toolbar = false;
};

namespace {

constexpr int kDefaultTabsWidth = 440;
const QString kSeparator = QStringLiteral("-");

QPixmap barcodeMark()
{
    QPixmap mark(40, 40);
    mark.fill(Qt::white);
    QPainter p(&mark);
    int x = 4;
    for (int w : {2, 1, 3, 1, 2, 2, 1, 3, 1, 2, 1}) {
        p.fillRect(x, 5, w, 30, Qt::black);
        x += w + 1 + (w % 2);
    }
    return mark;
}

} // namespace

MainWindow::MainWindow(const QString& dataFolder, const QString& installFolder, QWidget* parent)
    : QMainWindow(parent), m_dialogs(std::make_unique<QtDialogs>(this)),
      m_desktop(std::make_unique<QtDesktop>()),
      m_controller(std::make_unique<AppController>(*m_dialogs, *m_desktop, dataFolder, installFolder))
{
    // "CSV取込(詳細)…" opens spreadsheet files too.
    enableSpreadsheetImport();
    setWindowTitle(QStringLiteral("Korbena"));
    setObjectName(QStringLiteral("Tfbarcode"));
    m_controller->setPrintChecker(verifyRows); // every print is checked first

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(createTabs());
    auto* right = new QWidget(m_splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(createHeaderBand());
    m_scroll = new QScrollArea(right);
    m_preview = new PreviewPane(*m_controller, m_scroll);
    m_scroll->setWidget(m_preview);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rightLayout->addWidget(m_scroll, 1);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    createActions();
    createStatusBar();
    m_productInfo = new ProductInfoDialog(this);
    new StylePanels(*m_controller, *m_tabs); // fills the setting tabs; owned by them

    AppController& c = *m_controller;
    connect(&c, &AppController::zoomChanged, this, [this](int zoom) {
        const QSignalBlocker block(m_zoom);
        m_zoom->setValue(zoom);
    });
    connect(&c, &AppController::messageChanged, m_message, &QLabel::setText);
    connect(&c, &AppController::paperChanged, m_paperName, &QLabel::setText);
    connect(&c, &AppController::filesChanged, this, &MainWindow::showFiles);
    connect(&c, &AppController::undoEnabledChanged, this, &MainWindow::showHistory);
    connect(&c, &AppController::redoEnabledChanged, this, &MainWindow::showHistory);
    connect(&c, &AppController::versionLineChanged, this,
            [this] { m_version->setText(m_productInfo->versionLine()); });
    connect(&c, &AppController::textEditorShortcutRequested, this, [this] {
        action(QStringLiteral("textEditor"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    });

    // Old style files may carry the window's place and client size.
    connect(&c, &AppController::styleWindowKeys, this, [this](const StyleFileExtras& keys) {
        QRect bounds = normalGeometry();
        bounds.moveTo(keys.windowLeft.value_or(bounds.left()), keys.windowTop.value_or(bounds.top()));
        bounds.setSize(
            {keys.windowWidth.value_or(bounds.width()), keys.windowHeight.value_or(bounds.height())});
        if (!isMaximized())
            setGeometry(bounds);
    });

    connect(&c, &AppController::printerChanged, m_statusNote, &QLabel::setText);
    c.prepare();
    chooseInitialPrinter(); // the printer remembered in the settings, else the system's default
    restoreGeometry();
    // PgUp and PgDown page the grid and Ctrl+Home and Ctrl+End go to its ends; the page
    // turns on Ctrl+PgUp and Ctrl+PgDown stay the window's everywhere.
    std::vector<QAction*> viewKeys;
    for (const char* id : {"zoomIn", "zoomOut", "firstPageItem", "lastPageItem"})
        viewKeys.push_back(action(QLatin1String(id)));
    new EditorKeys(*this, std::move(viewKeys));
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    AppController& c = *m_controller;
    const auto zoomTo = [this](int percent) { return [this, percent] { m_zoom->setValue(percent); }; };
    const auto calc = [&c](CheckCalculator k) { return [&c, k] { c.checkDigitCommand(k); }; };
    const QString file = QStringLiteral("ファイル(&F)"), edit = QStringLiteral("編  集(&E)"),
                  view = QStringLiteral("表示"), check = QStringLiteral("チェックデジット計算"),
                  help = QStringLiteral("Help(&H)");
    const std::vector<ActionSpec> table = {
        {file, "openStyle", "バーコードスタイル読込(&O)", QKeySequence("Ctrl+O"),
         "スタイル読込|バーコードスタイルを読み込みます", [&c] { c.openStyleCommand(); }, true},
        {file, "saveStyle", "バーコードスタイル保存(&S)", QKeySequence("Ctrl+S"),
         "スタイル保存|バーコードスタイルを保存します", [&c] { c.saveStyleCommand(); }, true},
        {{},
         "importCsv",
         "CSVファイル",
         {},
         "CSVファイル|CSVファイルの列をタイトルに読み込みます",
         [&c] { c.importCsvCommand(); },
         true},
        {file, "saveStyleAs", "バーコードスタイル新規保存", QKeySequence("Ctrl+A"), "",
         [&c] { c.saveStyleAsCommand(); }},
        {file, "", kSeparator, {}, {}, {}},
        {file, "openData", "バーコードデータを読込", {}, "", [&c] { c.openDataCommand(); }},
        {file, "saveData", "バーコードデータを保存", {}, "", [&c] { c.saveDataCommand(); }},
        {file,
         "detailedCsvImport",
         "CSV取込(詳細)…",
         {},
         "CSV取込(詳細)|CSVファイルのタイトル・バーコード番号・枚数の列を選んで取り込みます",
         [&c] { c.detailedCsvImportCommand(); },
         true},
        {file, "saveDefaults", "現在の設定をデフォルトとして保存(&T)", QKeySequence("Ctrl+T"), "",
         [&c] { c.saveDefaultsCommand(); }},
        {file, "", kSeparator, {}, {}, {}},
        {file, "pageSetup", "用紙設定(&T)", {}, "", [&c] { c.pageSetupCommand(); }},
        {file,
         "sheetCatalogue",
         "用紙テンプレート…",
         {},
         "用紙テンプレート|ラベル用紙を選んでシートの配置を合わせます",
         [&c] { c.sheetCatalogueCommand(); }},
        {{},
         "printerSetup",
         "用紙設定",
         {},
         "用紙設定|プリンターと用紙を設定します",
         [&c] { c.printerSetupCommand(); },
         true},
        {file, "print", "印　刷(&P)", QKeySequence("Ctrl+P"), "", [&c] { c.printCommand(); }},
        {file, "printDialog", "印刷…", QKeySequence("Ctrl+Shift+P"),
         "印刷…|ページ範囲・プリンター・部数を選んで印刷します", [&c] { c.printDialogCommand(); }},
        {{}, "printAll", "印刷実行", {}, "印刷実行|全ページを印刷します", [&c] { c.printCommand(); }, true},
        {file,
         "exportPdf",
         "PDFに出力…",
         {},
         "PDFに出力|印刷と同じページをPDFファイルに書き出します",
         [&c] { c.exportPdfCommand(); },
         true},
        // The check before printing on demand, and the printer's calibration page.
        {file,
         "printCheck",
         "印刷前チェック",
         {},
         "印刷前チェック|印刷する行のバーコードを読み取り確認します",
         [&c] { c.printCheckCommand(); }},
        {file,
         "calibration",
         "印刷位置の補正…",
         {},
         "印刷位置の補正|プリンターの印刷位置のずれを測って補正します",
         [&c] { c.calibrationCommand(); }},
        {file, "", kSeparator, {}, {}, {}},
        {file, "quit", "終了(&X)", {}, "終了|アプリケーションを終了します", [this] { close(); }, true},
        {edit, "undo", "取り消し", QKeySequence("Ctrl+Z"), "", [&c] { c.undoCommand(); }},
        {edit, "redo", "やり直し", QKeySequence("Ctrl+Y"), "", [&c] { c.redoCommand(); }},
        {edit, "", kSeparator, {}, {}, {}},
        {edit, "clearAll", "全クリアー", {}, "", [&c] { c.clearAllCommand(); }},
        {edit, "insertRow", "1行割込", {}, "", [&c] { c.insertRowCommand(); }},
        {edit, "deleteRows", "1行削除", {}, "", [&c] { c.deleteRowsCommand(); }},
        {edit, "appendRow", "1行追加", {}, "", [&c] { c.appendRowCommand(); }},
        {edit, "appendRows", "指定行数追加", {}, "", [&c] { c.appendRowsCommand(); }},
        {edit, "insertRows", "指定行数割込", {}, "", [&c] { c.insertRowsCommand(); }},
        {edit, "", kSeparator, {}, {}, {}},
        {edit,
         "fillTitles",
         "選択中の行から最終行までに同一のバーコードタイトルを入力",
         {},
         "",
         [&c] { c.fillTitlesCommand(); }},
        {edit,
         "fillNumbers",
         "選択中の行から最終行(タイトルのある行)までに同一のバーコード番号を入力",
         {},
         "",
         [&c] { c.fillNumbersCommand(); }},
        {edit,
         "serialize",
         "選択中の行から最終行(タイトルのある行)までをシリアル化",
         {},
         "",
         [&c] { c.serializeCommand(); }},
        {edit,
         "halfWidthNumbers",
         "バーコード番号を半角に変換",
         {},
         "",
         [&c] { c.halfWidthNumbersCommand(); }},
        {view, "zoom50", "50%", {}, "", zoomTo(50)},
        {view, "zoom100", "100%", {}, "", zoomTo(100)},
        {view, "zoom150", "150%", {}, "", zoomTo(150)},
        {view, "zoom200", "200%", {}, "", zoomTo(200)},
        {view, "", kSeparator, {}, {}, {}},
        {view, "zoomIn", "+10%", QKeySequence(Qt::Key_PageUp), "", [&c] { c.zoomIn(); }},
        {view, "zoomOut", "-10%", QKeySequence(Qt::Key_PageDown), "", [&c] { c.zoomOut(); }},
        {view, "", kSeparator, {}, {}, {}},
        // PgUp and PgDown alone zoom, so the pages take them with Ctrl.
        {view, "nextPageItem", "次のページ", QKeySequence("Ctrl+PgDown"), "", [&c] { c.nextPageCommand(); }},
        {view, "previousPageItem", "前のページ", QKeySequence("Ctrl+PgUp"), "",
         [&c] { c.previousPageCommand(); }},
        {view, "firstPageItem", "最初のページ", QKeySequence("Ctrl+Home"), "",
         [&c] { c.firstPageCommand(); }},
        {view, "lastPageItem", "最後のページ", QKeySequence("Ctrl+End"), "", [&c] { c.lastPageCommand(); }},
        {view, "", kSeparator, {}, {}, {}},
        {view,
         "cellOutlines",
         "ラベルの枠を表示",
         {},
         "ラベルの枠|プレビューにラベルの枠を薄い灰色で描きます (印刷されません)",
         [this, &c] { c.setCellOutlines(action(QStringLiteral("cellOutlines"))->isChecked()); }},
        {check,
         "modulus10Weight3",
         "モジュラス10のウエイト3(ITF)",
         {},
         "",
         calc(CheckCalculator::Modulus10Weight3)},
        {check, "modulus16NW7", "モジュラス16(NW-7)", {}, "", calc(CheckCalculator::Modulus16NW7)},
        {check, "modulus43Code39", "モジュラス43(CODE39)", {}, "", calc(CheckCalculator::Modulus43Code39)},
        {help, "onlineHelp", "ヘルプ(オンライン)", QKeySequence("Ctrl+H"), "",
         [&c] { c.onlineHelpCommand(); }},
        {help, "offlineHelp", "ヘルプ(オフライン)", {}, "", [&c] { c.offlineHelpCommand(); }},
        {help, "installFolder", "インストールフォルダー確認", {}, "", [&c] { c.installFolderCommand(); }},
        {help,
         "textEditor",
         "メモ帳を起動",
         {},
         "",
         [&c] { c.textEditorCommand(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier); }},
        {help,
         "screenResolution",
         "現在のディスプレイ解像度を表示",
         {},
         "",
         [&c] { c.screenResolutionCommand(); }},
        {help, "homePage", "ホームページへアクセス(最新版の確認)", {}, "", [&c] { c.homePageCommand(); }},
        {help, "productInfo", "バージョン情報", {}, "", [this] { m_productInfo->show(); }},
    };

    QToolBar* tools = addToolBar(QStringLiteral("ツール"));
    m_tools = tools;
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addWidget(createToolbarHeader());
    tools->addSeparator();
    for (const ActionSpec& spec : table) {
        QMenu* menu = nullptr;
        if (!spec.menu.isEmpty()) {
            for (QAction* existing : menuBar()->actions()) {
                if (existing->text() == spec.menu)
                    menu = existing->menu();
            }
            if (!menu)
                menu = menuBar()->addMenu(spec.menu);
        }
        if (spec.text == kSeparator) {
            menu->addSeparator();
            continue;
        }
        auto* a = new QAction(spec.text, this);
        a->setObjectName(QLatin1String(spec.id));
        a->setShortcut(spec.shortcut);
        const QStringList hint = spec.hint.split(u'|');
        a->setToolTip(hint.first().isEmpty() ? spec.text : hint.first());
        a->setStatusTip(hint.last());
        connect(a, &QAction::triggered, this, spec.run);
        if (menu)
            menu->addAction(a);
        else
            addAction(a);
        if (spec.toolbar)
            tools->addAction(a);
    }
    // The zoom and page groups have a bar of their own, which moves to a second row
    // when the window is too narrow for both, instead of hiding behind an overflow.
    m_viewTools = addToolBar(QStringLiteral("表示"));
    m_viewTools->setMovable(false);
    m_viewTools->addWidget(createZoomGroup());
    m_viewTools->addWidget(createPageGroup());
    action(QStringLiteral("undo"))->setEnabled(false);
    action(QStringLiteral("redo"))->setEnabled(false);
    action(QStringLiteral("redo"))
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    action(QStringLiteral("cellOutlines"))->setCheckable(true);
}

QAction* MainWindow::action(const QString& id) const
{
    return findChild<QAction*>(id, Qt::FindDirectChildrenOnly);
}

QWidget* MainWindow::createToolbarHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    auto* mark = new QLabel(header);
    mark->setPixmap(barcodeMark());
    row->addWidget(mark);
    auto* texts = new QVBoxLayout;
    auto* name = new QLabel(QString::fromUtf16(kProductName), header);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    texts->addWidget(name);
    texts->addWidget(new QLabel(QString::fromUtf16(kMakerName), header));
    m_version = new QLabel(header);
    m_version->setObjectName(QStringLiteral("Label29"));
    texts->addWidget(m_version);
    row->addLayout(texts);
    return header;
}

namespace {

// The header band's tile: a dark blue strip brightening towards its middle, so the
// tiled band reads as one brushed bar.
QImage headerTile()
{
    QImage tile(8, 40, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        const int lift = 24 - std::abs(y - tile.height() / 2);
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, qRgb(24 + lift, 36 + lift, 64 + lift + (x % 4 == 0 ? 4 : 0)));
    }
    return tile;
}

} // namespace

QWidget* MainWindow::createHeaderBand()
{
    auto* band = new GradPan(this);
    band->SetBitmap(headerTile());
    band->SetBackGroundEffect(bdTileImage);
    band->SetBevelOuter(bvRaised);
    band->setMinimumHeight(36);
    QPalette p = band->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(p);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(10, 4, 10, 4);
    auto* title = new QLabel(QStringLiteral("PREVIEW"), band);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    title->setStyleSheet(QStringLiteral("color: white; background: transparent"));
    row->addWidget(title);
    m_message = new QLabel(band);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setStyleSheet(QStringLiteral("color: #ffd060; background: transparent"));
    row->addWidget(m_message, 1);
    return band;
}

QWidget* MainWindow::createZoomGroup()
{
    auto* group = new QGroupBox(QStringLiteral("拡大率"), this);
    auto* row = new QHBoxLayout(group);
    m_zoom = new QSlider(Qt::Horizontal, group);
    m_zoom->setRange(kMinZoomPercent, kMaxZoomPercent);
    m_zoom->setTickInterval(10);
    m_zoom->setTickPosition(QSlider::TicksBelow);
    m_zoom->setPageStep(10);
    m_zoom->setMinimumWidth(200);
    m_zoom->setValue(m_controller->zoom());
    connect(m_zoom, &QSlider::valueChanged, m_controller.get(), &AppController::setZoom);
    row->addWidget(m_zoom);
    for (int percent : {50, 100, 150, 200}) {
        auto* button = new QToolButton(group);
        button->setText(QStringLiteral("%1%").arg(percent));
        connect(button, &QToolButton::clicked, m_zoom, [this, percent] { m_zoom->setValue(percent); });
        row->addWidget(button);
    }
    return group;
}

QWidget* MainWindow::createPageGroup()
{
    auto* group = new QGroupBox(QStringLiteral("PAGE"), this);
    auto* row = new QHBoxLayout(group);
    // Tight, so the view bar with the indicator still shares the first row at 1600 pixels.
    const QMargins margins = row->contentsMargins();
    row->setContentsMargins(4, margins.top(), 4, margins.bottom());
    row->setSpacing(3);
    auto* back = new QToolButton(group);
    back->setText(QStringLiteral("←"));
    back->setObjectName(QStringLiteral("previousPage"));
    auto* forward = new QToolButton(group);
    forward->setText(QStringLiteral("→"));
    forward->setObjectName(QStringLiteral("nextPage"));
    connect(back, &QToolButton::clicked, m_controller.get(), &AppController::previousPageCommand);
    connect(forward, &QToolButton::clicked, m_controller.get(), &AppController::nextPageCommand);
    row->addWidget(back);
    row->addWidget(forward);
    // "3 / 12": the page shown and the pages there are, after every redraw.
    auto* indicator = new QLabel(group);
    indicator->setObjectName(QStringLiteral("pageIndicator"));
    indicator->setAlignment(Qt::AlignCenter);
    const auto show = [this, indicator] {
        indicator->setText(
            QStringLiteral("%1 / %2").arg(m_controller->currentPage()).arg(m_controller->pageCount()));
        // A longer count may no longer fit beside the main bar.
        if (m_tools)
            wrapViewTools();
    };
    connect(m_controller.get(), &AppController::previewChanged, indicator, show);
    show();
    row->addWidget(indicator);
    return group;
}

QWidget* MainWindow::createTabs()
{
    m_tabs = new QTabWidget(this);
    const auto page = [this](const QString& name) {
        auto* w = new QWidget(m_tabs);
        auto* layout = new QVBoxLayout(w);
        layout->addStretch();
        m_tabs->addTab(w, name);
        return layout;
    };
    QVBoxLayout* barcode = page(QStringLiteral("バーコード設定"));
    auto* redraw = new QPushButton(QStringLiteral("プレビュ－"));
    connect(redraw, &QPushButton::clicked, m_controller.get(), &AppController::explicitRedraw);
    barcode->insertWidget(0, redraw);
    page(QStringLiteral("フォント設定"));
    QVBoxLayout* sheet = page(QStringLiteral("シート設定"));
    m_paperName = new QLabel;
    m_paperName->setObjectName(QStringLiteral("paper_size"));
    m_paperName->setToolTip(QStringLiteral("用紙設定アイコンで指定します"));
    m_paperName->setFrameShape(QFrame::Panel);
    m_paperName->setFrameShadow(QFrame::Sunken);
    sheet->insertWidget(0, new QLabel(QStringLiteral("用紙サイズ")));
    sheet->insertWidget(1, m_paperName);
    m_tabs->addTab(new GridPanel(*m_controller, m_tabs), QStringLiteral("データ入力"));
    page(QStringLiteral("注意事項"));
    return m_tabs;
}

void MainWindow::createStatusBar()
{
    m_statusNote = new QLabel(this);
    m_styleFile = new QLabel(this);
    m_dataFile = new QLabel(this);
    statusBar()->addWidget(m_statusNote, 1);
    statusBar()->addWidget(m_styleFile, 2);
    statusBar()->addWidget(m_dataFile, 2);
}

void MainWindow::chooseInitialPrinter()
{
    QPrinterInfo info = QPrinterInfo::printerInfo(m_controller->rememberedPrinter());
    if (m_controller->rememberedPrinter().isEmpty() || info.isNull())
        info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        m_statusNote->setText(QStringLiteral("プリンターがありません: 用紙はPDF出力の設定です"));
        return;
    }
    m_controller->setPrinter(std::make_unique<PrinterTarget>(info), true);
    m_statusNote->setText(info.printerName());
}

void MainWindow::restoreGeometry()
{
    const WindowSettings& s = m_controller->settings();
    if (s.formWidth * s.formHeight != 0) {
        setGeometry(s.formLeft, s.formTop, s.formWidth, s.formHeight);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.size() * 3 / 4);
        move(area.center() - rect().center());
    }
    const int tabs = s.splitter > 0 ? s.splitter : kDefaultTabsWidth;
    m_splitter->setSizes({tabs, std::max(width() - tabs, 1)});
}

void MainWindow::showFiles()
{
    m_styleFile->setText(m_controller->currentStyleFile());
    m_dataFile->setText(m_controller->currentDataFile());
}

void MainWindow::showHistory()
{
    const EditHistory& history = m_controller->documents().history();
    QAction* undo = action(QStringLiteral("undo"));
    undo->setEnabled(history.canUndo());
    undo->setStatusTip(history.canUndo() ? QStringLiteral("取り消し: ") + history.undoText() : QString());
    QAction* redo = action(QStringLiteral("redo"));
    redo->setEnabled(history.canRedo());
    redo->setStatusTip(history.canRedo() ? QStringLiteral("やり直し: ") + history.redoText() : QString());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_controller->startupLoad();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    wrapViewTools();
}

void MainWindow::wrapViewTools()
{
    const bool fits = m_tools->sizeHint().width() + m_viewTools->sizeHint().width() <= width();
    if (fits == toolBarBreak(m_viewTools)) {
        if (fits)
            removeToolBarBreak(m_viewTools);
        else
            insertToolBarBreak(m_viewTools);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const QRect normal = normalGeometry();
    m_controller->setWindowGeometry(normal.top(), normal.left(), normal.width(), normal.height());
    m_controller->setSplitter(m_splitter->sizes().value(0));
    if (!m_controller->closeSequence()) {
        event->ignore(); // "キャンセル", or a save that did not happen: the work stays open
        return;
    }
    event->accept();
}

} // namespace korbena
