// The main window on the offscreen platform: its commands, its preview and its picture.
#include "gui/MainWindow.h"

#include "TestSupport.h"
#include "gui/PreviewPane.h"
#include "session/AppController.h"
#include "sheet/PageComposer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

class MainWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        window = std::make_unique<MainWindow>(home.path() + QStringLiteral("/data"), kResources);
        window->resize(1600, 1000);
        window->show();
        QApplication::processEvents();
    }
};

// Whether anything listens to the action's triggered signal, as the object's own
// connection dump tells.
QStringList g_dump;
bool isBound(QAction* action)
{
    g_dump.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { g_dump << text; });
    action->dumpObjectInfo();
    qInstallMessageHandler(previous);
    const QString dump = g_dump.join(u'\n');
    const qsizetype at = dump.indexOf(QStringLiteral("signal: triggered(bool)"));
    return at >= 0 && dump.indexOf(QStringLiteral("-->"), at) > at;
}

struct MenuItem
{
    const char* menu;
    const char* text;
    const char* shortcut;
};

TEST_F(MainWindowTest, EveryMenuItemIsPresentBoundAndHasItsShortcut)
{
    const MenuItem items[] = {
        {"ファイル(&F)", "バーコードスタイル読込(&O)", "Ctrl+O"},
        {"ファイル(&F)", "バーコードスタイル保存(&S)", "Ctrl+S"},
        {"ファイル(&F)", "バーコードスタイル新規保存", "Ctrl+A"},
        {"ファイル(&F)", "バーコードデータを読込", ""},
        {"ファイル(&F)", "バーコードデータを保存", ""},
        {"ファイル(&F)", "現在の設定をデフォルトとして保存(&T)", "Ctrl+T"},
        {"ファイル(&F)", "用紙設定(&T)", ""},
        {"ファイル(&F)", "印　刷(&P)", "Ctrl+P"},
        {"ファイル(&F)", "PDFに出力…", ""},
        {"ファイル(&F)", "終了(&X)", ""},
        {"編  集(&E)", "取り消し", "Ctrl+Z"},
        {"表示", "50%", ""},
        {"表示", "100%", ""},
        {"表示", "150%", ""},
        {"表示", "200%", ""},
        {"表示", "+10%", "PgUp"},
        {"表示", "-10%", "PgDown"},
        {"チェックデジット計算", "モジュラス10のウエイト3(ITF)", ""},
        {"チェックデジット計算", "モジュラス16(NW-7)", ""},
        {"チェックデジット計算", "モジュラス43(CODE39)", ""},
        {"Help(&H)", "ヘルプ(オンライン)", "Ctrl+H"},
        {"Help(&H)", "ヘルプ(オフライン)", ""},
        {"Help(&H)", "インストールフォルダー確認", ""},
        {"Help(&H)", "メモ帳を起動", ""},
        {"Help(&H)", "現在のディスプレイ解像度を表示", ""},
        {"Help(&H)", "ホームページへアクセス(最新版の確認)", ""},
        {"Help(&H)", "バージョン情報", ""},
    };
    QStringList menus;
    for (QAction* m : window->menuBar()->actions())
        menus << m->text();
    EXPECT_EQ(menus, (QStringList{"ファイル(&F)", "編  集(&E)", "表示", "チェックデジット計算", "Help(&H)"}));

    for (const MenuItem& item : items) {
        SCOPED_TRACE(item.text);
        QMenu* menu = nullptr;
        for (QAction* m : window->menuBar()->actions()) {
            if (m->text() == QString::fromUtf8(item.menu))
                menu = m->menu();
        }
        ASSERT_NE(menu, nullptr);
        QAction* found = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->text() == QString::fromUtf8(item.text))
                found = a;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
        EXPECT_TRUE(isBound(found));
    }
    // The toolbar's own commands.
    for (const char* text : {"printerSetup", "printAll"}) {
        QAction* a = window->action(QString::fromUtf8(text));
        ASSERT_NE(a, nullptr) << text;
        EXPECT_TRUE(isBound(a));
    }
    EXPECT_FALSE(window->action(QStringLiteral("undo"))->isEnabled());
}

TEST_F(MainWindowTest, ThePreviewPaneShowsTheSamePixelsAsADirectComposition)
{
    AppController& c = window->controller();
    ASSERT_EQ(c.zoom(), 120);
    const QImage shown = window->previewPane()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    PageComposer composer(c.dataFolder());
    const QImage direct = composer.composePreview(c.style(), c.rows(), c.metrics(), 1, 120)
                              .image.convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(direct.isNull());
    EXPECT_EQ(shown.size(), direct.size());
    EXPECT_TRUE(shown == direct);
    // Without a printer the sheet is a PDF page, printable to its edges: the outline
    // sits on the sheet's corner, white within.
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::white));
}

TEST_F(MainWindowTest, AnEditStaysUndoableThroughTheRedrawAndItsRepaint)
{
    AppController& c = window->controller();
    c.grid().setData(c.grid().index(0, DataGridModel::TitleColumn), QStringLiteral("書き換え"));
    c.explicitRedraw();
    QApplication::processEvents();
    EXPECT_TRUE(window->action(QStringLiteral("undo"))->isEnabled());
    window->action(QStringLiteral("undo"))->trigger();
    EXPECT_EQ(c.rows().title(1), QStringLiteral("りんご（ふじ）"));
}

// "やり直し" stands beside "取り消し" with both its keys; the two follow the history, and
// a zoom click between them changes neither.
TEST_F(MainWindowTest, UndoAndRedoItemsFollowTheHistoryThroughZoomClicks)
{
    AppController& c = window->controller();
    QAction* undo = window->action(QStringLiteral("undo"));
    QAction* redo = window->action(QStringLiteral("redo"));
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し"));
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QList<QAction*> edit;
    for (QObject* owner : undo->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            edit = menu->actions();
    ASSERT_TRUE(edit.contains(undo));
    EXPECT_EQ(edit.indexOf(redo), edit.indexOf(undo) + 1);
    EXPECT_FALSE(redo->isEnabled());

    c.grid().setData(c.grid().index(0, DataGridModel::TitleColumn), QStringLiteral("書き換え"));
    window->action(QStringLiteral("zoomIn"))->trigger();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->statusTip(), QStringLiteral("取り消し: セル編集"));
    undo->trigger();
    window->action(QStringLiteral("zoomIn"))->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(c.rows().title(1), QStringLiteral("書き換え"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(MainWindowTest, ZoomControlsAndMenuMoveTogether)
{
    window->action(QStringLiteral("zoom50"))->trigger();
    EXPECT_EQ(window->controller().zoom(), 50);
    window->action(QStringLiteral("zoomIn"))->trigger();
    EXPECT_EQ(window->controller().zoom(), 60);
    EXPECT_EQ(window->previewPane()->size(), window->controller().previewImage().size());
}

// On a laptop screen the zoom and page controls must stay on screen, not behind the
// toolbar's overflow: they move to a row of their own, and back when there is room.
TEST_F(MainWindowTest, ZoomAndPageControlsStayVisibleInANarrowWindow)
{
    auto* slider = window->findChild<QSlider*>();
    auto* next = window->findChild<QToolButton*>(QStringLiteral("nextPage"));
    ASSERT_TRUE(slider && next);
    const auto onScreen = [&](QWidget* w) {
        QApplication::processEvents();
        const QRect shown(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        return w->isVisible() && window->rect().contains(shown);
    };
    const auto rowOf = [&](QWidget* w) { return w->mapTo(window.get(), QPoint(0, 0)).y(); };

    EXPECT_TRUE(onScreen(slider) && onScreen(next));
    const int wideRow = rowOf(slider);
    window->resize(1100, 760);
    EXPECT_TRUE(onScreen(slider) && onScreen(next));
    EXPECT_GT(rowOf(slider), wideRow);
    window->grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/main-window-narrow.png"));
    window->resize(1600, 1000);
    EXPECT_TRUE(onScreen(slider) && onScreen(next));
    EXPECT_EQ(rowOf(slider), wideRow);
}

// On the common screens every control of both bars is shown inside the window, none
// behind a bar's overflow button, and the page indicator sits right after "→".
TEST_F(MainWindowTest, EveryToolbarControlIsShownAtTheCommonScreenSizes)
{
    auto* back = window->findChild<QToolButton*>(QStringLiteral("previousPage"));
    auto* next = window->findChild<QToolButton*>(QStringLiteral("nextPage"));
    auto* indicator = window->findChild<QLabel*>(QStringLiteral("pageIndicator"));
    auto* slider = window->findChild<QSlider*>();
    ASSERT_TRUE(back && next && indicator && slider);
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    const auto placed = [&](QWidget* w) { return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()); };

    for (const QSize size : {QSize(1280, 720), QSize(1366, 768), QSize(1920, 1080)}) {
        const QString name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        SCOPED_TRACE(name.toStdString());
        window->resize(size);
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);

        const QList<QToolBar*> bars = window->findChildren<QToolBar*>();
        ASSERT_EQ(bars.size(), 2);
        int controls = 0;
        for (QToolBar* bar : bars) {
            for (QAction* a : bar->actions()) {
                QWidget* w = bar->widgetForAction(a);
                if (a->isSeparator() || !w)
                    continue;
                // The grouped controls count one by one, the slider and the page buttons among them.
                QList<QWidget*> shown{w};
                shown += w->findChildren<QWidget*>();
                for (QWidget* c : shown) {
                    if (c->isWindow() || c->parentWidget()->isHidden())
                        continue;
                    ++controls;
                    EXPECT_TRUE(c->isVisible())
                        << c->metaObject()->className() << " " << a->text().toStdString();
                    EXPECT_TRUE(window->rect().contains(placed(c)))
                        << c->metaObject()->className() << " " << a->text().toStdString();
                }
            }
            for (auto* overflow : bar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
                EXPECT_FALSE(overflow->isVisible()) << bar->windowTitle().toStdString();
        }
        EXPECT_GT(controls, 10);
        for (QWidget* w : std::initializer_list<QWidget*>{back, next, indicator, slider})
            EXPECT_TRUE(w->isVisible() && window->rect().contains(placed(w)))
                << w->objectName().toStdString();

        // "← → 1 / 2": the indicator follows the page buttons on their row.
        EXPECT_LT(placed(back).right(), placed(next).left());
        EXPECT_LT(placed(next).right(), placed(indicator).left());
        EXPECT_EQ(indicator->parentWidget(), next->parentWidget());
        EXPECT_LT(std::abs(placed(indicator).center().y() - placed(next).center().y()), next->height() / 2);

        EXPECT_TRUE(
            window->grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/main-window-%1.png").arg(name)));
    }
}

TEST_F(MainWindowTest, ThePageItemsMoveThePreviewAndTheIndicatorTellsWhere)
{
    auto* indicator = window->findChild<QLabel*>(QStringLiteral("pageIndicator"));
    ASSERT_NE(indicator, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("1 / 2"));

    QMenu* view = nullptr;
    for (QAction* m : window->menuBar()->actions()) {
        if (m->text() == QStringLiteral("表示"))
            view = m->menu();
    }
    ASSERT_NE(view, nullptr);
    QMap<QString, QAction*> items;
    for (QAction* a : view->actions())
        items.insert(a->text(), a);
    const std::pair<const char*, const char*> expected[] = {
        {"次のページ", "Ctrl+PgDown"},
        {"前のページ", "Ctrl+PgUp"},
        {"最初のページ", "Ctrl+Home"},
        {"最後のページ", "Ctrl+End"},
    };
    for (const auto& [text, keys] : expected) {
        QAction* a = items.value(QString::fromUtf8(text));
        ASSERT_NE(a, nullptr) << text;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(keys))) << text;
    }
    // No two commands of the window answer the same keys.
    QMap<QString, QString> taken;
    for (QAction* a : window->findChildren<QAction*>()) {
        const QString keys = a->shortcut().toString();
        if (keys.isEmpty())
            continue;
        EXPECT_FALSE(taken.contains(keys)) << keys.toStdString() << ": " << a->text().toStdString() << " and "
                                           << taken.value(keys).toStdString();
        taken.insert(keys, a->text());
    }

    items.value(QStringLiteral("最後のページ"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->controller().currentPage(), 2);
    EXPECT_EQ(indicator->text(), QStringLiteral("2 / 2"));
    items.value(QStringLiteral("前のページ"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("1 / 2"));
    items.value(QStringLiteral("次のページ"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("2 / 2"));
    items.value(QStringLiteral("最初のページ"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("1 / 2"));
    window->controller().setStartLabel(20);
    window->controller().lastPageCommand();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("3 / 3"));
}

// The keys act where the focus is: in the grid PgUp and PgDown page through the rows
// and Ctrl+End goes to its last row, in a number field Up steps the number, and only
// on the preview, or where no editor has the focus, do they zoom. Ctrl+PgDown turns
// the page from anywhere.
TEST_F(MainWindowTest, KeysActWhereTheFocusIs)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    AppController& c = window->controller();
    auto* tabs = window->findChild<QTabWidget*>();
    auto* grid = window->findChild<QTableView*>();
    ASSERT_TRUE(tabs && grid);
    tabs->setCurrentIndex(tabs->indexOf(grid->parentWidget()));
    QApplication::processEvents();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    const int zoom = c.zoom();
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_EQ(c.zoom(), zoom);
    EXPECT_GT(grid->currentIndex().row(), 0);
    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), grid->model()->rowCount() - 1);
    EXPECT_EQ(c.currentPage(), 1);
    EXPECT_EQ(c.zoom(), zoom);
    QTest::keyClick(grid, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(c.currentPage(), 2);

    tabs->setCurrentIndex(0);
    QApplication::processEvents();
    auto* field = tabs->findChild<QLineEdit*>(QStringLiteral("placement.y"));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    const Extended y = c.style().placement.y;
    QTest::keyClick(field, Qt::Key_Up);
    QTest::keyClick(field, Qt::Key_PageUp);
    EXPECT_EQ(c.style().placement.y, y + 1);
    EXPECT_EQ(c.zoom(), zoom);

    // The preview, and a button, are no editors: the keys zoom there.
    auto* preview = qobject_cast<QScrollArea*>(window->previewPane()->parentWidget()->parentWidget());
    ASSERT_NE(preview, nullptr);
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_PageUp);
    EXPECT_EQ(c.zoom(), zoom + 10);
    auto* next = window->findChild<QToolButton*>(QStringLiteral("nextPage"));
    next->setFocus();
    QTest::keyClick(next, Qt::Key_PageDown);
    EXPECT_EQ(c.zoom(), zoom);
}

// What the window shows is what a print gives: the pane's pixels equal a direct
// composition of the page at the zoom after the page buttons turn it and after the
// symbology list changes it, and the indicator follows the buttons.
TEST_F(MainWindowTest, ThePreviewFollowsThePageButtonsAndTheSymbologyPixelForPixel)
{
    AppController& c = window->controller();
    auto* indicator = window->findChild<QLabel*>(QStringLiteral("pageIndicator"));
    auto* back = window->findChild<QToolButton*>(QStringLiteral("previousPage"));
    auto* next = window->findChild<QToolButton*>(QStringLiteral("nextPage"));
    auto* symbology = window->findChild<QComboBox*>(QStringLiteral("symbol.symbology"));
    ASSERT_TRUE(indicator && back && next && symbology);
    // The page last composed for the pane (which a paint does not refresh by itself),
    // and the pane's own pixels.
    const auto matchesDirect = [&](int page) {
        QApplication::processEvents();
        PageComposer composer(c.dataFolder());
        const QImage direct = composer.composePreview(c.style(), c.rows(), c.metrics(), page, c.zoom())
                                  .image.convertToFormat(QImage::Format_RGB32);
        const QImage composed = c.previewImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = window->previewPane()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return !direct.isNull() && composed == direct && shown == direct;
    };

    next->click();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("2 / 2"));
    EXPECT_TRUE(matchesDirect(2));
    next->click(); // no third page: a beep, and nothing moves
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("2 / 2"));

    window->action(QStringLiteral("zoom50"))->trigger();
    const QImage jan = c.previewImage();
    symbology->setCurrentIndex(3); // NW-7, as the list's own keys choose it
    emit symbology->activated(3);
    EXPECT_TRUE(matchesDirect(2));
    EXPECT_NE(c.previewImage(), jan);

    back->click();
    QApplication::processEvents();
    EXPECT_EQ(indicator->text(), QStringLiteral("1 / 2"));
    EXPECT_TRUE(matchesDirect(1));
}

TEST_F(MainWindowTest, ThePictureOfTheWindowAfterStartUp)
{
    QApplication::processEvents();
    const QImage picture = window->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    EXPECT_TRUE(picture.save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/main-window.png")));
}

// A fresh machine in an English session still gets Qt's own buttons and dialogs in Japanese.
// The save question the window shows when it is closed: its three buttons, "キャンセル"
// the default and Esc's, and the window stays open with the change until "いいえ".
TEST_F(MainWindowTest, ClosingAsksOnlyAfterAChangeAndCancelKeepsTheWindowOpen)
{
    // Whatever box comes is recorded and answered by `answer` (cancelled when empty).
    QStringList boxes;
    std::function<void(QMessageBox&)> answer;
    QTimer watcher;
    watcher.setInterval(50);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QStringList buttons;
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        buttons.sort(); // the platform's layout decides their order on screen
        boxes << box->text() + u' ' + buttons.join(u'/') + QStringLiteral(" default ") +
                     box->defaultButton()->text();
        if (answer)
            answer(*box);
        else
            box->reject();
    });
    watcher.start();

    EXPECT_TRUE(window->close()); // untouched since start-up: nothing asked
    EXPECT_EQ(boxes, QStringList{});
    window->show();
    AppController& c = window->controller();
    c.grid().setData(c.grid().index(0, DataGridModel::TitleColumn), QStringLiteral("書き換え"));

    answer = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(c.rows().title(1), QStringLiteral("書き換え"));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("バーコードデータが変更されました。保存しますか？ "
                                                "いいえ(&N)/はい(&Y)/キャンセル default キャンセル")});

    answer = [](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QStringLiteral("いいえ(&N)"))
                button->click();
    };
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(boxes.size(), 2);
}

TEST(ProgramLookTest, QtsOwnDialogsSpeakJapaneseWhateverTheSessionLanguage)
{
    const QString catalogue =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
    if (!QFileInfo::exists(catalogue))
        GTEST_SKIP() << "qt6-translations-l10n is not installed: " << catalogue.toStdString();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QLocale::setDefault(QLocale::system());
    const QString cancel = box.button(QDialogButtonBox::Cancel)->text();
    const QString save = box.button(QDialogButtonBox::Save)->text();
    EXPECT_TRUE(cancel.contains(QStringLiteral("キャンセル"))) << cancel.toStdString();
    EXPECT_TRUE(save.contains(QStringLiteral("保存"))) << save.toStdString();
}

} // namespace
} // namespace korbena
